#include "engine/asiento/emisor.h"

#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>

namespace asientos {
namespace {
bool esTecla(int tecla) {
    return tecla > 0 && tecla <= 255;
}
bool esBoton(int b) {
    return b >= 1 && b <= 3;
}
}  // namespace

void TEmisor::pulsar(int tecla) {
    if (!esTecla(tecla)) return;
    input::KeyEvent(tecla, true);
    if (int c = input::TypedBy(tecla)) input::CharEvent(c);
    input::KeyEvent(tecla, false);
    teclas[static_cast<size_t>(tecla)] = 0;
}

void TEmisor::bajar(int tecla) {
    if (!esTecla(tecla) || teclas[static_cast<size_t>(tecla)]++ > 0) return;
    input::KeyEvent(tecla, true);
    if (int c = input::TypedBy(tecla)) input::CharEvent(c);
}

void TEmisor::soltar(int tecla) {
    if (!esTecla(tecla) || teclas[static_cast<size_t>(tecla)] == 0) return;
    if (--teclas[static_cast<size_t>(tecla)] == 0) input::KeyEvent(tecla, false);
}

bool TEmisor::bajada(int tecla) const {
    return esTecla(tecla) && teclas[static_cast<size_t>(tecla)] > 0;
}

void TEmisor::repetir(int tecla) {
    input::KeyEvent(tecla, false);
    input::KeyEvent(tecla, true);
}

void TEmisor::moverRaton(int x, int y) {
    input::MouseMoveEvent(x, y);
}

void TEmisor::raton(float x, float y) {
    // Window pixels whose reading in virtual units (truncated) gives back x and y.
    const float w = static_cast<float>(std::max(1, GraphicsWidth()));
    const float h = static_cast<float>(std::max(1, GraphicsHeight()));
    moverRaton(static_cast<int>(std::ceil(std::clamp(x, 0.0f, 1023.0f) * w / 1024.0f)),
               static_cast<int>(std::ceil(std::clamp(y, 0.0f, 767.0f) * h / 768.0f)));
}

void TEmisor::boton(int b, bool abajo) {
    if (!esBoton(b)) return;
    int& n = botones[static_cast<size_t>(b)];
    if (abajo) {
        if (n++ == 0) input::MouseButtonEvent(b, true);
    } else if (n > 0 && --n == 0) {
        input::MouseButtonEvent(b, false);
    }
}

bool TEmisor::botonBajado(int b) const {
    return esBoton(b) && botones[static_cast<size_t>(b)] > 0;
}

void TEmisor::soltarTodo() {
    for (size_t k = 1; k < teclas.size(); ++k)
        if (teclas[k] > 0) {
            teclas[k] = 0;
            input::KeyEvent(static_cast<int>(k), false);
        }
    for (size_t b = 1; b < botones.size(); ++b)
        if (botones[b] > 0) {
            botones[b] = 0;
            input::MouseButtonEvent(static_cast<int>(b), false);
        }
}

}  // namespace asientos
