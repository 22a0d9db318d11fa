#pragma once
// What the menus' lists share: the slide-in, the lines drawn down it, and the arrows'
// choice of a line.
#include "platform/input/input.h"

#include <functional>
#include <span>
#include <string>

// The slide-in of the menus' lists: the top line falls from y = 0 and comes to rest at
// y = 200 after 11 frames while the spacing shrinks to escala * 0.3138 (50 for a scale of
// 160, 40 for 130). Truncated ints, the speed a 32-bit float.
class TDeslizamiento {
   public:
    int top = 0;          // y of line 0
    int spacing = 1;      // y distance between lines
    float speed = 30.0f;  // y units of the next step
    int phase = 0;        // 0 sliding in, 1 at rest (the screen reads its keys)

    explicit TDeslizamiento(int escala) : escala(escala) {}

    // One frame of the slide; the list is at rest from the frame that reaches y = 200.
    void avanzar() {
        top = static_cast<int>(top + speed);
        speed = static_cast<float>(speed * 0.9);
        spacing = static_cast<int>(speed / 30.0 * escala);
        if (top >= 200) phase = 1;
    }
    bool enReposo() const { return phase == 1; }
    // y of line i (lines counted from 0 in drawing order).
    float y(int i) const { return static_cast<float>(top + i * spacing); }

   private:
    int escala;
};

// The highlighted line after this frame's arrow presses: Down adds one, Up takes one (both
// in one frame cancel out), wrapping round between 0 and last.
inline int moverSeleccion(int selection, int last) {
    selection += KeyHit(KEY_DOWN) > 0 ? 1 : 0;
    selection -= KeyHit(KEY_UP) > 0 ? 1 : 0;
    if (selection < 0) selection = last;
    if (selection > last) selection = 0;
    return selection;
}

// A value for no line: every line is shown chosen (the credits).
inline constexpr int TODAS_LAS_LINEAS = -1;

// Draws a menu's lines at x = 170 down the slide in the current font: the chosen line
// (`seleccion`, or all with TODAS_LAS_LINEAS) in the menus' blue, the others in black.
// With `valor`, the text it gives for line i follows that line 20 units after its end,
// in the line's colour; an empty text shows nothing. With `escalas`, line i and its value
// are drawn at escalas[i] of the font's size from the line's place (none: all at 1).
void dibujarLista(std::span<const std::string> lineas, const TDeslizamiento& lista, int seleccion,
                  const std::function<std::string(int)>& valor = {}, std::span<const float> escalas = {});
