#include "engine/asiento/ocupantes.h"

#include "engine/asiento/cerebro.h"
#include "engine/asiento/mandos.h"

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
    if (esCPU(s)) return TOcupante::cpu;
    if (tieneMando(s)) return TOcupante::mando;
    return TOcupante::persona;
}

bool esCPU(int s) {
    return s >= 0 && s < NUM_ASIENTOS && elegida.cpu[static_cast<size_t>(s)];
}

bool algunaCPU() {
    return std::any_of(elegida.cpu.begin(), elegida.cpu.end(), [](bool b) { return b; });
}

bool todasCPU() {
    return std::all_of(elegida.cpu.begin(), elegida.cpu.end(), [](bool b) { return b; });
}

int nivel() {
    return elegida.nivel;
}

std::string nombreRemoto(int) {
    return {};
}

bool demo() {
    return todasCPU() && !demoParada;
}
void pararDemo() {
    demoParada = true;
}

}  // namespace asientos
