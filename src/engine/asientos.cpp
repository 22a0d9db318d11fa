#include "engine/asientos.h"

#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <random>
#include <vector>

namespace asientos {
namespace {

struct Estado {
    Eleccion eleccion;
    bool demoParada = false;
    std::mt19937 generador{1};
    std::vector<TCerebro*> cerebros;  // active, oldest first
    TEsperaTecla* espera = nullptr;   // the innermost open wait
    int explicaciones = 0;            // explanations on screen
    std::array<bool, 256> teclas{};   // keys a computer holds
    std::array<bool, 4> botones{};    // mouse buttons a computer holds
};
Estado st;

std::string minusculas(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The character a key types by itself (no shift), or 0: letters type lower case.
int caracterDe(int tecla) {
    if (tecla >= 'A' && tecla <= 'Z') return tecla - 'A' + 'a';
    if (tecla >= '0' && tecla <= '9') return tecla;
    if (tecla == KEY_SPACE) return ' ';
    return 0;  // Enter, Escape, Backspace and Tab type theirs inside input::KeyEvent
}

void atenderEspera() {
    TEsperaTecla* e = st.espera;
    if (!e) return;
    const bool suya = e->asiento == TODOS ? todasCPU() && demo() : esCPU(e->asiento);
    if (!suya) return;
    const int32_t ahora = Millisecs();
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
    // A brain may end (and leave the list) only between frames, so a copy is not needed.
    for (TCerebro* c : st.cerebros) c->pensar();
    atenderEspera();
}

}  // namespace

const std::array<std::string, NUM_ASIENTOS>& nombres() {
    static const std::array<std::string, NUM_ASIENTOS> n = {"Tarsun", "Er_Varsen", "Quelbido", "Pexil"};
    return n;
}

int asientoDe(const std::string& nombre) {
    for (int s = 0; s < NUM_ASIENTOS; ++s)
        if (minusculas(nombres()[static_cast<size_t>(s)]) == minusculas(nombre)) return s;
    return -1;
}

void configurar(const Eleccion& e, uint32_t semilla) {
    mando::soltarTodo();
    st.eleccion = e;
    st.eleccion.nivel = std::clamp(e.nivel, NIVEL_FACIL, NIVEL_DIFICIL);
    st.demoParada = false;
    st.generador.seed(semilla);
    if (algunaCPU())
        input::SetFrameHook(pensarTodos);
    else
        input::SetFrameHook({});
}

const Eleccion& eleccion() { return st.eleccion; }

bool esCPU(int s) { return s >= 0 && s < NUM_ASIENTOS && st.eleccion.cpu[static_cast<size_t>(s)]; }

bool algunaCPU() {
    return std::any_of(st.eleccion.cpu.begin(), st.eleccion.cpu.end(), [](bool b) { return b; });
}

bool todasCPU() {
    return std::all_of(st.eleccion.cpu.begin(), st.eleccion.cpu.end(), [](bool b) { return b; });
}

int nivel() { return st.eleccion.nivel; }

bool demo() { return todasCPU() && !st.demoParada; }
void pararDemo() { st.demoParada = true; }

int entre(int a, int b) {
    if (b <= a) return a;
    const uint32_t rango = static_cast<uint32_t>(b - a) + 1;
    return a + static_cast<int>(st.generador() % rango);
}

float unidad() { return static_cast<float>(st.generador() >> 8) / static_cast<float>(1u << 24); }

bool azar(float p) { return unidad() < p; }

int reaccionMs() {
    switch (nivel()) {
        case NIVEL_FACIL: return entre(380, 750);
        case NIVEL_DIFICIL: return entre(130, 260);
        default: return entre(220, 450);
    }
}

namespace mando {
void pulsar(int tecla) {
    if (tecla <= 0 || tecla > 255) return;
    input::KeyEvent(tecla, true);
    if (int c = caracterDe(tecla)) input::CharEvent(c);
    input::KeyEvent(tecla, false);
    st.teclas[static_cast<size_t>(tecla)] = false;
}

void bajar(int tecla) {
    if (tecla <= 0 || tecla > 255 || st.teclas[static_cast<size_t>(tecla)]) return;
    st.teclas[static_cast<size_t>(tecla)] = true;
    input::KeyEvent(tecla, true);
    if (int c = caracterDe(tecla)) input::CharEvent(c);
}

void soltar(int tecla) {
    if (tecla <= 0 || tecla > 255 || !st.teclas[static_cast<size_t>(tecla)]) return;
    st.teclas[static_cast<size_t>(tecla)] = false;
    input::KeyEvent(tecla, false);
}

bool bajada(int tecla) { return tecla > 0 && tecla <= 255 && st.teclas[static_cast<size_t>(tecla)]; }

void raton(float x, float y) {
    // Window pixels whose reading in virtual units (truncated) gives back x and y.
    const float w = static_cast<float>(std::max(1, GraphicsWidth()));
    const float h = static_cast<float>(std::max(1, GraphicsHeight()));
    input::MouseMoveEvent(static_cast<int>(std::ceil(std::clamp(x, 0.0f, 1023.0f) * w / 1024.0f)),
                          static_cast<int>(std::ceil(std::clamp(y, 0.0f, 767.0f) * h / 768.0f)));
}

void boton(int b, bool abajo) {
    if (b < 1 || b > 3 || st.botones[static_cast<size_t>(b)] == abajo) return;
    st.botones[static_cast<size_t>(b)] = abajo;
    input::MouseButtonEvent(b, abajo);
}

void soltarTodo() {
    for (int k = 1; k < 256; ++k) soltar(k);
    for (int b = 1; b <= 3; ++b) boton(b, false);
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

TExplicando::TExplicando() { ++st.explicaciones; }
TExplicando::~TExplicando() { --st.explicaciones; }
bool explicando() { return st.explicaciones > 0; }

TEsperaTecla::TEsperaTecla(int asiento_, int tecla_, int pausaMin, int pausaMax)
    : asiento(asiento_), tecla(tecla_), pausaMinMs(pausaMin), pausaMaxMs(pausaMax), anterior(st.espera) {
    st.espera = this;
}

TEsperaTecla::~TEsperaTecla() {
    if (st.espera == this) st.espera = anterior;
}

}  // namespace asientos
