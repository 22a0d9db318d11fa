#pragma once
// "No te mojes": the player on turn walks his character with the mouse from the bottom of
// a wet floor up to the showers at the top. The floor's puddles grow out of a noise field:
// the floor is wet wherever the noise lies below the water level. The three opponents
// each work a garden hose at the right edge (Q, B, P): a bulge of water runs along the
// hose to its mouth, and a press while it is at the mouth pours, raising the level by 10.
// The level drains by 1 every 200 ms. Stepping into deep water loses; reaching the top
// wins.
//
// TMiniJuego2    the minigame: floor, water level, ripples and sprays, frame loop
// T2JugadorRaton the player on turn (mouse)
// T2JugadorAgua  an opponent's hose with its bulge
// One header for the family (they reach each other through the minigame), one source per
// type: mini_juego2.cpp, 2_jugador_raton.cpp, 2_jugador_agua.cpp.
#include "engine/perlin_noise.h"
#include "engine/tiempo.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "platform/pixels/pixmap.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMiniJuego2;

// The player on turn. Status: 0 playing, 1 reached the showers, 2 stepped into deep water.
class T2JugadorRaton {
   public:
    int X = 320, Y = 420;          // virtual-screen units
    int XGoal = 320, YGoal = 420;  // walk target
    int Speed = 1;                 // units per frame on each axis
    int Status = 0;
    int pj = 0;  // character index
    TMiniJuego2* juego = nullptr;
    int animant = 0;  // animation last set

    // Stands at (x, y), waiting (animation 8).
    static std::unique_ptr<T2JugadorRaton> Create(int pj, int x, int y, TMiniJuego2* juego);
    // Prepares the pose and draws it with the character's pack.
    int DrawSelf();
    // Mouse, walk, animation, then the deep-water and showers tests (in that order).
    int UpdateState();

   private:
    void ponerAnimacion(int a);
};

// An opponent's hose at the right edge of the floor. posicionBola is the bulge's distance
// right of X (-1: no bulge); it runs from 241 toward the mouth at 43 and then shrinks
// away there in 10 frames, the only frames in which a press pours.
class T2JugadorAgua {
   public:
    int X = 100, Y = 800;  // position of the hose image
    TImagePtr Image;       // the hose
    int tecla = 0;         // virtual-key code
    double posicionBola = -1;
    double velocidadBola = 0;  // units per frame, negative toward the mouth
    TMiniJuego2* juego = nullptr;
    int num = 0;             // opponent slot
    double tamanioBola = 1;  // bulge scale
    int gluglu = 0;          // 1 when the current bulge was spoiled by an early press

    // At (783, 200 + 100 num); gives the bulge picture its handle (0, 18).
    static std::unique_ptr<T2JugadorAgua> Create(const TImagePtr& image, int num, int tecla,
                                                 TMiniJuego2* juego);
    int DrawSelf();
    int UpdateState();
};

class TMiniJuego2 : public TMiniJuegoPorFrames {
   public:
    // The floor: 384 x 320 cells of two by two virtual units, its top-left at (0, 128).
    static constexpr int ANCHO_SUELO = 384;
    static constexpr int ALTO_SUELO = 320;
    static constexpr int Y_SUELO = 128;
    // Water textures: 32 frames, each tiling the floor in 128 x 128 cells.
    static constexpr int FRAMES_AGUA = 32;
    static constexpr int LADO_TEXTURA = 128;

    std::unique_ptr<TPerlinNoise> noise;  // the noise generator of this play
    std::vector<std::vector<int>> ruido;  // noise height of each floor cell [x][y], 0..255
    TImagePtr imgAgua;                    // the water layer, repainted every frame
    TImagePtr imgManchas;                 // the damp stains
    int nivel = 0;                        // current water level
    int nivelObjetivo = 0;                // level the water is moving to
    int aguaAlto = 20, aguaBajo = 0;      // the marks the water was last worked out with
    std::unique_ptr<T2JugadorRaton> jugadorRaton;
    int32_t tiempoVaciado = 0;                                    // clock (ms) of the last drain step
    std::array<std::unique_ptr<T2JugadorAgua>, 3> jugadoresAgua;  // by opponent slot
    TImagePtr imgFondo;
    std::array<int, 3> echandoAgua{};                  // 1 for the frame in which hose k pours
    std::array<int, 3> circuloAgua{};                  // ripple parameter of hose k, 0 = none
    std::array<int, 3> frameChorro{};                  // spray frame of hose k, 1..6, 0 = none
    std::array<TPixmapPtr, FRAMES_AGUA> texturaAgua2;  // frame 0 of each texture (nullptr: missing)
    int frameAgua = 0;                                 // texture frame in use, 0..31
    std::array<TImagePtr, 6> animChorro;               // spray frames
    VBAPtr anim;                                       // from Create
    TPaquetes pjsGFX;                                  // from Create
    std::array<AnimStatePtr, 4> pjsAnim;               // one playback state per character
    std::unique_ptr<TTiempo> tiempo;                   // 60 fps; now = getTimer(0), seconds
    std::array<int, 3> teclas = asientos::TECLAS_UNA_TECLA;  // key of each opponent slot
    int win = 0;                            // 1 once the player on turn reached the showers
    int lose = 0;                           // 1 once he stepped into deep water
    double timer = 0;                       // now (s) when the outcome was decided

    // ---- module resources, shared by every play ----
    // Start-up: the bulge picture.
    static void cargarRecursos();
    static TImagePtr imgBola;  // artwork/manguera-hinchada.png
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {imgBola}; }

    // Keeps the set and the packs, makes the four playback states and the frame timer.
    static std::unique_ptr<TMiniJuego2> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // iniciarJuego: explanation, game, 5-second closing scene; 1 won, 0 lost, 1 on Escape.
    // Rebuilds imgAgua for the level band bajo .. alto with the current texture frame.
    int generaAgua(int alto, int bajo);
    // Builds imgManchas: dark stains where the noise is 100 or less.
    int generaManchas();
    // 1 when the virtual point (x, y) is in deep water (alpha above 140 in imgAgua).
    int esAguaLetal(int x, int y);
    static uint8_t alfaAgua(int d, int alto, int bajo);

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    // The explanation screen for the player on turn t (blocks until read).
    void explicar(int t) override;
    // Per-play resources, the floor from new noise, the player and the hoses.
    void prepararJuego(int t) override;
    // One pass of the frame loop: Escape, update, drawing, flip. -1 while the game goes
    // on, otherwise the result to return.
    int frameJuego() override;

    // Seconds on this play's frame timer.
    float now() const { return tiempo ? tiempo->getTimer(0) : 0.0f; }

    TImageFontPtr fuente;  // artwork/comic.ttf at 50: the result texts
    int turno = 0;         // character of the player on turn

   private:
    void dibujarOndasYChorros();
};
