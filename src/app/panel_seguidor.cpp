#include "app/panel_seguidor.h"

#include "platform/frame.h"
#include "platform/input/gamepad.h"
#include "platform/input/input.h"

#include <SDL.h>

#include <utility>

namespace red {

TPanelSeguidor::TPanelSeguidor(bool conAsiento, std::function<void()> dejar, std::function<void()> soltar)
    : conAsiento(conAsiento), dejar(std::move(dejar)), soltar(std::move(soltar)) {
    frame::SetOverlay([this] { dibujar(); });
}

TPanelSeguidor::~TPanelSeguidor() { frame::SetOverlay({}); }

void TPanelSeguidor::abrir() {
    // Whatever the seat holds down is let go now: nothing more reaches the host until the
    // panel closes.
    if (soltar) soltar();
    pagina = pausa::TPanel::menu("PARTIDA EN RED", {"Seguir", "Dejar la partida"});
    preguntando = false;
}

void TPanelSeguidor::elegir(int opcion) {
    if (dejado) return;
    if (!preguntando && opcion == 1) {
        // Leaving asks once more, as the pause does; anything but "Si" goes back to the game.
        pagina = pausa::TPanel::pregunta(conAsiento ? "La CPU jugara por ti. Salir?"
                                                    : "Dejar de mirar la partida?");
        preguntando = true;
    } else if (preguntando && opcion == 0) {
        // The panel stays until the run ends, at the end of this flip.
        dejado = true;
        if (dejar) dejar();
    } else {
        pagina.reset();
    }
}

bool TPanelSeguidor::atender(const SDL_Event& e) {
    input::PadEvent pad;
    const bool mando = gamepad::PadEventOf(e, pad);
    // Escape, or a controller's Start, opens the panel and closes it again.
    const bool escape =
        e.type == SDL_KEYDOWN && !e.key.repeat && input::KeyOf(e.key.keysym.sym) == KEY_ESCAPE;
    const bool start = mando && pad.kind == input::PadEvent::Button && pad.control == input::PAD_START;
    if (start && pad.value == 0) return true;  // Start is this machine's alone, up or down
    if (escape || start) {
        if (!abierto())
            abrir();
        else if (!dejado)
            pagina.reset();
        return true;
    }
    if (!abierto()) return false;
    if (dejado) return true;
    // The page's moves: the arrows or the d-pad move, Enter or A chooses, the mouse points
    // and clicks.
    int paso = 0;
    bool elige = false;
    if (e.type == SDL_KEYDOWN && !e.key.repeat) {
        switch (input::KeyOf(e.key.keysym.sym)) {
            case KEY_UP:
            case KEY_LEFT: paso = -1; break;
            case KEY_DOWN:
            case KEY_RIGHT: paso = 1; break;
            case KEY_ENTER: elige = true; break;
            default: break;
        }
    } else if (mando && pad.kind == input::PadEvent::Button && pad.value != 0) {
        switch (pad.control) {
            case input::PAD_DPAD_UP:
            case input::PAD_DPAD_LEFT: paso = -1; break;
            case input::PAD_DPAD_DOWN:
            case input::PAD_DPAD_RIGHT: paso = 1; break;
            case input::PAD_A: elige = true; break;
            default: break;
        }
    } else if (e.type == SDL_MOUSEMOTION) {
        pagina->raton(pausa::aVirtualX(e.motion.x), pausa::aVirtualY(e.motion.y), true, false);
    } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        const int i = pagina->raton(pausa::aVirtualX(e.button.x), pausa::aVirtualY(e.button.y), false, true);
        if (i >= 0) elegir(i);
        return true;
    }
    pagina->mover(paso);
    if (elige) elegir(pagina->elegida());
    // Everything else this machine does meanwhile stays here too.
    return true;
}

void TPanelSeguidor::dibujar() const {
    if (pagina) pagina->dibujar();
}

}  // namespace red
