#pragma once
// "Lanzamiento de CDs": the player on turn, standing at the top and throwing discs by
// dragging the mouse. Pressing button 1 starts the throw; releasing it throws along the
// drag, as hard as the drag was quick (capped, more so the straighter down it goes).
#include <memory>

class TMiniJuego5;

class T5JugadorRaton {
   public:
    int X = 512, Y = 140;          // position; the discs start here
    int Status = 0;                // 0 playing, 1 lost (time out), 2 won
    int pj = 0;                    // character index
    TMiniJuego5* juego = nullptr;  // the running play (not owned)
    int animant = 0;               // animation last set by a throw step
    int apuntando = 0;             // 1 while button 1 is held for a throw
    int x1 = 0, y1 = 0;            // mouse at the press, screen pixels
    int x2 = 0, y2 = 0;            // drag at the release, window pixels
    double t = 0;                  // minigame seconds at the press
    double tiempoPostura = 0;      // minigame seconds at the last throw

    // Standing (animation 1).
    static std::unique_ptr<T5JugadorRaton> Create(int pj, TMiniJuego5* juego);
    int DrawSelf();
    // Once per frame: back to standing after a throw, press, release and throw, playback.
    int UpdateState();

    // Speed (units per frame, before the disc's 1.5 boost) and angle (degrees, 0 to 180)
    // of a throw dragged (dx, dy) window pixels in dt seconds at fps frames per second.
    // dy is already at least 1.
    static void calcularTiro(int dx, int dy, double dt, int fps, double& velocidad, double& angulo);
};
