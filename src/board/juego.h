#pragma once
// One board game match, from the first roll to the winner's celebration, all inside
// `start`. On a turn the player on turn stops the roulette (a typed character or a left
// or right mouse button) and gets 1 to 6; his token walks that many squares at 2.5 squares
// a second, walking back the steps left over at the finish; the square it stops on takes
// effect (a minigame, another roll, or back to where the turn began). The first token to
// stop exactly on the finish wins. Holding Escape ends the match.
//
// The minigames live in a layer of their own that builds on this one, so the match is
// told which ones it plays (one tile code per minigame kind, from their catalogue) and
// starts them through a launcher handed to Create: launcher(juego, equipo) makes the
// minigame of kind `juego` (an index into those tiles) with the animation set and packs,
// runs its iniciarJuego(equipo) and returns the result: 1 when the player on turn won,
// 0 when he lost.
//
// Its sources: juego.cpp, module resources and Create (board, tokens, tiles);
// juego_turno.cpp, start and the turn (roulette, walk), square effects and the zoom into
// a minigame, the winner; juego_dibujo.cpp, drawing.
#include "board/equipo.h"
#include "board/ficha.h"
#include "board/tablero.h"
#include "engine/camera.h"
#include "engine/mapa.h"
#include "engine/sprite.h"
#include "engine/tiempo.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "vba/anim_state.h"
#include "vgp/vgp.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TMiniJuego;

// What one player did in a match, for the podium. A minigame counts for all four: the
// player on turn wins it or loses it, and the three others the other way round.
struct TEstadistica {
    int ganados = 0;  // minigames won
    int perdidos = 0;  // minigames lost
    int muertes = 0;   // death squares landed on
    int turnos = 0;    // turns taken (a roll again is another turn)
    bool operator==(const TEstadistica&) const = default;
};

using TLanzadorMiniJuego = std::function<int(int juego, const TEquipo& equipo)>;

class TJuego {
   public:
    std::vector<std::shared_ptr<TMiniJuego>> listaJuegos;  // stays empty: each square makes a new one
    int32_t tipo = 1;                                      // board size class (below)
    // The board classes of the three match lengths the players choose from: about 10
    // minutes, the usual board, and half as long again (four computers at level 2).
    // "Corta", "Normal" and "Larga". The short and long boards of earlier rules keep their
    // class numbers, so that their journals and saves build the same boards.
    static constexpr int TIPO_CORTO = 7, TIPO_NORMAL = 1, TIPO_LARGO = 6;
    static constexpr int TIPO_CORTO_14 = 3, TIPO_LARGO_36 = 4, TIPO_CORTO_11 = 5;
    std::unique_ptr<TTablero> tablero;
    TCameraPtr cam;  // the map's camera
    TMapaPtr mapa;
    std::unique_ptr<TEquipo> equipo;
    std::vector<TFichaPtr> fichas;             // one per player slot
    std::vector<TSpritePtr> sprites;           // drawn through the camera, sorted by z: the tokens
    std::unique_ptr<TTiempo> tiempo;           // 60 frames per second
    int32_t ganado = -1;                       // winner's slot, -1 while nobody has won
    VBAPtr anim;                               // the shared animation set
    VBAPtr animPortrait;                       // the same set, for the portraits
    std::array<VGPPtr, 5> pjsGFX;              // packs by character (the fifth is the girl's)
    std::array<AnimStatePtr, 4> portraitAnim;  // portrait playback by slot, all four always
    TLanzadorMiniJuego lanzador;               // starts a minigame (see the top of this file)
    std::vector<int> tilesJuegos;              // tile code of each minigame kind's squares
    // Escape was held while a square took effect (the zoom, the minigame or the banner).
    // The input is flushed after a minigame, so the walk and the match remember it and
    // end as if it were still held.
    bool abandonar = false;
    // The roulette turns and waits for the player on turn to stop it (read by the
    // computer players' board brain).
    bool ruletaEsperando = false;
    std::array<TEstadistica, 4> estadisticas{};  // by slot
    // The standings bar over the board (matches that have a podium).
    bool clasificacion = false;
    // The game generator's state when Create began: seeded with it again, Create makes
    // the same board, tiles and all (a saved match is resumed that way).
    int32_t semillaTablero = 0;
    // Runs at each turn's start, before anything of the turn (a match saves itself there).
    std::function<void(TJuego&)> alEmpezarTurno;

    // A match of numPlayers (2 .. 4) on a board of class tipo: 0 gives 18 to 24 squares,
    // 1 gives 26 to 35, 2 gives 40 to 55, TIPO_CORTO 9, TIPO_LARGO 39 to 45,
    // TIPO_CORTO_11 11 to 14, TIPO_CORTO_14 14 to 17 and TIPO_LARGO_36 36 to 42 (any other
    // plays as 1), with one minigame kind per entry of tiles (its squares' tile code).
    // Throws GameError "TJuego::Create numPlayers <2 / > 4" outside 2 .. 4.
    static std::unique_ptr<TJuego> Create(int numPlayers, int tipo, const VBAPtr& vba,
                                          const std::array<VGPPtr, 5>& gfx, TLanzadorMiniJuego lanzador,
                                          std::vector<int> tiles);
    // The number of minigame kinds.
    int initJuegos() const { return static_cast<int>(tilesJuegos.size()); }
    // Runs the match until a winner has been celebrated for 5 seconds or Escape is held.
    void start();
    // One turn: the roulette, then the walk and the square's effect.
    void enTurno();
    // Five seconds of "GANADOR!!!!" and the winner's name.
    void ganador(int slot);
    // The effect of the square with board code codigo for the player on turn; 1 when he
    // keeps the square reached, 0 when the token goes back to where the turn began.
    int lanzar(int codigo);
    // The board whirls and grows while it fades to white.
    void zoomJuego();

    // The prompt over the wheel: "PULSA UNA TECLA!", or "JUEGA LA CPU" when a computer is
    // on turn (nobody needs to press then).
    void dibujaClick();
    void dibujaWin();
    void dibujaNombre(int slot);
    void dibujaRuleta(float angle);
    void dibujarPortrait(int slot, float x, float y, float scale);
    // Places every token on its square (or between two) and points the camera at the
    // player on turn.
    void updatePosiciones();

    // The first half of a turn: the roulette for slot s until it has stopped and shown
    // its number for a second. The roll 1 .. 6, or negative when Escape ended it first.
    int girarRuleta(int s);
    // The second half: the player on turn walks tirada squares (back from the finish
    // when it is reached early) and the square reached takes effect.
    void caminar(int tirada);

    // The slots from nearest the finish to farthest (the winner first; equals by slot).
    std::array<int, 4> orden() const;
    // Squares from slot s's square to the finish.
    int casillasRestantes(int s) const;
    // The standings: a small bar in the upper right corner, clear of the roulette, the
    // prompt, the portrait and the name: each player's place, portrait in a frame of its
    // colour, squares left and computer or network mark.
    void dibujarClasificacion() const;

    // The roll and the wheel's resting angle when it stops at angle (degrees): the wheel
    // snaps to the nearest multiple of 60, halfway upward.
    static void resultadoRuleta(float angle, int& tirada, float& reposo);

    // Start-up: the roulette, its marker and the size-200 font. Missing files draw nothing.
    static void cargarRecursos();
    static TImagePtr ruleta;
    static TImagePtr marcador;
    static TImageFontPtr fuente;
    static constexpr std::array<float, 4> offsetX{35, 93, 35, 93};  // token inside its cell
    static constexpr std::array<float, 4> offsetY{50, 50, 108, 108};

   private:
    // Board codes of the squares (the board's kinds with the match's minigames, from 10
    // on, and 2 special kinds).
    static constexpr int SALIDA = 0;
    static constexpr int META = 1;
    static constexpr int PRIMER_MINIJUEGO = 10;
    static constexpr int OTRA_TIRADA = 60;
    static constexpr int MUERTE = 61;

    // One frame of the board for slot s: tokens placed, map, numbers, [entreCapas],
    // tokens, portrait, [antesNombre], name.
    void dibujarTablero(int s, const std::function<void()>& entreCapas = {},
                        const std::function<void()>& antesNombre = {});
    // Starts animation a on token s (when it exists) or on portrait s, from now, looping.
    void animarFicha(int s, int a);
    void animarPortrait(int s, int a);
    float ahora() const { return tiempo->getTimer(0); }
    // Escape held now, or held during the last square's effect.
    bool salir() const;
};
