#pragma once
// "Lanzamiento de CDs": an opponent walking left and right along the bottom on two keys,
// catching the discs that come near enough to touch.
#include <memory>

class TMiniJuego5;

class T5Jugador {
   public:
    int X = 100, Y = 800;          // position, virtual units
    int Status = 0;                // 0 playing, 1 lost, 2 won
    int tecla1 = 0, tecla2 = 0;    // virtual-key codes: walk left, walk right
    TMiniJuego5* juego = nullptr;  // the running play (not owned)
    int pj = 0;                    // character index
    int animant = 0;               // animation last set
    int velocidad = 0;             // this frame's step: -5, 0 or 5

    // Waiting (animation 8) at (x, y).
    static std::unique_ptr<T5Jugador> Create(int pj, int x, int y, int tecla1, int tecla2,
                                             TMiniJuego5* juego);
    int DrawSelf();
    // Once per frame: keys, walk, then catching with this frame's pose, then playback.
    int UpdateState();
};
