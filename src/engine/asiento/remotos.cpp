#include "engine/asiento/remotos.h"

#include "engine/asiento/asiento.h"
#include "engine/asiento/cerebro.h"
#include "engine/asiento/papeles.h"

#include <SDL.h>

#include <algorithm>
#include <array>

namespace asientos {
namespace {

struct TRemoto {
    std::string nombre;     // empty: nobody over the network
    bool presente = false;  // connected now
    int silencio = 0;       // seconds without a word from it (kMarcaSilencio)
};
std::array<TRemoto, NUM_ASIENTOS> remotos;
bool alguno = false;

bool valido(int s) { return s >= 0 && s < NUM_ASIENTOS; }

// The controller button a key of the remote player's keyboard presses for seat s.
int botonDe(int s, int tecla) {
    const TPapel& papel = papelDe(s);
    if (papel.teclas.size() == 1 && tecla == papel.teclas[0]) return input::PAD_A;
    if (papel.teclas.size() >= 2 && tecla == papel.teclas[0]) return input::PAD_DPAD_LEFT;
    if (papel.teclas.size() >= 2 && tecla == papel.teclas[1]) return input::PAD_DPAD_RIGHT;
    switch (tecla) {
        case KEY_SPACE:
        case KEY_ENTER: return input::PAD_A;
        case KEY_LEFT: return input::PAD_DPAD_LEFT;
        case KEY_RIGHT: return input::PAD_DPAD_RIGHT;
        case KEY_UP: return input::PAD_DPAD_UP;
        case KEY_DOWN: return input::PAD_DPAD_DOWN;
        default: return -1;
    }
}

input::PadEvent boton(int s, int b, bool abajo) {
    input::PadEvent e;
    e.kind = input::PadEvent::Button;
    e.pad = mandoRemoto(s);
    e.control = b;
    e.value = abajo ? 1 : 0;
    return e;
}

input::PadEvent puntero(int s, int x, int y) {
    input::PadEvent e;
    e.kind = input::PadEvent::Pointer;
    e.pad = mandoRemoto(s);
    e.control = std::max(0, x);
    e.value = std::max(0, y);
    return e;
}

}  // namespace

std::string nombreRemoto(int s) { return valido(s) ? remotos[static_cast<size_t>(s)].nombre : std::string(); }
bool tieneRemoto(int s) { return valido(s) && remotos[static_cast<size_t>(s)].presente; }
bool remotoAusente(int s) {
    return valido(s) && !remotos[static_cast<size_t>(s)].nombre.empty() && !remotos[static_cast<size_t>(s)].presente;
}
bool algunRemoto() { return alguno; }
int silencioRemoto(int s) { return valido(s) ? remotos[static_cast<size_t>(s)].silencio : 0; }

void remotoCambiado(int s, const std::string& nombre) {
    if (!valido(s)) return;
    TRemoto& r = remotos[static_cast<size_t>(s)];
    if (!nombre.empty() && nombre[0] == kMarcaSilencio) {
        int n = 0;
        for (size_t i = 1; i < nombre.size() && i < 6 && nombre[i] >= '0' && nombre[i] <= '9'; ++i)
            n = n * 10 + (nombre[i] - '0');
        if (r.presente) r.silencio = n;
    } else if (nombre == kRemotoOlvidado) {
        r = {};
    } else if (nombre.empty()) {
        r.presente = false;  // the name stays: the seat waits for its player
        r.silencio = 0;
    } else {
        r.nombre = nombre;
        r.presente = true;
        alguno = true;
        activarCerebros();
    }
}

void olvidarRemotos() {
    remotos = {};
    alguno = false;
}

bool bloqueadaPorRemoto(int tecla) {
    for (int s = 0; s < NUM_ASIENTOS; ++s) {
        if (remotos[static_cast<size_t>(s)].nombre.empty()) continue;
        const TPapel& papel = papelDe(s);
        if (tecla < 0 ? papel.raton : std::find(papel.teclas.begin(), papel.teclas.end(), tecla) != papel.teclas.end())
            return true;
    }
    return false;
}

std::vector<input::PadEvent> entradaRemota(int s, const SDL_Event& e) {
    std::vector<input::PadEvent> fuera;
    if (!valido(s)) return fuera;
    switch (e.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            if (e.type == SDL_KEYDOWN && e.key.repeat) break;
            const int b = botonDe(s, input::KeyOf(e.key.keysym.sym));
            if (b >= 0) fuera.push_back(boton(s, b, e.type == SDL_KEYDOWN));
            break;
        }
        case SDL_MOUSEMOTION:
            if (papelDe(s).raton) fuera.push_back(puntero(s, e.motion.x, e.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            // Only the pointer's seat clicks: elsewhere A would be Enter in a menu.
            if (e.button.button != SDL_BUTTON_LEFT || !papelDe(s).raton) break;
            fuera.push_back(puntero(s, e.button.x, e.button.y));
            fuera.push_back(boton(s, input::PAD_A, e.type == SDL_MOUSEBUTTONDOWN));
            break;
        default: break;
    }
    return fuera;
}

}  // namespace asientos
