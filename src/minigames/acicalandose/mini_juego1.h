#pragma once
// "Acicalandose": the player on turn walks his character with the mouse to the showers
// beyond the right edge and back out through the left edge to his date, while the three
// opponents at the bottom fire looping kisses along their sweeping arrows (Q, B, P).
// A kiss on the player costs a point of resistance (three and he faints: lost); a kiss on
// one of the girls strolling along the top makes her fall for the shooter and walk down
// to his line, catching the player (lost) if she bumps into him on the way.
//
// TMiniJuego1   the minigame: spawning, the frame loop, the closing scene
// TJugadorRaton the player on turn (mouse), with his progress state meta1
// TJugador1Boton an opponent: arrow, fire key, kisses in flight, fans in line
// TFlecha       an opponent's sweeping arrow
// TBeso         a kiss
// TTolpusero    a girl
// One header for the family (they reach each other through the minigame), one source per type.
#include "engine/tiempo.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"

#include <array>
#include <list>
#include <memory>
#include <vector>

class TMiniJuego1;
class TTolpusero;
class TBeso;

namespace acicalandose {
// Moves v by paso toward objetivo.
inline float hacia(float v, float objetivo, float paso) {
    return v < objetivo ? v + paso : v - paso;
}
}  // namespace acicalandose

// Lists of entities that remove themselves: each keeps an iterator to its own entry.
using TListaBesos = std::list<std::shared_ptr<TBeso>>;
using TListaTolpuseros = std::list<std::shared_ptr<TTolpusero>>;

// A girl of the event. Tipo: 0 walking left along the top, 1 walking right, 2 in love
// and walking down to her opponent's line, 3 standing in that line.
class TTolpusero {
   public:
    float X = 0, Y = 0;
    int XAmor = 0, YAmor = 0;  // where she walks to when in love
    float Angulo = 0;          // rotation of the whole figure (stays 0)
    int Speed = 4;             // units per frame
    AnimStatePtr anim;
    VGPPtr gfx;     // always the girl's pack
    int novia = 0;  // 1 for the date
    int Tipo = 0;
    int EnamoradoDe = 0;  // opponent slot she is in love with
    TMiniJuego1* papa = nullptr;

    // Kind 0 starts at (1000, 100) walking left (animation 2), kind 1 at (-100, 50)
    // walking right (animation 7).
    static std::shared_ptr<TTolpusero> Create(const VBAPtr& anim, const VGPPtr& gfx, int tipo,
                                              TMiniJuego1* papa);
    float getAngulo() const { return Angulo; }
    int DrawSelf();
    // Her entry in the minigame's list, used to remove herself.
    int SetLink(TListaTolpuseros::iterator link);
    // Falls for opponent autor standing at (x, y): walks to 50 units right of him.
    int Enamorame(int autor, float x, float y);
    // Catches the player on turn when her pose touches his.
    int DetectaColisiones();
    int UpdateState();
    int eresMiNovia();

   private:
    TListaTolpuseros::iterator link;
    bool enLista = false;
    void quitarse();
};

// A kiss: flies along its shooter's aim while looping in circles.
class TBeso {
   public:
    float X = 300, Y = 300;
    float Rotacion = 180;  // phase of the loop, degrees
    int Speed = 2;         // forward, units per frame
    TImagePtr Image;       // the heart
    float Angulo = 0;      // aim: 0 straight up, positive clockwise
    int Radio = 5;         // size of the loop, units per frame
    int Autor = 0;         // opponent slot of the shooter
    TMiniJuego1* papa = nullptr;

    // Gives the heart its bottom-centre handle and plays "sfx/muack.wav".
    static std::shared_ptr<TBeso> Create(const TImagePtr& image, float x, float y, float angulo, int autor,
                                         TMiniJuego1* papa);
    int DrawSelf();
    // Its entry in the shooter's list, used to remove itself.
    int SetLink(TListaBesos* lista, TListaBesos::iterator link);
    int UpdateState();
    // Girls first (each one touched falls in love), then the player on turn.
    int detectaColisiones();
    // Out of the shooter's list (no-op when already out).
    void quitarse();
    bool enLista() const { return lista != nullptr; }

   private:
    TListaBesos* lista = nullptr;
    TListaBesos::iterator Link;
};

// An opponent's aiming arrow, sweeping between -84 and 84 degrees in steps of 4.
class TFlecha {
   public:
    float X = 0, Y = 0;
    float Angulo = 0;  // degrees, 0 straight up
    int Speed = 4;     // degrees per frame
    TImagePtr Image;

    // Gives the image its bottom-centre handle.
    static std::unique_ptr<TFlecha> Create(const TImagePtr& image, float x, float y);
    float getAngulo() const { return Angulo; }
    // Leaves the rotation at the arrow's angle.
    int DrawSelf();
    int UpdateState();
};

// An opponent, standing at the bottom of the room.
class TJugador1Boton {
   public:
    std::unique_ptr<TFlecha> Flecha;
    float X = 320, Y = 420;
    AnimStatePtr anim;
    int Boton = 0;       // virtual-key code of the fire key
    TListaBesos Besos;   // kisses in flight
    float QuienSoY = 0;  // opponent slot
    VGPPtr gfx;
    float shotsdelaY = 0;  // frames since the last kiss
    int Fans = 0;          // girls standing in this opponent's line
    TMiniJuego1* papa = nullptr;

    static std::unique_ptr<TJugador1Boton> Create(const VGPPtr& gfx, float x, float y, int boton, int quien,
                                                  TMiniJuego1* papa);
    int DrawSelf();
    // Arrow, fire key (at most one kiss per 51 frames), then every kiss in flight.
    int UpdateState();
};

// The player on turn. meta1: 0 walking, showers not visited; 1 walking on to the showers
// off the right edge; 2 coming back; 3 walking after the showers; 4 walking out through
// the left edge; 5 won, walking off with the date.
class TJugadorRaton {
   public:
    float X = 50, Y = 420;
    int XGoal = 50, YGoal = 420;  // where the character walks to
    int Speed = 3;                // units per frame on each axis
    AnimStatePtr anim;
    std::shared_ptr<TTolpusero> Novia;  // the date, once won
    VGPPtr gfx;
    int meta1 = 0;
    TMiniJuego1* papa = nullptr;

    static std::unique_ptr<TJugadorRaton> Create(const VGPPtr& gfx, float x, float y, int pj,
                                                 TMiniJuego1* papa);
    int DrawSelf();
    int UpdateState();
    // Caught by a girl in love: lost.
    int tanPillao();
    // Fainted with disgust: floats up off the screen.
    int teDanAsco();

   private:
    // Walking toward the goal, one axis at a time; the animation follows the movement.
    void caminar();
};

class TMiniJuego1 : public TMiniJuego {
   public:
    std::unique_ptr<TJugadorRaton> JTurno;
    std::array<std::unique_ptr<TJugador1Boton>, 3> JNoTurno;  // by opponent slot
    TListaTolpuseros Tolpuseros;                              // the girls on screen
    int DelayTolpuseros = 30;                                 // frames between two girls of the same side
    float ProbTolpusero = 0.01f;  // chance per frame of a girl once the delay has passed
    int DelayTolpusero1 = 30;     // frames since the last girl from the right
    int DelayTolpusero2 = 30;     // frames since the last girl from the left
    int ResistenciaAlAmor = 3;    // kisses the player on turn can still take
    int Ganador = 2;              // 2 playing, 1 the player on turn won, 0 lost
    int Asco = 0;                 // 1 once the player on turn has fainted
    double tiem = 0;              // end of the closing scene, seconds of the minigame clock

    // ---- module resources, shared by every play ----
    // Start-up: the heart, the arrow and the background, and the minigame clock.
    static void cargarRecursos();
    static TImagePtr corazon;                // artwork/corazon.png: kisses and the couple's hearts
    static TImagePtr flecha;                 // artwork/flecha-superior.png
    static TImagePtr fondo;                  // artwork/fondo-minijuego1.png
    // The pictures above: at rest between plays (the catalogue wakes them for each).
    static std::vector<TImagePtr> imagenesDelModulo() { return {corazon, flecha, fondo}; }
    static std::unique_ptr<TTiempo> tiempo;  // 60 fps; now = getTimer(0), seconds
    static VBAPtr anim;                      // set by the latest Create
    static TPaquetes pjsGFX;                 // set by the latest Create

    // anim and pjsGFX become the module's animation set and packs (five packs).
    static std::unique_ptr<TMiniJuego1> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // iniciarJuego: set-up, explanation, game, closing scene; 1 won, 0 lost (also when
    // Escape is held).
    // The spawning step of one frame.
    int crearTolpuseros();

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    // Per-play resources and the characters for the player on turn t, their animations
    // started; this comes before the explanation.
    void prepararJuego(int t) override;
    bool prepararPrimero() const override { return true; }
    // The explanation screen (blocks until read).
    void explicar(int t) override;
    // One pass of the frame loop; true while the game goes on (no outcome, no Escape).
    bool frameJuego();
    bool jugarFrame() override { return frameJuego(); }
    // End animations and the 3-second closing scene.
    void escenaFinal();
    // After the loop: the result, with the closing scene unless Escape is held.
    int terminar() override;

    // Seconds on the minigame clock.
    static float now() { return tiempo ? tiempo->getTimer(0) : 0.0f; }

    int turno = 0;  // character of the player on turn
    // Per-play resources.
    TImageFontPtr fuente;    // artwork/comic.ttf at 20
    TImagePtr cartelDuchas;  // artwork/cartel-duchas.png
    TImagePtr cartelCita;    // artwork/cartel-cita.png

    // Kisses out of reach for good are dropped (off only to compare with the game that
    // kept every kiss until the end).
    bool olvidarBesosPerdidos = true;
    // True when a kiss can no longer touch the player or any girl, now or later in the
    // play: it has flown far enough up, or far enough out to the side it is heading.
    bool besoPerdido(const TBeso& beso) const;

   private:
    // Reach of the figures and of the heart (see besoPerdido), worked out per play.
    float alcanceJugador = 0, alcanceChica = 0;
};
