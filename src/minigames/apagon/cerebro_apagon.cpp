// "Apagon" played by the computer. The torch picks whom to watch every reaction time: the
// one nearest the rack, more so when he was seen moving, and points the mouse at him (a
// little off for an easy hand). A creeper holds his key while the beam, as he saw it a
// reaction ago and where it was heading, is clear of him by a safety margin; he keeps a
// wider margin the better he plays, and takes more risks as the time runs out.
#include "minigames/apagon/cerebro_apagon.h"

#include "minigames/apagon/mini_juego6.h"
#include "minigames/cerebro_mini_juego.h"

#include <algorithm>
#include <cmath>

namespace {
class TCerebroApagon : public TCerebroMiniJuego {
   public:
    explicit TCerebroApagon(const TMiniJuego6& j) : juego(j) {}

   protected:
    int turnoDelJuego() const override { return juego.turnoEnJuego(); }

    void jugarTurno() override {
        const int32_t ahora = ahoraMs();
        if (ahora >= proximoPlan) {
            proximoPlan = ahora + asientos::reaccionMs();
            elegirVigilado();
        }
        const TMiniJuego6::TSombra& s = juego.sombras[static_cast<size_t>(vigilado)];
        asientos::mando::raton(s.x + desvio, s.y - TMiniJuego6::kAltoPecho);
    }

    void jugarOponente(int k) override {
        const int32_t ahora = ahoraMs();
        if (ahora != ultimaVista) {
            ultimaVista = ahora;
            haz.anotar(ahora, juego.angulo);
        }
        const TMiniJuego6::TSombra& s = juego.sombras[static_cast<size_t>(k)];
        const int tecla = asientos::TECLAS_UNA_TECLA[static_cast<size_t>(k)];
        Sombra& yo = sombras[static_cast<size_t>(k)];
        if (yo.reaccion == 0 || ahora >= yo.nuevaMirada) {
            yo.reaccion = asientos::reaccionMs();
            yo.nuevaMirada = ahora + yo.reaccion;
        }
        if (juego.now() < s.quietoHasta) {
            asientos::mando::soltar(tecla);
            return;
        }
        // The beam as seen a reaction ago, and where it was going then.
        const float visto = haz.hace(ahora, yo.reaccion);
        const float antes = haz.hace(ahora, yo.reaccion + 100);
        const float previsto = visto + (visto - antes) * static_cast<float>(yo.reaccion) / 100.0f;
        const float yoAngulo = TMiniJuego6::anguloHacia(s.x, s.y - TMiniJuego6::kAltoPecho);
        const float d = std::hypot(s.x - TMiniJuego6::kLinternaX, s.y - TMiniJuego6::kLinternaY);
        const float cuerpo = std::atan(18.0f / std::max(d, 1.0f)) * 57.3f;
        const int nivel = asientos::nivel();
        float margen = 4.0f + 3.0f * static_cast<float>(nivel);
        // Time running out: the nearer the end, the more he risks.
        if (juego.contador) margen *= std::clamp(juego.contador->getVida() / 12.0f, 0.3f, 1.0f);
        const float libre = TMiniJuego6::kMedio + cuerpo + margen;
        const bool avanza = std::abs(visto - yoAngulo) > libre && std::abs(previsto - yoAngulo) > libre;
        if (avanza)
            asientos::mando::bajar(tecla);
        else
            asientos::mando::soltar(tecla);
    }

   private:
    struct Sombra {
        int reaccion = 0;
        int32_t nuevaMirada = 0;
    };

    void elegirVigilado() {
        float mejor = -1e9f;
        for (int k = 0; k < 3; ++k) {
            const TMiniJuego6::TSombra& s = juego.sombras[static_cast<size_t>(k)];
            const float d = std::hypot(s.x - TMiniJuego6::kMetaX, s.y - TMiniJuego6::kMetaY);
            const bool seMovio = std::abs(s.y - vistos[static_cast<size_t>(k)]) > 0.5f;
            vistos[static_cast<size_t>(k)] = s.y;
            // An easy hand is drawn to the one that moves; a sharp one weighs the distance.
            float peso = (1 - d / TMiniJuego6::kRadioSalida) * static_cast<float>(asientos::nivel()) +
                         (seMovio ? 0.6f : 0.0f) + asientos::unidad() * 0.5f;
            if (k == vigilado) peso += 0.15f;  // no dithering between two
            if (peso > mejor) {
                mejor = peso;
                vigilado = k;
            }
        }
        const float error = 90.0f / static_cast<float>(asientos::nivel());
        desvio = (asientos::unidad() * 2 - 1) * error;
    }

    const TMiniJuego6& juego;
    std::array<Sombra, 3> sombras{};
    std::array<float, 3> vistos{};
    TRecuerdo haz;
    int32_t ultimaVista = -1, proximoPlan = 0;
    int vigilado = 1;
    float desvio = 0;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebro(const TMiniJuego6& juego) {
    return std::make_unique<TCerebroApagon>(juego);
}
