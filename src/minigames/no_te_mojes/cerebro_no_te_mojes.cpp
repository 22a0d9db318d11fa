// "No te mojes" played by the computer: the player on turn walks up to the showers along
// the highest ground (a shortest path over the floor that keeps off low cells, planned
// again now and then as the water moves); a hose player presses when the bulge it
// watches will be at the mouth, a little early or late by its level.
#include "minigames/no_te_mojes/cerebro_no_te_mojes.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/no_te_mojes/mini_juego2.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <vector>

namespace {
constexpr double kBoca = 43;          // the mouth, in bulge units right of the hose
constexpr float kMsFrame = 1000.0f / 60;
constexpr int kCelda = 8;             // planning cell, virtual units
constexpr int kAncho = 768 / kCelda;  // the floor: 768 x 640 units from y = 128
constexpr int kAlto = 640 / kCelda;

class TCerebroNoTeMojes : public TCerebroMiniJuego {
   public:
    explicit TCerebroNoTeMojes(const TMiniJuego2& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.jugadorRaton ? juego.turno : -1; }

    // ---- the player on turn ----
    void jugarTurno() override {
        const T2JugadorRaton& p = *juego.jugadorRaton;
        if (p.Status != 0 || juego.win || juego.lose) {
            soltarRaton();
            return;
        }
        andarConRaton([&] {
            planear(p);
            return asientos::reaccionMs();
        });
    }

    // Lowest noise under a planning cell (the water's deepest point there).
    int fondoCelda(int cx, int cy) const {
        int m = 255;
        for (int x = cx * kCelda / 2; x < (cx + 1) * kCelda / 2 && x < TMiniJuego2::ANCHO_SUELO; ++x) {
            if (static_cast<size_t>(x) >= juego.ruido.size()) return 0;
            const auto& col = juego.ruido[static_cast<size_t>(x)];
            for (int y = cy * kCelda / 2; y < (cy + 1) * kCelda / 2 && y < TMiniJuego2::ALTO_SUELO; ++y)
                m = std::min(m, static_cast<size_t>(y) < col.size() ? col[static_cast<size_t>(y)] : 0);
        }
        return m;
    }

    // Shortest way to the top edge where each cell costs more the closer its ground is
    // to the water (cells about to flood cost a lot); the mouse goes a few cells along it.
    void planear(const T2JugadorRaton& p) {
        const int nivel = std::max(juego.nivel, juego.nivelObjetivo);
        const int prudencia = asientos::nivel() == asientos::NIVEL_FACIL    ? 4
                              : asientos::nivel() == asientos::NIVEL_NORMAL ? 10
                                                                            : 16;
        std::vector<float> coste(kAncho * kAlto, 1e9f);
        std::vector<int> previo(kAncho * kAlto, -1);
        std::vector<float> paso(kAncho * kAlto);
        for (int cy = 0; cy < kAlto; ++cy)
            for (int cx = 0; cx < kAncho; ++cx) {
                const int margen = fondoCelda(cx, cy) - nivel;
                paso[static_cast<size_t>(cy * kAncho + cx)] =
                    margen <= 2 ? 400.0f : 1.0f + static_cast<float>(prudencia * 6) / static_cast<float>(margen);
            }
        const int sx = std::clamp(p.X / kCelda, 0, kAncho - 1);
        const int sy = std::clamp((p.Y - TMiniJuego2::Y_SUELO) / kCelda, 0, kAlto - 1);
        using Nodo = std::pair<float, int>;
        std::priority_queue<Nodo, std::vector<Nodo>, std::greater<>> cola;
        coste[static_cast<size_t>(sy * kAncho + sx)] = 0;
        cola.push({0, sy * kAncho + sx});
        int llegada = -1;
        while (!cola.empty()) {
            auto [c, n] = cola.top();
            cola.pop();
            if (c > coste[static_cast<size_t>(n)]) continue;
            if (n / kAncho == 0) {
                llegada = n;
                break;
            }
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = n % kAncho + dx, y = n / kAncho + dy;
                    if ((dx == 0 && dy == 0) || x < 0 || x >= kAncho || y < 0 || y >= kAlto) continue;
                    const int m = y * kAncho + x;
                    // Both axes move at once, so a diagonal step takes no longer.
                    const float nc = c + paso[static_cast<size_t>(m)];
                    if (nc < coste[static_cast<size_t>(m)]) {
                        coste[static_cast<size_t>(m)] = nc;
                        previo[static_cast<size_t>(m)] = n;
                        cola.push({nc, m});
                    }
                }
        }
        if (llegada < 0) {
            objetivoX = static_cast<float>(p.X);
            objetivoY = 100;
            return;
        }
        // Walk back from the top to the cell a few steps ahead of the player.
        std::vector<int> camino;
        for (int n = llegada; n >= 0; n = previo[static_cast<size_t>(n)]) camino.push_back(n);
        const size_t adelante = std::min<size_t>(camino.size() - 1, 4);
        const int destino = camino[camino.size() - 1 - adelante];
        objetivoX = static_cast<float>((destino % kAncho) * kCelda + kCelda / 2);
        objetivoY = static_cast<float>(TMiniJuego2::Y_SUELO + (destino / kAncho) * kCelda + kCelda / 2);
        if (destino / kAncho == 0) objetivoY = TMiniJuego2::Y_SUELO - 20;  // on into the showers
        // An easy hand is not very precise with the mouse.
        if (asientos::nivel() == asientos::NIVEL_FACIL) {
            objetivoX += static_cast<float>(asientos::entre(-24, 24));
            objetivoY += static_cast<float>(asientos::entre(-8, 8));
        }
    }

    // ---- the hoses ----
    void jugarOponente(int k) override {
        const T2JugadorAgua* h = juego.jugadoresAgua[static_cast<size_t>(k)].get();
        Manguera& m = mangueras[static_cast<size_t>(k)];
        if (!h || juego.win || juego.lose) return;
        const int32_t ahora = ahoraMs();
        if (h->posicionBola < 0 || h->gluglu) {
            m.apuntado = false;
            return;
        }
        if (!m.apuntado) {
            // Sees the bulge coming and times the press for its arrival at the mouth (a
            // 10-frame window), early or late by the hand's unsteadiness.
            m.apuntado = true;
            const double frames = h->posicionBola > kBoca && h->velocidadBola < 0
                                      ? std::ceil((h->posicionBola - kBoca) / -h->velocidadBola)
                                      : 0;
            const float error = asientos::nivel() == asientos::NIVEL_FACIL    ? 120.0f
                                : asientos::nivel() == asientos::NIVEL_NORMAL ? 90.0f
                                                                              : 75.0f;
            const float desvio = (asientos::unidad() + asientos::unidad() - 1) * error;
            m.cuando = ahora + static_cast<int32_t>(static_cast<float>(frames) * kMsFrame + 70 + desvio);
            // Nobody watches a hose all the time: a bulge is missed now and then.
            const float distraido = asientos::nivel() == asientos::NIVEL_FACIL    ? 0.4f
                                    : asientos::nivel() == asientos::NIVEL_NORMAL ? 0.3f
                                                                                  : 0.25f;
            if (asientos::azar(distraido)) m.cuando += 2000;
        }
        if (ahora >= m.cuando && m.cuando > 0) {
            asientos::mando::pulsar(juego.teclas[static_cast<size_t>(k)]);
            m.cuando = 0;
        }
    }

   private:
    struct Manguera {
        bool apuntado = false;
        int32_t cuando = 0;
    };
    const TMiniJuego2& juego;
    std::array<Manguera, 3> mangueras{};
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego2& juego) {
    return std::make_unique<TCerebroNoTeMojes>(juego);
}
