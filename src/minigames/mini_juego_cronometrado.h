#pragma once
// The play loop of the timed minigames: the player on turn holds out against the three
// others for 30 seconds (the countdown meter along the bottom), or the play is decided
// earlier by its own rule. Every frame: Escape, the frame timer, the minigame's update
// and rule while undecided, its scene, the meter or the result banner, flip and pacing.
// Once decided the scene goes on for three seconds under "BIEN HECHO!" or "HAS
// PERDIDO!" (as the player on turn sees it), with everybody's end animation; then the
// play returns. Escape skips the play and the player on turn keeps the move (1); once
// the outcome is on screen it only cuts the ending short.
//
// A minigame on this loop gives its explanation texts, its set-up, its frame update,
// its rule and its scene; speeds are per frame at the timer's 60 frames per second.
#include "engine/contador.h"
#include "engine/tiempo.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TMiniJuegoCronometrado : public TMiniJuego {
   public:
    static constexpr float kDuracion = 30;  // seconds on the meter
    static constexpr float kCierre = 3;     // seconds of ending after the outcome

    // What the explanation shows: the title, the lines of both pages, and the key labels
    // of opponents 0, 1 and 2.
    struct TTextos {
        std::string titulo;
        std::vector<std::string> turno, otros;
        std::array<std::vector<std::string>, 3> teclas;
    };

    // ---- state of the running play ----
    std::unique_ptr<TTiempo> tiempo = TTiempo::Create(60);  // the play's clock; now() in seconds
    std::unique_ptr<TContador> contador;                    // the 30-second meter
    int turno = 0;                                          // the character on turn
    std::array<int, 3> otros{};                             // opponents 0, 1, 2 (characters)
    int resultado = -1;                                     // -1 undecided, 1 won, 0 lost
    float decidido = 0;                                     // now() when the outcome was set
    int frames = 0;                                         // frames played so far

    // The four characters: the shared set and packs, a playback state each.
    VBAPtr anim;
    TPaquetes gfx;
    std::array<AnimStatePtr, 4> pjs;

    float now() const { return tiempo->getTimer(0); }
    bool enJuego() const { return resultado < 0; }
    // The seat on turn while the play runs (set up and undecided), else -1: what the
    // brains play.
    int turnoEnJuego() const { return contador && enJuego() ? turno : -1; }

    // Start-up: the banner's font.
    static void cargarFuente();
    static TImageFontPtr fuente;  // artwork/comic.ttf at 50

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    void explicar(int t) final;
    // The roles, the meter, then the minigame's own set-up (empezar).
    void prepararJuego(int t) final;
    // One frame; false once the play is over.
    bool jugarFrame() final;
    int terminar() final { return resultado; }

   protected:
    // A play of Juego with the set and the packs, a playback state per character.
    template <class Juego>
    static std::unique_ptr<Juego> crear(const VBAPtr& a, const TPaquetes& paquetes) {
        auto m = std::make_unique<Juego>();
        m->anim = a;
        m->gfx = paquetes;
        for (auto& s : m->pjs) s = AnimState::Create(a);
        return m;
    }
    // Character c starts animation a from now, looping.
    void animar(int c, int a);
    // Character c advanced to now and drawn standing at (x, y) with its pack.
    void dibujarFigura(int c, float x, float y);

    virtual const TTextos& textos() const = 0;
    // Per-play resources and entities; the roles are set.
    virtual void empezar() = 0;
    // One frame of play while undecided (input, movement, touches).
    virtual void actualizar() = 0;
    // The rule after each update: -1 while undecided, else the result for the player on
    // turn. When the meter runs out undecided, alAcabarse() decides.
    virtual int decidir() const = 0;
    virtual int alAcabarse() const = 0;
    // The outcome has just been set: end animations and sounds.
    virtual void alDecidir() = 0;
    // The scene (every frame, also during the ending), in the state the render state is
    // left in at the start of the frame: white, alpha 1, alpha blending, scale 1.
    virtual void dibujar() = 0;
};
