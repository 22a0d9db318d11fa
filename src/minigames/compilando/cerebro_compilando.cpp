// "Compilando..." played by the computer. The others hammer their keys as fast as their
// fingers go, tiring a little now and then. The player on turn notices a new bug a
// reaction late, goes for the one on the fullest screen, moves the pointer there at a
// hand's speed, leading the bug's crawl, and clicks once he is on it (a sharp hand aims
// truer).
#include "minigames/compilando/cerebro_compilando.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/compilando/mini_juego7.h"

#include <algorithm>
#include <cmath>

namespace {
class TCerebroCompilando : public TCerebroMiniJuego {
   public:
    explicit TCerebroCompilando(const TMiniJuego7& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.turnoEnJuego(); }

    void jugarTurno() override {
        const int32_t ahora = ahoraMs();
        soltarRaton();
        // The bug to go for: on the fullest screen among those seen a reaction ago.
        const TMiniJuego7::TBicho* meta = nullptr;
        for (const TMiniJuego7::TBicho& b : juego.bichos) {
            if (b.aplastado || (juego.now() - b.nace) * 1000 < static_cast<float>(reaccion)) continue;
            if (!meta || juego.barra[static_cast<size_t>(b.pantalla)] >
                             juego.barra[static_cast<size_t>(meta->pantalla)])
                meta = &b;
        }
        if (!meta) {
            reaccion = asientos::reaccionMs();
            return;
        }
        const int nivel = asientos::nivel();
        // Where the bug will be when the pointer gets there.
        const float d = std::hypot(meta->x - x, meta->y - y);
        const float velocidad = 4.0f + 3.0f * static_cast<float>(nivel);
        const float frames = d / velocidad;
        const float tx = meta->x + meta->dx * frames, ty = meta->y + meta->dy * frames;
        const float dx = tx - x, dy = ty - y, dd = std::hypot(dx, dy);
        if (dd > velocidad) {
            x += dx / dd * velocidad;
            y += dy / dd * velocidad;
        } else {
            x = tx;
            y = ty;
        }
        asientos::mando::raton(x + errorX, y + errorY);
        if (dd < TMiniJuego7::kRadioBicho * 0.6f && ahora >= proximoClick) {
            asientos::mando::boton(1, true);
            proximoClick = ahora + 250;
            const float error = 45.0f / static_cast<float>(nivel);
            errorX = (asientos::unidad() * 2 - 1) * error;
            errorY = (asientos::unidad() * 2 - 1) * error;
        }
    }

    void jugarOponente(int k) override {
        Dedos& d = dedos[static_cast<size_t>(k)];
        const int32_t ahora = ahoraMs();
        if (ahora < d.proximo) return;
        asientos::mando::pulsar(asientos::TECLAS_UNA_TECLA[static_cast<size_t>(k)]);
        // About 5, 7 or 9 hits a second by level, a short rest now and then.
        const int cadencia = 1000 / (3 + 2 * asientos::nivel());
        d.proximo = ahora + cadencia + asientos::entre(-20, 30) +
                    (asientos::azar(0.03f) ? asientos::entre(200, 500) : 0);
    }

   private:
    struct Dedos {
        int32_t proximo = 0;
    };
    const TMiniJuego7& juego;
    std::array<Dedos, 3> dedos{};
    float x = 512, y = 600, errorX = 0, errorY = 0;  // where the hand has the pointer
    int reaccion = 300;
    int32_t proximoClick = 0;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego7& juego) {
    return std::make_unique<TCerebroCompilando>(juego);
}
