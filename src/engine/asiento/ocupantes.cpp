#include "engine/asiento/ocupantes.h"

#include "engine/asiento/cerebro.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/remotos.h"

#include <algorithm>

namespace asientos {
namespace {
Eleccion elegida;
bool demoParada = false;
}  // namespace

void configurar(const Eleccion& e, uint32_t semilla) {
    cambiarEleccion(e);
    prepararCerebros(semilla);
}

void cambiarEleccion(const Eleccion& e) {
    mando::soltarTodo();
    elegida = e;
    elegida.nivel = std::clamp(e.nivel, NIVEL_FACIL, NIVEL_DIFICIL);
    demoParada = false;
    encenderCerebros();
}

const Eleccion& eleccion() {
    return elegida;
}

TOcupante ocupante(int s) {
    if (tieneRemoto(s)) return TOcupante::remoto;
    if (esCPU(s)) return TOcupante::cpu;
    if (tieneMando(s)) return TOcupante::mando;
    return TOcupante::persona;
}

bool esCPU(int s) {
    // A seat whose player over the network dropped out is played by a computer until
    // they come back.
    return s >= 0 && s < NUM_ASIENTOS && (elegida.cpu[static_cast<size_t>(s)] || remotoAusente(s));
}

bool algunaCPU() {
    // Once anybody plays over the network a computer may have to stand in for them at any
    // moment: the brains are made for every screen from then on.
    return algunRemoto() || std::any_of(elegida.cpu.begin(), elegida.cpu.end(), [](bool b) { return b; });
}

bool todasCPU() {
    return std::all_of(elegida.cpu.begin(), elegida.cpu.end(), [](bool b) { return b; });
}

namespace {
int jugandoPor = -1;  // the seat a brain is playing for now
}

JugandoPor::JugandoPor(int s) : antes(jugandoPor) { jugandoPor = s; }
JugandoPor::~JugandoPor() { jugandoPor = antes; }

int nivel() {
    return remotoAusente(jugandoPor) ? NIVEL_NORMAL : elegida.nivel;
}

bool demo() {
    return todasCPU() && !demoParada;
}
void pararDemo() {
    demoParada = true;
}

}  // namespace asientos
