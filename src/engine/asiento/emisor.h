#pragma once
// The one emitter of a seat's key and pointer events. Every occupant that is not a person
// at the keyboard (controllers, computer players) acts through a TEmisor, which turns
// "press this key", "hold it", "move the pointer there" into the same input events a real
// keyboard and mouse give, typed characters included. Each source keeps an emitter of its
// own: a key is held while any of that source's holders holds it, and let go with the last.
#include <array>

namespace asientos {

class TEmisor {
   public:
    // Key down and up in the same frame (one hit); the key is no longer held afterwards.
    void pulsar(int tecla);
    // One more holder of the key: the first one presses it (and types its character).
    void bajar(int tecla);
    // One holder fewer: the last one lets the key go.
    void soltar(int tecla);
    bool bajada(int tecla) const;
    // A held key's repeat: up and down again, as an auto-repeating key (no character).
    void repetir(int tecla);
    // The pointer at (x, y) logical screen pixels.
    void moverRaton(int x, int y);
    // The pointer at (x, y) in virtual screen units (1024 x 768).
    void raton(float x, float y);
    // One more (abajo) or one fewer holder of mouse button b (1 left, 2 right, 3 middle).
    void boton(int b, bool abajo);
    bool botonBajado(int b) const;
    // Lets go of every key (in increasing code) and then every button this source holds.
    void soltarTodo();

   private:
    std::array<int, 256> teclas{};  // holders of each key
    std::array<int, 4> botones{};   // holders of each mouse button
};

}  // namespace asientos
