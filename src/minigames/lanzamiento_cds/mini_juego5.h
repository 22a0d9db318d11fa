#pragma once
// "Lanzamiento de CDs": the player on turn stands at the top and throws discs down the
// floor with the mouse; the three opponents walk along the bottom (Q-W, V-B, O-P) and
// catch them. A disc leaving through the bottom edge is a point; ten points within the
// 30 seconds of the counter win, otherwise time runs out and the player on turn loses.
//
// TMiniJuego5     the minigame: resources, the frame loop, points and outcome
// T5JugadorRaton  the thrower (5_jugador_raton.h)
// T5Jugador       an opponent (5_jugador.h)
// T5CD            a disc (5_cd.h)
//
// Start-up calls TMiniJuego5::cargarRecursos() once. A play:
//   auto m = TMiniJuego5::Create(anim, pjsGFX);
//   int r = m->iniciarJuego(equipo);   // 1 won (or Escape), 0 lost
#include "engine/tiempo.h"
#include "minigames/lanzamiento_cds/5_cd.h"
#include "minigames/lanzamiento_cds/5_jugador.h"
#include "minigames/lanzamiento_cds/5_jugador_raton.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TMiniJuego5 : public TMiniJuegoPorFrames {
   public:
    std::unique_ptr<T5JugadorRaton> jugadorRaton;         // the player on turn
    std::array<std::unique_ptr<T5Jugador>, 3> jugadores;  // the opponents, by opponent slot
    TImagePtr imgFondo;                                   // artwork/fondo-minijuego5.png
    VBAPtr anim;                                          // the animation set from Create
    TPaquetes pjsGFX;                                     // the packs from Create (by character)
    std::array<AnimStatePtr, 4> pjsAnim;                  // one playback state per character
    std::unique_ptr<TTiempo> tiempo;                      // 60 fps, made by each play
    TListaCDs cds;                                        // discs on the floor
    int puntosRetador = 0;                                // points of the player on turn
    double tiempoIni = 0;                                 // now at the start of play, seconds
    int limiteTiempo = 30;                                // seconds on the counter
    int puntuacionNecesaria = 10;                         // points needed to win
    int timeOut = 0;                                      // 1 once time has run out
    int win = 0;                                          // 1 once the player on turn has won
    double timer = 0;                                     // now when the outcome was decided
    TImageFontPtr fuentePequena;                          // artwork/comic.ttf at 20
    TImageFontPtr fuenteGrande;                           // artwork/comic.ttf at 50

    // ---- module resources, shared by every play ----
    // Start-up: the disc picture.
    static void cargarRecursos();
    static TImagePtr imgCD;  // artwork/cd.png; every disc sets its handle to its centre
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {imgCD}; }

    // Keeps the set and the packs (shared) and makes one playback state per character.
    static std::unique_ptr<TMiniJuego5> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // iniciarJuego: explanation, game and closing scene: 1 won, 0 lost. Escape during
    // play: 1 at once; during the closing scene: the outcome at once.
    // The thrower has the pointer; each catcher walks with two keys (teclasDosTeclas).
    asientos::TPapeles asientos(int turno) const override;
    // One point for the player on turn; the tenth wins (nothing once time is out).
    int sumaPunto();

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    // The explanation screen for the player on turn t (blocks until read).
    void explicar(int t) override;
    // Frame timer, per-play resources and the characters for the player on turn t.
    void prepararJuego(int t) override;
    // One pass of the frame loop: -1 while the play goes on, else the result (also on
    // Escape, checked before anything else of the frame).
    int frameJuego() override;
    // Whole seconds left on the counter, rounded up (negative once time is out).
    int segundosRestantes() const;

    // Seconds on the minigame clock.
    float now() const { return tiempo ? tiempo->getTimer(0) : 0.0f; }
    // Character c's playback state; nullptr for an index out of range or no set.
    AnimState* animDe(int c) const;
    // Character c's pack; nullptr when there is none.
    const VGP* paqueteDe(int c) const;
    // Starts animation a on character c from now (loop 1 or 0).
    void ponerAnimacion(int c, int a, int loop = 1);
    // Draws character c's last prepared pose at (x, y).
    void dibujarHuesosDe(int c, int x, int y) const;

    static const std::vector<std::string> textoTurno;
    static const std::vector<std::string> textoOtros;
};
