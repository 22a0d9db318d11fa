// "Love is in the air" played by the computer: the player on turn hits Space as the
// highlight lands on a polite line (multiples of three), late now and then as the
// highlight speeds up; in the half second after the pick each other player pushes the
// highlight on whenever he sees it on a polite line, reacting to what he saw a moment ago
// (so two of them may push together and land on a polite line again).
#include "minigames/love_is_in_the_air/cerebro_love_is_in_the_air.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "platform/input/input.h"

#include <algorithm>

namespace {
// The push keys of opponents 0, 1, 2, as the explanation shows them.
constexpr std::array<int, 3> kTeclasEmpujar = {KEY_Q, KEY_Y, KEY_P};

class TCerebroLove : public TCerebroMiniJuego {
   public:
    explicit TCerebroLove(const TMiniJuego3& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.reloj ? juego.turno : -1; }

    void jugarTurno() override {
        if (juego.fase != 0 || juego.xChica > 800) return;  // still coming in, or picked
        const int32_t ahora = ahoraMs();
        if (desde == 0) desde = ahora + asientos::entre(800, 2500);  // reads the lines first
        if (ahora < desde) return;
        if (juego.seleccion != vista) {
            vista = juego.seleccion;
            // The hand reacts to the new line after a while: on time only while the
            // highlight moves slowly enough.
            pulsarEn = juego.seleccion % 3 == 0 ? ahora + asientos::reaccionMs() - 120 : 0;
            if (pulsarEn && asientos::reaccionMs() > static_cast<int>(juego.intervalo * 1000) + 120)
                pulsarEn = 0;  // too fast for this hand: waits for another
        }
        if (pulsarEn && ahora >= pulsarEn) {
            asientos::mando::pulsar(KEY_SPACE);
            pulsarEn = 0;
        }
    }

    void jugarOponente(int k) override {
        Empujador& e = empujadores[static_cast<size_t>(k)];
        if (juego.fase != 1) {
            e.cuando = 0;
            return;
        }
        const int32_t ahora = ahoraMs();
        // Half a reaction: he already watches the highlight. Even a sharp player needs
        // about a tenth of a second to see it land and press.
        if (e.cuando == 0 && juego.seleccion % 3 == 0) {
            // One draw per statement: the order of the draws must not depend on the compiler.
            const int minimo = asientos::entre(100, 200);
            e.cuando = ahora + std::max(asientos::reaccionMs() / 2, minimo);
        }
        if (e.cuando != 0 && ahora >= e.cuando) {
            // A sharp player looks again before pressing and holds back when somebody
            // else has already pushed off the polite line.
            const float mira = asientos::nivel() == asientos::NIVEL_FACIL    ? 0.1f
                               : asientos::nivel() == asientos::NIVEL_NORMAL ? 0.25f
                                                                             : 0.3f;
            if (juego.seleccion % 3 == 0 || !asientos::azar(mira))
                asientos::mando::pulsar(kTeclasEmpujar[static_cast<size_t>(k)]);
            e.cuando = 0;
        }
    }

   private:
    struct Empujador {
        int32_t cuando = 0;
    };
    const TMiniJuego3& juego;
    std::array<Empujador, 3> empujadores{};
    int32_t desde = 0, pulsarEn = 0;
    int vista = -1;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego3& juego) {
    return std::make_unique<TCerebroLove>(juego);
}
