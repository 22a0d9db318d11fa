#include "board/cerebro_tablero.h"

#include "engine/pausa.h"
#include "board/juego.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"

namespace {
class TCerebroTablero : public asientos::TCerebro {
   public:
    explicit TCerebroTablero(const TJuego& j) : juego(j) {}

    void pensar() override {
        const int turno = juego.equipo ? juego.equipo->getTurno() : -1;
        if (!juego.ruletaEsperando || !asientos::esCPU(turno)) {
            decidido = false;
            return;
        }
        asientos::JugandoPor por(turno);
        const int32_t ahora = pausa::reloj();
        if (!decidido) {
            // Looks at the wheel a moment, as a person does, then hits a key.
            decidido = true;
            // One draw per statement: the order of the draws must not depend on the compiler.
            const int mira = asientos::entre(700, 1600);
            cuando = ahora + mira + asientos::reaccionMs();
        } else if (ahora >= cuando) {
            asientos::mando::pulsar(KEY_SPACE);
            decidido = false;  // pressed again later if the press was lost
        }
    }

   private:
    const TJuego& juego;
    bool decidido = false;
    int32_t cuando = 0;
};
}  // namespace

std::unique_ptr<asientos::TCerebro> crearCerebroTablero(const TJuego& juego) {
    if (!asientos::algunaCPU()) return nullptr;
    return std::make_unique<TCerebroTablero>(juego);
}
