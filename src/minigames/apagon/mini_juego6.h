#pragma once
// "Apagon": the lights have gone out in the hall. The three others creep from the far
// end towards the server rack to plug their machines back in, each moving only while he
// holds his key (Q, B, P). The player on turn stands at the rack and sweeps a torch beam
// with the mouse; the beam turns at most kGiro degrees a frame. Whoever is lit while
// moving is caught and sent back to his start (and stands dazed for a moment): the light
// needs kGracia frames on a moving body, about the time a person takes to let go of a key
// when it reaches him, so a sweep that only brushes past catches nobody. The player on
// turn wins when nobody has reached the rack after 30 seconds, and loses as soon as one
// does.
#include "minigames/mini_juego_cronometrado.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <vector>

class TMiniJuego6 : public TMiniJuegoCronometrado {
   public:
    // The rack's front (the goal) and the torch's lens, virtual units.
    static constexpr float kMetaX = 512, kMetaY = 215;
    static constexpr float kLinternaX = 512, kLinternaY = 190;
    static constexpr float kRadioSalida = 520;  // starts lie this far from the goal
    static constexpr float kLlegada = 14;       // an opponent this close has arrived
    static constexpr float kPaso = 0.9f;        // units a frame while the key is held
    static constexpr float kGiro = 2.2f;        // most degrees the beam turns a frame
    static constexpr int kGracia = 7;           // frames lit while moving that catch
    static constexpr float kMedio = 11;         // half the beam's opening, degrees
    static constexpr float kAturdido = 1;       // seconds a caught one stands still
    static constexpr float kAltoPecho = 40;     // the body's middle above the feet

    // An opponent creeping to the rack.
    struct TSombra {
        float x = 0, y = 0;     // feet
        float x0 = 0, y0 = 0;   // start
        bool moviendo = false;  // held his key this frame
        int luz = 0;            // frames in a row lit while moving
        float quietoHasta = 0;  // now() until which he stands dazed
        int pillado = 0;        // times caught
        int animacion = 0;      // last set
    };

    float angulo = 0;                // the beam, degrees from straight down (+ towards x)
    std::array<TSombra, 3> sombras;  // by opponent index
    int llegado = -1;                // opponent who reached the rack, -1 none

    static void cargarRecursos();
    static TImagePtr fondo;  // artwork/fondo-apagon.png
    static TImagePtr rack;   // artwork/rack-apagon.png, handle at its bottom middle
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {fondo, rack}; }

    static std::unique_ptr<TMiniJuego6> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;

    // The direction from the lens to a point, degrees from straight down, and whether the
    // beam lights a figure standing at (x, y).
    static float anguloHacia(float x, float y);
    bool iluminado(float x, float y) const;

   protected:
    const TTextos& textos() const override;
    void empezar() override;
    void actualizar() override;
    int decidir() const override { return llegado >= 0 ? 0 : -1; }
    int alAcabarse() const override { return 1; }
    void alDecidir() override;
    void dibujar() override;

   private:
    void animarSombra(int k, int a);
};
