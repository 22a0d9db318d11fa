// "Acicalandose" played by the computer: the player on turn walks to the showers and
// back choosing the lane the kisses in flight leave free; an opponent fires when its
// sweeping arrow points where the player will be by the time the kiss gets there.
#include "minigames/acicalandose/cerebro_acicalandose.h"

#include "minigames/acicalandose/mini_juego1.h"
#include "minigames/cerebro_mini_juego.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kGrado = std::numbers::pi / 180;
constexpr float kAlturaCuerpo = 55;  // from a figure's feet to the middle of its body
constexpr float kAlcanceBeso = 48;   // a kiss this close to the body touches it

// Where a kiss will be after n more frames (the same steps as its own flight).
void futuroBeso(const TBeso& b, int n, float& x, float& y) {
    double bx = b.X, by = b.Y, rot = b.Rotacion;
    for (int i = 0; i < n; ++i) {
        if (rot > 360) rot = 0;
        rot += 5;
        bx += std::cos((b.Angulo - 90) * kGrado) * b.Speed + std::cos(rot * kGrado) * b.Radio;
        by += std::sin((b.Angulo - 90) * kGrado) * b.Speed + std::sin(rot * kGrado) * b.Radio;
    }
    x = static_cast<float>(bx);
    y = static_cast<float>(by);
}

class TCerebroAcicalandose : public TCerebroMiniJuego {
   public:
    explicit TCerebroAcicalandose(const TMiniJuego1& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.JTurno ? juego.turno : -1; }

    // ---- the player on turn ----
    void jugarTurno() override {
        const TJugadorRaton& p = *juego.JTurno;
        if (juego.Ganador != 2 || p.meta1 == 1 || p.meta1 == 2 || p.meta1 >= 4) {
            soltarRaton();
            return;
        }
        andarConRaton([&] {
            planear(p);
            return asientos::reaccionMs() / 2;
        });
    }

    // Picks the lane (a goal height) whose walk over the next second meets the fewest
    // kisses and girls in love, walking on (to the showers, or back to the date) or
    // waiting where he is when that is safer.
    void planear(const TJugadorRaton& p) {
        const float meta = p.meta1 == 0 ? 1010.0f : 10.0f;
        const int nivel = asientos::nivel();
        const int horizonte = nivel == asientos::NIVEL_FACIL ? 25 : nivel == asientos::NIVEL_NORMAL ? 45 : 60;
        float mejor = 1e9f;
        for (int carril = 150; carril <= 600; carril += 30) {
            const float y = static_cast<float>(carril);
            const float cambio = std::abs(y - p.Y) * 0.002f;  // a small wish to keep the lane
            const float andando = riesgoDelCamino(p, meta, y, horizonte) + cambio;
            const float esperando = riesgoDelCamino(p, p.X, y, horizonte) + cambio + 0.6f;
            if (std::min(andando, esperando) < mejor) {
                mejor = std::min(andando, esperando);
                objetivoY = y;
                objetivoX = andando <= esperando ? meta : p.X;
            }
        }
        // An easy player now and then just walks on without looking.
        if (nivel == asientos::NIVEL_FACIL && asientos::azar(0.35f)) {
            objetivoX = meta;
            objetivoY = p.Y;
        }
    }

    // Touches expected walking from the player's place toward (gx, gy) for n frames.
    float riesgoDelCamino(const TJugadorRaton& p, float gx, float gy, int n) const {
        float riesgo = 0;
        const float v = static_cast<float>(p.Speed);
        for (const auto& j : juego.JNoTurno) {
            if (!j) continue;
            for (const auto& b : j->Besos) {
                for (int f = 4; f <= n; f += 4) {
                    float bx = 0, by = 0;
                    futuroBeso(*b, f, bx, by);
                    const float px = paso(p.X, gx, v * static_cast<float>(f));
                    const float py = paso(p.Y, gy, v * static_cast<float>(f));
                    // The figure stands on its position: a box from the feet up.
                    if (std::abs(bx - px) < kAlcanceBeso && by > py - 2 * kAlturaCuerpo - 20 && by < py + 25) {
                        riesgo += 1;
                        break;
                    }
                }
            }
        }
        for (const auto& g : juego.Tolpuseros) {
            if (g->Tipo != 2 && g->Tipo != 3) continue;
            for (int f = 0; f <= n; f += 6) {
                const float px = paso(p.X, gx, v * static_cast<float>(f));
                const float py = paso(p.Y, gy, v * static_cast<float>(f));
                const float gy2 = g->Tipo == 2 ? std::min(g->Y + static_cast<float>(g->Speed * f),
                                                          static_cast<float>(g->YAmor))
                                               : g->Y;
                if (std::abs(g->X - px) < 60 && std::abs(gy2 - py) < 90) {
                    riesgo += 3;  // caught by a girl is the whole play
                    break;
                }
            }
        }
        return riesgo;
    }

    static float paso(float desde, float hacia, float d) {
        if (std::abs(hacia - desde) <= d) return hacia;
        return desde < hacia ? desde + d : desde - d;
    }

    // ---- the opponents ----
    void jugarOponente(int k) override {
        const TJugador1Boton* j = juego.JNoTurno[static_cast<size_t>(k)].get();
        const TJugadorRaton& p = *juego.JTurno;
        Tirador& t = tiradores[static_cast<size_t>(k)];
        if (!j || !j->Flecha || juego.Ganador != 2 || juego.Asco != 0) return;
        observar(p);
        // The kiss takes the arrow's next angle, which the next frame turns first.
        const float siguiente = j->Flecha->Angulo + static_cast<float>(j->Flecha->Speed);
        if (j->shotsdelaY < 50) {
            t.apuntando = false;
            return;
        }
        const int32_t ahora = ahoraMs();
        if (!t.apuntando) {
            // Takes a moment to look before the next kiss, and aims with a hand that shakes.
            t.apuntando = true;
            const int nivel = asientos::nivel();
            const int reaccion = asientos::reaccionMs();  // drawn before the pause, in this order
            t.desde = ahora + reaccion + asientos::entre(200, 500 * (4 - nivel));
            const float error = nivel == asientos::NIVEL_FACIL ? 24.0f : nivel == asientos::NIVEL_NORMAL ? 13.0f : 6.0f;
            t.desvio = (asientos::unidad() * 2 - 1) * error;
        }
        if (ahora < t.desde) return;
        const float deseado = anguloHacia(*j, p) + t.desvio;
        if (std::abs(siguiente - deseado) <= 2.5f) {
            asientos::mando::pulsar(j->Boton);
            t.apuntando = false;
        }
    }

    // The aim (0 up, clockwise) from the shooter to where the player will be when a
    // kiss gets there, given how he moves now.
    float anguloHacia(const TJugador1Boton& j, const TJugadorRaton& p) const {
        float tx = p.X, ty = p.Y - kAlturaCuerpo;
        const float adelanto = asientos::nivel() == asientos::NIVEL_FACIL ? 0.0f : 1.0f;
        for (int i = 0; i < 3; ++i) {
            const float frames = std::hypot(tx - j.X, ty - j.Y) / 2.0f;  // kisses fly 2 units a frame
            tx = p.X + vx * frames * adelanto * 0.6f;
            ty = p.Y - kAlturaCuerpo + vy * frames * adelanto * 0.6f;
        }
        return static_cast<float>(std::atan2(tx - j.X, -(ty - j.Y)) / kGrado);
    }

    // The player's step since the last frame (once per frame, whoever asks first).
    void observar(const TJugadorRaton& p) {
        const int32_t ahora = ahoraMs();
        if (ahora == vistoMs) return;
        vistoMs = ahora;
        vx = p.X - ultimoX;
        vy = p.Y - ultimoY;
        if (std::abs(vx) > 10 || std::abs(vy) > 10) vx = vy = 0;  // first look
        ultimoX = p.X;
        ultimoY = p.Y;
    }

   private:
    struct Tirador {
        bool apuntando = false;
        int32_t desde = 0;
        float desvio = 0;
    };
    const TMiniJuego1& juego;
    std::array<Tirador, 3> tiradores{};
    float ultimoX = -1000, ultimoY = -1000, vx = 0, vy = 0;
    int32_t vistoMs = -1;
};

}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego1& juego) {
    return std::make_unique<TCerebroAcicalandose>(juego);
}
