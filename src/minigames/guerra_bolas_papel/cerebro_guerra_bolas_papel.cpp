// "Guerra de bolas de papel" played by the computer. A thrower waits for his reload and
// a moment more, then throws: a lob when the walker is on the move (more often the better
// he plays), else straight. The walker, every reaction time, looks at the shadows on the
// floor as they were a reaction ago and heads for the spot along the aisle farthest from
// the balls about to land that he can still reach, staying put when he is safe.
#include "minigames/guerra_bolas_papel/cerebro_guerra_bolas_papel.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/guerra_bolas_papel/mini_juego8.h"

#include <algorithm>
#include <cmath>

namespace {
class TCerebroGuerra : public TCerebroMiniJuego {
   public:
    explicit TCerebroGuerra(const TMiniJuego8& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.turnoEnJuego(); }

    void jugarTurno() override {
        const int32_t ahora = ahoraMs();
        if (ahora >= proximoPlan) {
            const int reaccion = asientos::reaccionMs();
            proximoPlan = ahora + reaccion / 2;
            elegirSitio(reaccion);
        }
        asientos::mando::raton(destino, TMiniJuego8::kPasilloY - 40);
    }

    void jugarOponente(int k) override {
        const size_t i = static_cast<size_t>(k);
        const int32_t ahora = ahoraMs();
        if (juego.now() < juego.recargado[i]) {
            listo[i] = 0;
            return;
        }
        const int nivel = asientos::nivel();
        if (listo[i] == 0) listo[i] = ahora + asientos::entre(150, 900) / nivel;
        if (ahora < listo[i]) return;
        const bool seMueve = std::abs(juego.velocidad) > 2;
        const bool bombeo = seMueve && asientos::azar(0.25f * static_cast<float>(nivel));
        asientos::mando::pulsar(asientos::TECLAS_DOS_TECLAS[i][bombeo ? 1 : 0]);
        listo[i] = 0;
    }

   private:
    // The spot to head for: the reachable one with the most room from the balls that
    // land before he could get away, seen late by a reaction.
    void elegirSitio(int reaccion) {
        const float retraso = static_cast<float>(reaccion) / 1000.0f * 60.0f;  // frames
        float mejor = -1e9f;
        float elegido = juego.x;
        for (float c = TMiniJuego8::kMinX; c <= TMiniJuego8::kMaxX; c += 16) {
            const float camino = std::abs(c - juego.x);
            float peor = 400;
            for (const TMiniJuego8::TBola& b : juego.bolas) {
                if (static_cast<float>(b.frame) < retraso * 0.5f) continue;  // not seen yet
                const float quedan = static_cast<float>(b.vuelo - b.frame);
                // Where he would be when it lands, on his way to c.
                const float llega = std::min(camino, quedan * TMiniJuego8::kVelocidad);
                const float alli = juego.x + (c > juego.x ? llega : -llega);
                peor = std::min(peor, std::abs(alli - b.destinoX));
            }
            // Room from the balls first; a short walk and the middle of the aisle after.
            const float valor = std::min(peor, 120.0f) - camino * 0.05f - std::abs(c - 512) * 0.02f;
            if (valor > mejor) {
                mejor = valor;
                elegido = c;
            }
        }
        const float error = 40.0f / static_cast<float>(asientos::nivel());
        destino = elegido + (asientos::unidad() * 2 - 1) * error;
    }

    const TMiniJuego8& juego;
    std::array<int32_t, 3> listo{};
    int32_t proximoPlan = 0;
    float destino = 512;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego8& juego) {
    return std::make_unique<TCerebroGuerra>(juego);
}
