#pragma once
// "Guerra de bolas de papel": the player on turn walks along the aisle, following the
// mouse at a walker's speed, while the three others throw paper balls at him from their
// desks. An opponent's first key (Q, V, O) throws straight at where he stands; the second
// (W, B, P) lobs, slower and higher, at where he is heading. Either way the thrower then
// reloads for a moment. A ball lands where it was aimed; it hits when he is within reach
// of that spot as it comes down (its shadow on the floor tells where). The player on turn
// wins when hit fewer than three times in 30 seconds.
#include "minigames/mini_juego_cronometrado.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <vector>

class TMiniJuego8 : public TMiniJuegoCronometrado {
   public:
    static constexpr std::array<float, 3> kMesaX{256, 512, 768};  // the throwers' desks
    static constexpr float kMesaY = 215;                          // their feet
    static constexpr float kPasilloY = 640;                       // the walker's feet
    static constexpr float kMinX = 60, kMaxX = 964;               // the aisle's ends
    static constexpr float kVelocidad = 5.5f;                     // walker, units a frame
    static constexpr int kVueloRecto = 26, kVueloBombeo = 56;     // frames in the air
    static constexpr float kAlcance = 30;                         // a ball this near hits
    static constexpr float kRecarga = 1.5f;                       // seconds between throws
    static constexpr int kImpactosParaPerder = 3;

    struct TBola {
        int autor = 0;         // opponent
        bool bombeo = false;   // a lob
        float x0 = 0, y0 = 0;  // from
        float destinoX = 0;    // where it comes down (on the aisle)
        int frame = 0, vuelo = 0;
    };

    float x = 512;        // the walker
    float velocidad = 0;  // his last step, units a frame
    int impactos = 0;
    float golpeadoEn = -10;            // now() of the last hit
    std::array<float, 3> recargado{};  // now() from which each thrower may throw again
    std::array<int, 3> tiros{};
    std::vector<TBola> bolas;

    static void cargarRecursos();
    static TImagePtr fondo;  // artwork/fondo-bolas.png
    static TImagePtr bola;   // artwork/bola-papel.png, mid-handled
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {fondo, bola}; }

    static std::unique_ptr<TMiniJuego8> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // Two keys each for the throwers.
    asientos::TPapeles asientos(int turno) const override { return asientosDosTeclas(turno); }

    // Where a ball is now (x, y on screen, and its height over the floor).
    static void posicion(const TBola& b, float& bx, float& by, float& altura);

   protected:
    const TTextos& textos() const override;
    void empezar() override;
    void actualizar() override;
    int decidir() const override { return impactos >= kImpactosParaPerder ? 0 : -1; }
    int alAcabarse() const override { return 1; }
    void alDecidir() override;
    void dibujar() override;

   private:
    void lanzar(int k, bool bombeo);
    int animacionAndando = 0;
    std::array<float, 3> lanzandoHasta{};
};
