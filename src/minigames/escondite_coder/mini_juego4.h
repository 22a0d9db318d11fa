#pragma once
// "Escondite Coder": the player on turn is the boss, stuck at his desk by the leisure
// area, watching three coders at theirs. The coders (Q, B, P) sneak up the screen, desk
// and chair and all, one step per key hit. The boss's countdown runs down by itself,
// faster the further the coders have got and faster still while he shakes the mouse;
// when it passes zero he turns about for a moment and catches every coder who moved in
// the last quarter second. The boss wins when all three are caught or the 30-second meter
// runs out, and loses as soon as one coder reaches the top.
//
// TMiniJuego4  the minigame (this file); the desks and chairs are TAcces (acces.h), the
//              figures are board tokens (TFicha) standing in a room seen through a camera
//              whose world units are the screen's.
#include "board/ficha.h"
#include "engine/camera.h"
#include "engine/contador.h"
#include "engine/tiempo.h"
#include "minigames/escondite_coder/acces.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TMiniJuego4 : public TMiniJuego {
   public:
    VBAPtr anim;                                            // the shared animation set
    TPaquetes gfx;                                          // 0-3 the characters, 4 the hostess
    std::unique_ptr<TTiempo> tiempo = TTiempo::Create(60);  // now = getTimer(0), seconds
    std::vector<TSpritePtr> listaSprites;                   // everything drawn through cam
    TCameraPtr cam;                                         // world units = screen units
    TFichaPtr fichaTurno;                                   // the boss
    std::array<TFichaPtr, 3> otros;                         // the coders, by opponent index
    std::array<float, 3> cuandoOK{};                        // s: still again after this
    std::array<float, 3> cuandoPress{};                     // s: key hits before this are lost
    std::array<int, 3> ready{};                             // 1 still (safe), 0 just moved
    int salvado = 0;                                        // 1 once a coder reached the top
    std::array<int, 3> pillado{};                           // 1 once caught
    std::array<float, 3> dir{};                             // +1 / -1, flips at every step
    std::vector<TFichaPtr> tias;                            // the hostesses
    float cuenta = 10;                                      // the boss's countdown, s
    std::unique_ptr<TContador> contador;                    // the 30-second meter

    // Keys of coders 0, 1, 2.
    static constexpr std::array<int, 3> teclas = asientos::TECLAS_UNA_TECLA;
    // A coder's y when he reaches the leisure area, and his step per key hit.
    static constexpr float kCima = 128;
    static constexpr float kPaso = 7.5f;

    // ---- module resources, shared by every play ----
    // Start-up: the background, the desk, the chair and the boss's font.
    static void cargarRecursos();
    static TImagePtr fondo;                                 // artwork/fondillo4.png, drawn at (0, 0)
    static TImagePtr mesa;                                  // artwork/mesasola.png, mid-handled
    static TImagePtr silla;                                 // artwork/sillasola.png, handle mid bottom row
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {fondo, mesa, silla}; }
    static TImageFontPtr fuenteJefe;                        // artwork/comic.ttf at 250: the countdown
    static const std::array<std::string, 14> lineasCodigo;  // what the coders type

    // A ready play: vba and packs kept, frame timer at 60 fps, camera over the screen.
    static std::unique_ptr<TMiniJuego4> Create(const VBAPtr& vba, const TPaquetes& packs);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // iniciarJuego: explanation, game, closing scene; 1 the boss won, 0 he lost or Escape
    // was held.
    // The coders' keys: a step up for every hit accepted.
    void getInput();

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    // The explanation screen for the boss t (blocks until read); remembers the mouse.
    // The clock then steps over the time the explanation took.
    void explicar(int t) override;
    // The figures, furniture and code lines for the boss t, the meter started.
    void prepararJuego(int t) override;
    // True while the play goes on: Escape not held, somebody not caught, nobody at the
    // top, time left on the meter.
    bool sigueJuego();
    // True once the outcome is settled: all three caught, a coder at the top, or the
    // meter run out.
    bool decidido() const;
    // One frame of the play.
    void frameJuego();
    bool jugarFrame() override;
    // 1 when the boss won; sets everybody's end animation.
    int resultado();
    // After the play: the result, with the closing scene unless Escape is held.
    int terminar() override;
    // The 2-second closing scene.
    void escenaFinal();

    // Seconds on the play's clock.
    float now() const { return tiempo->getTimer(0); }
    // One hostess's animation: successive draws of 0..100 pick 1, 5, 8, 10 or 14.
    static int animacionAzafata();

    int turno = 0;                       // the boss's character
    float cima = 768;                    // highest point (smallest y) a free coder reached
    float ritmo = 0;                     // countdown units per second in the last frame
    std::array<TAccesPtr, 3> mesas;      // each coder's desk
    std::array<TAccesPtr, 3> sillas;     // each coder's chair
    std::array<int, 3> linea{};          // each coder's code line (index)
    std::array<float, 3> cuandoLinea{};  // s: the line changes after this
    int ratonAntX = 0, ratonAntY = 0;    // mouse (screen pixels) at the last reading

   private:
    // Desk behind the coder, chair under him.
    void colocarMuebles(int k);
    // Wobble while moving: the coder and his chair lean one way, the desk the other.
    void inclinar(int k, float factor);
    // Sorted by depth and drawn through the camera, over the background.
    void dibujarEscena();
};
