// "Escondite Coder" played by the computer: a coder steps up as fast as his fingers go
// while the boss's countdown leaves time to sit still before he turns, judging it from
// what he saw a moment ago (so a sudden burst of suspicion catches the slow); the boss
// shakes the mouse in bursts when coders are on the move, to turn about sooner.
#include "minigames/escondite_coder/cerebro_escondite_coder.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/escondite_coder/mini_juego4.h"

#include <cmath>
#include <deque>

namespace {
constexpr float kQuieto = 0.25f;  // a coder who moved this recently is caught

class TCerebroEscondite : public TCerebroMiniJuego {
   public:
    explicit TCerebroEscondite(const TMiniJuego4& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.contador && juego.fichaTurno ? juego.turno : -1; }

    // Seconds before the boss turns, as the screen shows it now (negative: he watches).
    float segundosParaGirar() const {
        if (juego.cuenta < 0) return -1;
        return juego.cuenta / std::max(juego.ritmo, 0.5f);
    }

    // What the coders saw: the time left before the turn, a reaction time ago.
    void observar() {
        const int32_t ahora = ahoraMs();
        if (!historia.empty() && historia.back().first == ahora) return;
        historia.emplace_back(ahora, segundosParaGirar());
        while (historia.size() > 120) historia.pop_front();
    }
    float vistoHace(int ms) const {
        const int32_t t = ahoraMs() - ms;
        for (auto it = historia.rbegin(); it != historia.rend(); ++it)
            if (it->first <= t) return it->second - static_cast<float>(ms) / 1000;
        return historia.empty() ? -1 : historia.front().second;
    }

    // ---- the boss ----
    void jugarTurno() override {
        observar();
        const int32_t ahora = ahoraMs();
        bool alguienSeMueve = false;
        for (size_t k = 0; k < 3; ++k) alguienSeMueve |= !juego.pillado[k] && !juego.ready[k];
        const int nivel = asientos::nivel();
        if (ahora >= finRafaga && juego.cuenta > 0 && alguienSeMueve && ahora >= proximaRafaga) {
            // A burst of suspicion: long and strong for a hard boss, feeble for an easy one.
            finRafaga = ahora + asientos::entre(150, 350) * nivel;
            amplitud = static_cast<float>(asientos::entre(25, 45) * nivel);
            proximaRafaga = finRafaga + asientos::reaccionMs() * 3;
        }
        if (ahora < finRafaga) {
            lado = -lado;
            asientos::mando::raton(512 + lado * amplitud, 384 + lado * amplitud / 2);
        }
    }

    // ---- the coders ----
    void jugarOponente(int k) override {
        observar();
        const size_t i = static_cast<size_t>(k);
        Coder& c = coders[i];
        if (juego.pillado[i] || juego.salvado) return;
        const int32_t ahora = ahoraMs();
        if (c.reaccion == 0) c.reaccion = asientos::reaccionMs();
        const float margen = asientos::nivel() == asientos::NIVEL_FACIL    ? 0.0f
                             : asientos::nivel() == asientos::NIVEL_NORMAL ? 0.12f
                                                                           : 0.2f;
        const float queda = vistoHace(c.reaccion);
        if (queda < kQuieto + margen) {
            c.reaccion = 0;  // a new look before the next steps
            return;
        }
        if (ahora < c.proximo) return;
        asientos::mando::pulsar(TMiniJuego4::teclas[i]);
        // Fingers hit about 5, 7 or 9 times a second by level, never faster than a step takes.
        const int cadencia = 1000 / (3 + 2 * asientos::nivel());
        c.proximo = ahora + std::max(105, cadencia + asientos::entre(-20, 30));
    }

   private:
    struct Coder {
        int32_t proximo = 0;
        int reaccion = 0;
    };
    const TMiniJuego4& juego;
    std::array<Coder, 3> coders{};
    std::deque<std::pair<int32_t, float>> historia;
    int32_t finRafaga = 0, proximaRafaga = 0;
    float amplitud = 0, lado = 1;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego4& juego) {
    return std::make_unique<TCerebroEscondite>(juego);
}
