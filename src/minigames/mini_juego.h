#pragma once
// The contract every minigame keeps with its two callers (the board match and the
// practice path), and the rules the minigames share: who plays which role, which keys
// the opponents use, how a character is set to an animation and drawn, how poses are
// tested for touches, and how the mouse is read in virtual units.
//
// Calling order, for both callers:
//   auto m = TMiniJuegoN::Create(anim, pjsGFX);   // a new object for every play
//   int r = m->iniciarJuego(equipo);               // explanation, game, closing scene
//   // the caller restores the render state and flushes keyboard and mouse itself
// r is 1 when the player on turn won and 0 when he lost.
#include "engine/asiento/cerebro.h"
#include "engine/asiento/papeles.h"
#include "platform/pictures/image.h"
#include "vba/anim_state.h"
#include "vgp/vgp.h"

#include <array>
#include <cstdint>
#include <memory>

class TEquipo;

// The five graphics packs by character: 0 Tarsun, 1 Er_Varsen, 2 Quelbido, 3 Pexil,
// 4 the girl (not playable). Shared for the whole run.
using TPaquetes = std::array<VGPPtr, 5>;

// Character index of the girl's pack.
inline constexpr int PAQUETE_CHICA = 4;

class TMiniJuego {
   public:
    // The roster of the running play (not owned; the caller keeps it alive for the call).
    // Only its turn is read.
    const TEquipo* equipo = nullptr;

    virtual ~TMiniJuego() = default;

    // Runs the whole play and returns 1 (the player on turn won) or 0 (he lost). Every
    // minigame plays the same way: its explanation and its set-up (in the order
    // prepararPrimero says), its opening, frames while jugarFrame says the play goes on,
    // and terminar, which shows the ending and gives the result. The hooks below are the
    // minigames' own parts. Each minigame class has its own static Create(anim, pjsGFX).
    int iniciarJuego(const TEquipo& equipo);
    // iniciarJuego with this minigame's seats published for its whole run (controllers
    // play the seats' keys), the map before restored afterwards. The callers use this.
    int jugar(const TEquipo& equipo);
    // The keys and the pointer of each seat in this minigame, the seat on turn being
    // `turno`: by default the pointer for him and teclasUnaTecla for the opponents.
    virtual asientos::TPapeles asientos(int turno) const;
    // The map of the two-key minigames: the pointer for the seat on turn, teclasDosTeclas
    // for the opponents.
    static asientos::TPapeles asientosDosTeclas(int turno);
    // The computer players' brain for this play (reading this object, which must outlive
    // it): it works whichever seats computers hold, on turn or not.
    virtual std::unique_ptr<asientos::TCerebro> cerebro() const = 0;

    // ---- roles and keys (the seats' opponents rule, engine/asiento/asiento.h) ----
    static std::array<int, 3> oponentes(int turno) { return asientos::oponentes(turno); }
    static constexpr std::array<int, 3> teclasUnaTecla = asientos::TECLAS_UNA_TECLA;
    static constexpr std::array<std::array<int, 2>, 3> teclasDosTeclas = asientos::TECLAS_DOS_TECLAS;

    // ---- characters ----
    // Starts animation a looping from now (seconds), no blending, its own duration.
    static void ponerAnimacion(AnimState& s, int a, float now);
    // Draws the pose that s last prepared with the pack at (x, y): each bone's graph
    // with its angle and size. Leaves rotation and scale at the last bone's.
    static void dibujarHuesos(const AnimState& s, const VGP& g, float x, float y);
    // The same, with the render state saved before and restored after (GL.push/pop).
    static void dibujarPersonaje(const AnimState& s, const VGP& g, float x, float y);
    // Advances s to now (seconds) and prepares its pose (scale 1, angle 0), then draws it.
    static void avanzarYDibujar(AnimState& s, const VGP& g, float x, float y, float now);

    // ---- touches (real positions truncated, as drawn) ----
    // A character's last prepared pose against an image drawn at (ix, iy).
    static int colisionPoseImagen(const AnimState& s, const VGP& g, float x, float y, const TImagePtr& image,
                                  float ix, float iy, float rotation, float sx, float sy);
    // Two characters' last prepared poses.
    static int colisionPoses(const AnimState& a, const VGP& ga, float xa, float ya, const AnimState& b,
                             const VGP& gb, float xb, float yb);

    // Farthest any pixel of a figure drawn with this set and pack can lie from the
    // figure's position, over every animation and key frame (figure scale 1). Zero for
    // an empty set. Used to tell when something is out of a figure's reach for good.
    static float alcanceFigura(const VBA& anim, const VGP& g);

    // ---- mouse ----
    // The mouse in virtual screen units (1024 x 768), whatever the window size.
    static int ratonX();
    static int ratonY();

   protected:
    // ---- the steps of iniciarJuego, for the player on turn t ----
    // The explanation screen (blocks until read).
    virtual void explicar(int t) = 0;
    // The play's resources and characters.
    virtual void prepararJuego(int t) = 0;
    // True when the characters are set up before the explanation (their animations then
    // start from before it); by default the explanation comes first.
    virtual bool prepararPrimero() const { return false; }
    // What shows between the set-up and the first frame; by default nothing.
    virtual void entrada() {}
    // One frame of the play; false once it is over.
    virtual bool jugarFrame() = 0;
    // After the last frame: the ending, and the result to return.
    virtual int terminar() = 0;
};

// A minigame whose frame itself says when the play is over: frameJuego gives -1 while it
// goes on, else the result, which the play returns as it is.
class TMiniJuegoPorFrames : public TMiniJuego {
   public:
    // One pass of the frame loop: -1 while the play goes on, otherwise the result.
    virtual int frameJuego() = 0;

   protected:
    bool jugarFrame() final { return (resultadoFinal = frameJuego()) < 0; }
    int terminar() final { return resultadoFinal; }

   private:
    int resultadoFinal = -1;
};
