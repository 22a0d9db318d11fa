// "Lanzamiento de CDs" played by the computer: the thrower follows each possible throw
// along the floor (bounces and all) and picks the one that leaves through the bottom
// farthest from where the catchers can walk in time; a catcher walks to where the disc
// he can reach soonest will cross his line.
#include "minigames/lanzamiento_cds/cerebro_lanzamiento_cds.h"

#include "minigames/cerebro_mini_juego.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {
constexpr double kGrado = std::numbers::pi / 180;
constexpr double kLineaCaptura = 720;  // discs are caught about this low
constexpr double kPasoCatcher = 5;     // units per frame
constexpr double kAlcanceCatcher = 24; // half the catcher's width

// Where a disc (x, y, angle, speed) crosses the catchers' line and after how many
// frames, following the floor's rules; false when it stops or leaves at the top first.
bool cruce(double x, double y, double angulo, double v, double& cx, int& frames) {
    for (int f = 1; f < 400; ++f) {
        if (v <= 0.01) return false;
        const double nx = x + std::cos(angulo * kGrado) * v, ny = y + std::sin(angulo * kGrado) * v;
        if (ny < -15) return false;
        if (ny >= kLineaCaptura && y < kLineaCaptura) {
            cx = x + (nx - x) * (kLineaCaptura - y) / (ny - y);
            frames = f;
            return true;
        }
        x = nx;
        y = ny;
        if (x <= 12 && std::cos(angulo * kGrado) < 0) angulo = std::abs(angulo - 180);
        if (x >= 1012 && std::cos(angulo * kGrado) > 0) angulo = 180 - angulo;
        v *= static_cast<double>(0.95f);
    }
    return false;
}

class TCerebroCDs : public TCerebroMiniJuego {
   public:
    explicit TCerebroCDs(const TMiniJuego5& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.jugadorRaton ? juego.jugadorRaton->pj : -1; }

    // ---- the thrower ----
    void jugarTurno() override {
        const T5JugadorRaton& p = *juego.jugadorRaton;
        if (p.Status != 0 || juego.win || juego.timeOut) {
            soltarRaton();
            return;
        }
        const int32_t ahora = ahoraMs();
        if (fase == 0 && ahora >= proximoTiro) {
            // Press where the hand rests, then drag and let go next frame.
            elegirTiro(p);
            asientos::mando::raton(512, 300);
            asientos::mando::boton(1, true);
            fase = 1;
        } else if (fase == 1) {
            const double largo = 120;
            asientos::mando::raton(static_cast<float>(512 + std::cos(anguloTiro * kGrado) * largo),
                                   static_cast<float>(300 + std::sin(anguloTiro * kGrado) * largo));
            asientos::mando::boton(1, false);
            fase = 0;
            // A hard player takes longer over each throw, looking for the gap.
            const int cuidado = asientos::nivel() == asientos::NIVEL_DIFICIL ? asientos::entre(300, 700) : 0;
            const int reaccion = asientos::reaccionMs();  // drawn before the pause, in this order
            proximoTiro = ahora + reaccion + asientos::entre(400, 1200) + cuidado;
        }
    }

    // A throw at full strength whose crossing looks out of the catchers' reach: the best
    // for a hard player, any fair one for the others.
    void elegirTiro(const T5JugadorRaton& p) {
        double mejor = -1e9;
        anguloTiro = 90;
        std::vector<int> buenos;
        for (int a = 24; a <= 156; a += 2) {
            const double tope = 25 * std::pow(2.0, std::abs(90.0 - a) / 60) * 1.5;
            double cx = 0;
            int frames = 0;
            if (!cruce(p.X, p.Y, a, tope, cx, frames)) continue;
            double holgura = 1e9;
            for (const auto& j : juego.jugadores)
                if (j) holgura = std::min(holgura, std::abs(j->X - cx) - kAlcanceCatcher - kPasoCatcher * frames);
            if (holgura > mejor) {
                mejor = holgura;
                anguloTiro = a;
            }
            if (holgura > -40) buenos.push_back(a);
        }
        // Even a hard player does not always find the best throw.
        const bool elige = asientos::nivel() == asientos::NIVEL_DIFICIL ? asientos::azar(0.5f) : false;
        if (!elige && !buenos.empty())
            anguloTiro = buenos[static_cast<size_t>(asientos::entre(0, static_cast<int>(buenos.size()) - 1))];
        const double error = asientos::nivel() == asientos::NIVEL_FACIL    ? 16
                             : asientos::nivel() == asientos::NIVEL_NORMAL ? 10
                                                                           : 8;
        anguloTiro += (asientos::unidad() * 2 - 1) * error;
    }

    // ---- the catchers ----
    void jugarOponente(int k) override {
        const T5Jugador* j = juego.jugadores[static_cast<size_t>(k)].get();
        Catcher& c = catchers[static_cast<size_t>(k)];
        if (!j || j->Status != 0 || juego.win || juego.timeOut) {
            asientos::mando::soltar(j ? j->tecla1 : 0);
            asientos::mando::soltar(j ? j->tecla2 : 0);
            return;
        }
        const int32_t ahora = ahoraMs();
        if (ahora >= c.proximaMirada) {
            // Looks at the floor again after a reaction time: the disc he can reach
            // soonest, else the middle of his stretch.
            c.proximaMirada = ahora + asientos::reaccionMs() / 2;
            c.destino = 256.0 * (k + 1);
            double mejor = 1e9;
            for (const auto& d : juego.cds) {
                double cx = 0;
                int frames = 0;
                if (d->Y >= kLineaCaptura || !cruce(d->X, d->Y, d->angulo, d->velocidad, cx, frames)) continue;
                const double falta = std::abs(cx - j->X) - kAlcanceCatcher - kPasoCatcher * frames;
                if (falta < 60 && frames < mejor) {
                    mejor = frames;
                    c.destino = cx;
                }
            }
            if (asientos::nivel() == asientos::NIVEL_FACIL) c.destino += asientos::entre(-30, 30);
        }
        const double dx = c.destino - j->X;
        const bool izquierda = dx < -kPasoCatcher, derecha = dx > kPasoCatcher;
        if (izquierda) asientos::mando::bajar(j->tecla1);
        else asientos::mando::soltar(j->tecla1);
        if (derecha) asientos::mando::bajar(j->tecla2);
        else asientos::mando::soltar(j->tecla2);
    }

   private:
    struct Catcher {
        int32_t proximaMirada = 0;
        double destino = 512;
    };
    const TMiniJuego5& juego;
    std::array<Catcher, 3> catchers{};
    int fase = 0;
    int32_t proximoTiro = 0;
    double anguloTiro = 90;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego5& juego) {
    return std::make_unique<TCerebroCDs>(juego);
}
