#pragma once
// "Compilando...": the three others race to build their code, each filling his compile bar
// by hammering his key (Q, B, P). Bugs crawl out on their screens now and then, more often
// on screens with more code; the player on turn clicks a bug to crash that build, and the
// bar falls back. The player on turn wins when no bar is full after 30 seconds; the first
// full bar wins it for the three.
#include "minigames/mini_juego_cronometrado.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <vector>

class TMiniJuego7 : public TMiniJuegoCronometrado {
   public:
    // The screens: three, centred on kPantallaX[k], kAncho x kAlto from kArriba down.
    static constexpr std::array<float, 3> kPantallaX{200, 512, 824};
    static constexpr float kArriba = 215, kAncho = 240, kAlto = 170;
    static constexpr float kPorTecla = 0.75f;  // bar per key hit (the bar is full at 100)
    static constexpr float kCaida = 17;        // bar lost when a bug is clicked
    static constexpr float kRadioBicho = 22;   // a click this near a bug's middle gets it
    static constexpr float kVidaBicho = 1.2f;  // seconds a bug stays
    static constexpr float kPasoBicho = 1.8f;  // units a bug crawls a frame

    struct TBicho {
        int pantalla = 0;
        float x = 0, y = 0;    // middle
        float dx = 0, dy = 0;  // crawl a frame
        float nace = 0;        // now() when it came out
        bool aplastado = false;
        float aplastadoEn = 0;
    };

    std::array<float, 3> barra{};  // each opponent's build, 0..100
    std::array<int, 3> teclazos{};
    std::vector<TBicho> bichos;
    float proximoBicho = 0;  // now() of the next bug
    int aplastados = 0;
    int compilado = -1;  // opponent whose bar filled, -1 none

    static void cargarRecursos();
    static TImagePtr fondo;  // artwork/fondo-compilando.png
    static TImagePtr bicho;  // artwork/bicho.png, mid-handled
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {fondo, bicho}; }

    static std::unique_ptr<TMiniJuego7> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;

   protected:
    const TTextos& textos() const override;
    void empezar() override;
    void actualizar() override;
    int decidir() const override { return compilado >= 0 ? 0 : -1; }
    int alAcabarse() const override { return 1; }
    void alDecidir() override;
    void dibujar() override;

   private:
    void sacarBicho();
    void dibujarPantalla(int k) const;
};
