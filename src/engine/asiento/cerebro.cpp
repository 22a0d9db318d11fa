#include "engine/asiento/cerebro.h"

#include "engine/pausa.h"
#include "engine/asiento/emisor.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace asientos {
namespace {

struct Estado {
    std::mt19937 generador{1};
    std::vector<TCerebro*> cerebros;  // active, oldest first
    TEsperaTecla* espera = nullptr;   // the innermost open wait
    int explicaciones = 0;            // explanations on screen
    TEmisor emisor;                   // every brain's key and mouse events
};
Estado st;

void atenderEspera() {
    TEsperaTecla* e = st.espera;
    if (!e) return;
    const bool suya = e->asiento == TODOS ? todasCPU() && demo() : esCPU(e->asiento);
    if (!suya) return;
    const int32_t ahora = pausa::reloj();
    if (!e->decidida) {
        e->decidida = true;
        e->cuando = ahora + entre(e->pausaMinMs, std::max(e->pausaMinMs, e->pausaMaxMs));
        return;
    }
    if (ahora >= e->cuando) {
        mando::pulsar(e->tecla);
        e->decidida = false;  // pressed again after another pause if the wait goes on
    }
}

// Runs once per flip before the frame's input: the brains, then any open wait.
void pensarTodos() {
    // Computer players wait while the players look at the pause panel.
    if (pausa::enPanel()) return;
    // A brain may end (and leave the list) only between frames, so a copy is not needed.
    for (TCerebro* c : st.cerebros) c->pensar();
    atenderEspera();
}

}  // namespace

static bool pensando = false;  // the brains' turn is installed

void prepararCerebros(uint32_t semilla) {
    st.generador.seed(semilla);
    encenderCerebros();
}

void encenderCerebros() {
    pensando = algunaCPU();
    if (pensando)
        input::SetFrameHook(pensarTodos);
    else
        input::SetFrameHook({});
}

void activarCerebros() {
    if (pensando) return;
    pensando = true;
    input::SetFrameHook(pensarTodos);
}

uint32_t estadoCerebros() {
    std::mt19937 copia = st.generador;
    return static_cast<uint32_t>(copia());
}

std::string generadorCerebros() {
    std::ostringstream out;
    out << st.generador;
    return out.str();
}

bool restaurarGeneradorCerebros(const std::string& texto) {
    std::istringstream in(texto);
    std::mt19937 g;
    in >> g;
    if (in.fail()) return false;
    in >> std::ws;
    if (!in.eof()) return false;
    st.generador = g;
    return true;
}

int entre(int a, int b) {
    if (b <= a) return a;
    const uint32_t rango = static_cast<uint32_t>(b - a) + 1;
    return a + static_cast<int>(st.generador() % rango);
}

float unidad() {
    return static_cast<float>(st.generador() >> 8) / static_cast<float>(1u << 24);
}

bool azar(float p) {
    return unidad() < p;
}

int reaccionMs() {
    switch (nivel()) {
        case NIVEL_FACIL: return entre(380, 750);
        case NIVEL_DIFICIL: return entre(130, 260);
        default: return entre(220, 450);
    }
}

namespace mando {
// A brain holds a key or a button or not: holding it again changes nothing.
void pulsar(int tecla) {
    st.emisor.pulsar(tecla);
}
void bajar(int tecla) {
    if (!st.emisor.bajada(tecla)) st.emisor.bajar(tecla);
}
void soltar(int tecla) {
    st.emisor.soltar(tecla);
}
bool bajada(int tecla) {
    return st.emisor.bajada(tecla);
}
void raton(float x, float y) {
    st.emisor.raton(x, y);
}
void boton(int b, bool abajo) {
    if (st.emisor.botonBajado(b) != abajo) st.emisor.boton(b, abajo);
}
void soltarTodo() {
    st.emisor.soltarTodo();
}
}  // namespace mando

TCerebroActivo::TCerebroActivo(std::unique_ptr<TCerebro> c) : cerebro(std::move(c)) {
    if (cerebro) st.cerebros.push_back(cerebro.get());
}

TCerebroActivo::~TCerebroActivo() {
    if (!cerebro) return;
    st.cerebros.erase(std::remove(st.cerebros.begin(), st.cerebros.end(), cerebro.get()), st.cerebros.end());
    mando::soltarTodo();
}

TExplicando::TExplicando() {
    ++st.explicaciones;
}
TExplicando::~TExplicando() {
    --st.explicaciones;
}
bool explicando() {
    return st.explicaciones > 0;
}

TEsperaTecla::TEsperaTecla(int asiento_, int tecla_, int pausaMin, int pausaMax)
    : asiento(asiento_), tecla(tecla_), pausaMinMs(pausaMin), pausaMaxMs(pausaMax), anterior(st.espera) {
    st.espera = this;
}

TEsperaTecla::~TEsperaTecla() {
    if (st.espera == this) st.espera = anterior;
}

}  // namespace asientos
