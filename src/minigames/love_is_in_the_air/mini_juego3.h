#pragma once
// "Love is in the air": the player on turn has caught the eye of a girl and must say
// something to her. Fifteen pick-up lines are listed and a highlight runs down them, a
// little faster at every lap; Space picks the highlighted line. For half a second after
// that the others push the highlight one line on with each press of Q, Y or P. Lines
// 0, 3, 6, 9 and 12 are the polite ones: ending on a multiple of three wins a kiss, any
// other line gets a slap. No time limit, and Escape does nothing.
//
// The play, in order: explanation, entrance (girl and suitor glide in while the scene
// fades in), choosing (phase 0), pushing (phase 1), outcome (phase 2: both slide out to
// the left while the scene fades out), finished (phase 3).
#include "engine/tiempo.h"
#include "minigames/mini_juego.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "vba/vba.h"

#include <array>
#include <memory>
#include <string>

class TMiniJuego3 : public TMiniJuego {
   public:
    // The original pick-up lines, top to bottom; the polite ones are those at a multiple
    // of three. The gentle ones of frases.h stand in when chosen.
    static const std::array<std::string, 15> frases;
    // The lines of this play (chosen by prepararJuego; the originals until then).
    const std::array<std::string, 15>* lineas = &frases;

    // ---- state of the running play ----
    int seleccion = 0;                // highlighted line (runs past 14 while pushing: no line shows)
    float intervalo = 0.5f;           // seconds between two moves of the highlight
    float intervaloMinimo = 0.0625f;  // the interval is not halved below this
    float ultimoCambio = 0;           // clock reading (s) of the last move, or of the pick
    int fase = 0;                     // 0 choosing, 1 pushing, 2 outcome, 3 finished
    int resultado = -1;               // -1 undecided, 1 won, 0 lost
    int xChica = 1180;                // left edge of the girl's picture
    int xPretendiente = -320;         // left edge of the suitor's picture
    float paso = 40;                  // horizontal movement of both pictures per frame
    float fundido = 0;                // alpha of the scene
    // The play's own clock (s). Its first update jumps by a second, so the highlight
    // first moves on the second frame. Measures the highlight intervals and the push window.
    std::unique_ptr<TTiempo> reloj;
    int turno = 0;  // slot on turn: whose suitor picture shows

    // Per-play pictures (default flags, handle at the top-left corner).
    TImagePtr fondo;         // artwork\fondo-minijuego3.png
    TImagePtr chica;         // artwork\chica-gorvia.png
    TImagePtr chicaOstion;   // artwork\chica-gorvia-ostion.png, after a wrong line
    TImagePtr pretendiente;  // artwork\<slot>-enamorao.png of the slot on turn

    // ---- module resources ----
    // Start-up: the phrase font.
    static void cargarRecursos();
    static TImageFontPtr fuente;  // artwork/comic.ttf at 16, smooth

    // A new play. This minigame uses neither the animation set nor the packs.
    static std::unique_ptr<TMiniJuego3> Create(const VBAPtr& anim, const TPaquetes& pjsGFX);
    std::unique_ptr<asientos::TCerebro> cerebro() const override;
    // iniciarJuego: explanation, entrance, the choice and its outcome; 1 won, 0 lost.
    // The suitor picks with Space; the others push with Q, Y and P.
    asientos::TPapeles asientos(int turno) const override;

    // ---- the steps of iniciarJuego, also run one by one by the tests ----
    // Scale (1, 1) and the explanation screen for slot t (blocks until read).
    void explicar(int t) override;
    // Scale (1, 1), the pictures for slot t, the phrase font, a fresh clock read as the
    // last move.
    void prepararJuego(int t) override;
    // The entrance frames, until the girl's left edge is at 800 or less.
    void entrada() override;
    // One frame of the main loop; true while the play goes on (phase not 3).
    bool frameJuego();
    bool jugarFrame() override { return frameJuego(); }
    int terminar() override { return resultado; }

   private:
    void dibujarFrases() const;
};
