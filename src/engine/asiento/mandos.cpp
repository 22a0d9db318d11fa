// Controllers at the seats: a seat for each controller, and its buttons and stick turned
// into that seat's keys and pointer, or into menu keys.
#include "engine/asiento/mandos.h"

#include "engine/asiento/emisor.h"
#include "engine/asiento/papeles.h"
#include "engine/asiento/remotos.h"
#include "engine/pausa.h"
#include "platform/base/errors.h"
#include "platform/input/gamepad.h"
#include "platform/input/input.h"
#include "platform/session/journal.h"
#include "platform/video/render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace asientos {
namespace {

enum Direccion { kIzquierda, kDerecha, kArriba, kAbajo };
constexpr std::array<int, 4> kFlechas{KEY_LEFT, KEY_RIGHT, KEY_UP, KEY_DOWN};
constexpr std::array<int, 4> kCruceta{input::PAD_DPAD_LEFT, input::PAD_DPAD_RIGHT, input::PAD_DPAD_UP,
                                      input::PAD_DPAD_DOWN};

// A stick counts as a direction past kPalancaDentro and stops counting below
// kPalancaFuera, so that a stick resting near the threshold does not chatter.
constexpr int kPalancaDentro = 16000;
constexpr int kPalancaFuera = 12000;
// The stick moves the pointer only outside this dead zone.
constexpr int kZonaMuerta = 6000;
// Held directions repeat after kRetardo flips, then every kCadencia flips.
constexpr int kRetardo = 24;
constexpr int kCadencia = 6;
// Pointer speed in virtual units per flip at full deflection: kRatonLento at first,
// growing by kRatonRampa each flip the stick stays out, up to kRatonRapido.
constexpr float kRatonLento = 2.0f;
constexpr float kRatonRampa = 0.5f;
constexpr float kRatonRapido = 22.0f;
// One d-pad step of the pointer, in virtual units.
constexpr float kPasoRaton = 8.0f;

constexpr size_t kBotones = input::PAD_BUTTONS;

struct TMando {
    int numero = 0;
    int asiento = -1;  // -1: no seat free when it came
    bool remoto = false;  // a player over the network: its seat is fixed (remotos.h)
    std::array<bool, kBotones> botones{};
    int palancaX = 0, palancaY = 0;
    std::array<bool, 4> palanca{};  // stick past the threshold, by direction
    // Held when the roles changed: they act again only once let go, so that a button
    // held as the seat's key does not turn into Enter in the menu that follows.
    std::array<bool, kBotones> botonesViejos{};
    std::array<bool, 4> palancaVieja{};
    std::array<int, 4> flipsPulsada{};  // flips each direction has been held
    std::vector<int> teclas;            // keys this controller holds down right now
    bool raton = false;                 // it holds the left button down
    int flipsPalanca = 0;               // flips the stick has moved the pointer
    float restoX = 0, restoY = 0;       // sub-pixel pointer movement carried over
};

struct TMandos {
    std::vector<TMando> mandos;  // in connection order
    std::vector<int> orden{0, 1, 2, 3};
    TEmisor emisor;  // every controller's key and mouse events
    int ultimoFlip = -1;
};
TMandos st;

bool boton(const TMando& m, int b) {
    return m.botones[static_cast<size_t>(b)] && !m.botonesViejos[static_cast<size_t>(b)];
}
bool pulsada(const TMando& m, Direccion d) {
    return boton(m, kCruceta[d]) || (m.palanca[d] && !m.palancaVieja[d]);
}

// The pointer moved by (dx, dy) pixels, kept on the logical screen.
void moverRaton(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const int w = GraphicsWidth() > 0 ? GraphicsWidth() : 1024;
    const int h = GraphicsHeight() > 0 ? GraphicsHeight() : 768;
    const int x = std::clamp(input::PointerX() + dx, 0, w - 1),
              y = std::clamp(input::PointerY() + dy, 0, h - 1);
    st.emisor.moverRaton(x, y);
    gamepad::ShowPointerAt(x, y);
}
float pixelesPorUnidad() {
    return GraphicsWidth() > 0 ? static_cast<float>(GraphicsWidth()) / 1024.0f : 1.0f;
}

void pasoRaton(Direccion d) {
    const int paso = std::max(1, static_cast<int>(kPasoRaton * pixelesPorUnidad()));
    moverRaton(d == kIzquierda ? -paso
               : d == kDerecha ? paso
                               : 0,
               d == kArriba  ? -paso
               : d == kAbajo ? paso
                             : 0);
}

// What the controller should be holding down now, from its buttons and its seat's role.
void deseado(const TMando& m, std::vector<int>& teclas, bool& raton) {
    teclas.clear();
    raton = false;
    // A remote player never works this machine's pause panel.
    if (m.remoto && pausa::enPanel()) return;
    const TPapel& papel = papelDe(m.asiento);
    if (papel.vacio()) {
        // A player over the network has no say in this machine's menus, pauses or exits:
        // between its parts its controller presses nothing.
        if (m.remoto) return;
        for (int d = kIzquierda; d <= kAbajo; ++d)
            if (pulsada(m, static_cast<Direccion>(d))) teclas.push_back(kFlechas[static_cast<size_t>(d)]);
        // While a match can be paused, Start pauses (atender) instead of confirming.
        const bool start = boton(m, input::PAD_START) && !input::PauseKey();
        if (boton(m, input::PAD_A) || start) teclas.push_back(KEY_ENTER);
        if (boton(m, input::PAD_B)) teclas.push_back(KEY_ESCAPE);
        return;
    }
    if (papel.teclas.size() == 1 && boton(m, input::PAD_A)) teclas.push_back(papel.teclas[0]);
    if (papel.teclas.size() >= 2) {
        if (pulsada(m, kIzquierda)) teclas.push_back(papel.teclas[0]);
        if (pulsada(m, kDerecha)) teclas.push_back(papel.teclas[1]);
        // A plays no key here, but a page waiting for any key must still take it: Enter,
        // which no minigame reads.
        if (boton(m, input::PAD_A)) teclas.push_back(KEY_ENTER);
    }
    raton = papel.raton && boton(m, input::PAD_A);
}

// Releases what the controller no longer wants and presses what it newly wants.
void aplicar(TMando& m) {
    std::vector<int> teclas;
    bool raton = false;
    deseado(m, teclas, raton);
    for (int k : m.teclas)
        if (std::find(teclas.begin(), teclas.end(), k) == teclas.end()) st.emisor.soltar(k);
    for (int k : teclas)
        if (std::find(m.teclas.begin(), m.teclas.end(), k) == m.teclas.end()) st.emisor.bajar(k);
    m.teclas = teclas;
    if (raton != m.raton) {
        m.raton = raton;
        st.emisor.boton(1, raton);
    }
}

TMando* buscar(int numero) {
    for (TMando& m : st.mandos)
        if (m.numero == numero) return &m;
    return nullptr;
}

int asientoLibre() {
    for (int s : st.orden) {
        bool ocupado = false;
        for (const TMando& m : st.mandos) ocupado = ocupado || m.asiento == s;
        if (!ocupado) return s;
    }
    return -1;
}

void leerPalanca(TMando& m) {
    auto histeresis = [](bool estaba, int v) { return estaba ? v > kPalancaFuera : v > kPalancaDentro; };
    m.palanca[kIzquierda] = histeresis(m.palanca[kIzquierda], -m.palancaX);
    m.palanca[kDerecha] = histeresis(m.palanca[kDerecha], m.palancaX);
    m.palanca[kArriba] = histeresis(m.palanca[kArriba], -m.palancaY);
    m.palanca[kAbajo] = histeresis(m.palanca[kAbajo], m.palancaY);
    for (size_t d = 0; d < 4; ++d) m.palancaVieja[d] = m.palancaVieja[d] && m.palanca[d];
}

// Deflection past the dead zone, -1..1, squared (keeping the sign) for fine control near
// the centre.
float desvio(int v) {
    const float a =
        static_cast<float>(std::max(0, std::abs(v) - kZonaMuerta)) / static_cast<float>(32767 - kZonaMuerta);
    const float f = std::min(1.0f, a) * std::min(1.0f, a);
    return v < 0 ? -f : f;
}

void moverConPalanca(TMando& m) {
    const float fx = desvio(m.palancaX), fy = desvio(m.palancaY);
    if (fx == 0 && fy == 0) {
        m.flipsPalanca = 0;
        m.restoX = m.restoY = 0;
        return;
    }
    const float v = std::min(kRatonRapido, kRatonLento + kRatonRampa * static_cast<float>(m.flipsPalanca++));
    const float dx = fx * v * pixelesPorUnidad() + m.restoX, dy = fy * v * pixelesPorUnidad() + m.restoY;
    const int ix = static_cast<int>(std::trunc(dx)), iy = static_cast<int>(std::trunc(dy));
    m.restoX = dx - static_cast<float>(ix);
    m.restoY = dy - static_cast<float>(iy);
    moverRaton(ix, iy);
}

// One controller event, after the platform's door.
void atender(const input::PadEvent& e) {
    switch (e.kind) {
        case input::PadEvent::Connect: {
            if (e.pad <= 0 || buscar(e.pad)) return;
            TMando m;
            m.numero = e.pad;
            m.remoto = e.pad >= PRIMER_MANDO_REMOTO;
            m.asiento = m.remoto ? (e.pad - PRIMER_MANDO_REMOTO < NUM_ASIENTOS ? e.pad - PRIMER_MANDO_REMOTO : -1)
                                 : asientoLibre();
            st.mandos.push_back(m);
            return;
        }
        case input::PadEvent::Pointer: {
            // A remote player's mouse, where the seat has the pointer.
            TMando* m = buscar(e.pad);
            if (!m || !m->remoto || !papelDe(m->asiento).raton) return;
            const int w = GraphicsWidth() > 0 ? GraphicsWidth() : 1024;
            const int h = GraphicsHeight() > 0 ? GraphicsHeight() : 768;
            st.emisor.moverRaton(std::clamp(e.control, 0, w - 1), std::clamp(e.value, 0, h - 1));
            return;
        }
        case input::PadEvent::Disconnect: {
            TMando* m = buscar(e.pad);
            if (!m) return;
            // Everything it held is let go; its seat is the keyboard's again.
            m->botones.fill(false);
            m->palanca.fill(false);
            aplicar(*m);
            st.mandos.erase(st.mandos.begin() + (m - st.mandos.data()));
            return;
        }
        case input::PadEvent::Button: {
            TMando* m = buscar(e.pad);
            if (!m || e.control < 0 || e.control >= input::PAD_BUTTONS) return;
            const bool estaba = m->botones[static_cast<size_t>(e.control)];
            m->botones[static_cast<size_t>(e.control)] = e.value != 0;
            if (e.value == 0) m->botonesViejos[static_cast<size_t>(e.control)] = false;
            // Start on a controller of this machine pauses a match; a remote player's never.
            if (!estaba && e.value != 0 && e.control == input::PAD_START && !m->remoto) input::RequestPause();
            aplicar(*m);
            // A d-pad press steps the pointer at once, like a key press.
            if (!estaba && e.value != 0 && papelDe(m->asiento).raton)
                for (int d = kIzquierda; d <= kAbajo; ++d)
                    if (kCruceta[static_cast<size_t>(d)] == e.control) pasoRaton(static_cast<Direccion>(d));
            return;
        }
        case input::PadEvent::Axis: {
            TMando* m = buscar(e.pad);
            if (!m) return;
            const int v = std::clamp(e.value, -32768, 32767);
            if (e.control == input::PAD_LEFTX)
                m->palancaX = v;
            else if (e.control == input::PAD_LEFTY)
                m->palancaY = v;
            else
                return;
            leerPalanca(*m);
            aplicar(*m);
            return;
        }
    }
}

// Once per flip, after the flip's events: pointer movement by the stick and repeats of
// held directions.
void cadaFlip(int flip) {
    if (flip == st.ultimoFlip) return;
    st.ultimoFlip = flip;
    for (TMando& m : st.mandos) {
        const TPapel& papel = papelDe(m.asiento);
        const bool repite = papel.vacio() || papel.raton;
        for (int d = kIzquierda; d <= kAbajo; ++d) {
            int& n = m.flipsPulsada[static_cast<size_t>(d)];
            // The pointer's stick moves it smoothly (below); only its d-pad steps.
            const bool pulsado = papel.raton ? boton(m, kCruceta[static_cast<size_t>(d)])
                                             : pulsada(m, static_cast<Direccion>(d));
            if (!pulsado) {
                n = 0;
                continue;
            }
            // The press itself acted when it came, in this flip's events: n counts the
            // flips since.
            const int desde = n++;
            if (!repite || desde < kRetardo || (desde - kRetardo) % kCadencia != 0) continue;
            if (papel.vacio())
                st.emisor.repetir(kFlechas[static_cast<size_t>(d)]);
            else
                pasoRaton(static_cast<Direccion>(d));
        }
        if (papel.raton) moverConPalanca(m);
    }
}

// The seats given to controllers travel in the session journal as "3,0" (none: empty).
std::string textoDeOrden(const std::vector<int>& orden) {
    std::string texto;
    for (int s : orden) texto += (texto.empty() ? "" : ",") + std::to_string(s);
    return texto;
}
std::vector<int> ordenDeTexto(const std::string& texto) {
    std::vector<int> orden;
    for (size_t i = 0; i < texto.size(); i += 2) {
        const char c = texto[i];
        const bool ultimo = i + 1 == texto.size();
        if (c < '0' || c >= '0' + NUM_ASIENTOS || (!ultimo && texto[i + 1] != ',') ||
            std::find(orden.begin(), orden.end(), c - '0') != orden.end())
            throw GameError("El diario da unos asientos de mandos no validos: \"" + texto + "\"");
        orden.push_back(c - '0');
    }
    return orden;
}

}  // namespace

void empezarMandos(const std::vector<int>& orden) {
    const std::vector<int> elegido =
        ordenDeTexto(journal::Setting("pads", [&] { return textoDeOrden(orden); }));
    st = TMandos{};
    if (!elegido.empty()) st.orden = elegido;
    olvidarRemotos();
    input::SetControllerHooks({atender, cadaFlip, remotoCambiado, bloqueadaPorRemoto});
}

bool tieneMando(int s) {
    return s >= 0 && std::any_of(st.mandos.begin(), st.mandos.end(),
                                 [&](const TMando& m) { return m.asiento == s && !m.remoto; });
}

int mandoDe(int s) {
    for (const TMando& m : st.mandos)
        if (s >= 0 && m.asiento == s && !m.remoto) return m.numero;
    return 0;
}

std::string botonDeTecla(int s, int tecla) {
    if (!tieneMando(s)) return {};
    const TPapel& papel = papelDe(s);
    if (papel.teclas.size() == 1 && papel.teclas[0] == tecla) return "A";
    if (papel.teclas.size() >= 2 && papel.teclas[0] == tecla) return "<";
    if (papel.teclas.size() >= 2 && papel.teclas[1] == tecla) return ">";
    return {};
}

void papelesCambiados() {
    for (TMando& m : st.mandos) {
        m.botonesViejos = m.botones;
        m.palancaVieja = m.palanca;
        aplicar(m);
    }
}

}  // namespace asientos
