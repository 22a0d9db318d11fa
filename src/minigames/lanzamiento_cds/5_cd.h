#pragma once
// "Lanzamiento de CDs": a disc sliding across the floor. It slows down every frame,
// bounces off the side walls keeping its speed, scores for the thrower when it leaves
// through the bottom edge, and lies still once it has stopped (it can still be caught).
#include <list>
#include <memory>

class TMiniJuego5;
class T5CD;

// The discs on the floor, in throwing order. Each disc keeps the iterator to its own
// entry so that it can take itself off while the list is being walked.
using TListaCDs = std::list<std::shared_ptr<T5CD>>;

class T5CD {
   public:
    double X = 0, Y = 0;           // centre of the disc, virtual units
    TMiniJuego5* juego = nullptr;  // the running play (not owned)
    double angulo = 0;             // direction of travel, degrees (0 right, 90 down)
    double velocidad = 0;          // units per frame

    // A disc with these values; gives the disc picture its centre handle (14.5, 14.5).
    // Not yet on the floor (see invocar).
    static std::shared_ptr<T5CD> Create(TMiniJuego5* juego, double x, double y, double angulo,
                                        double velocidad);
    // Creates a disc and puts it on juego's floor (at the end of juego->cds).
    static std::shared_ptr<T5CD> invocar(TMiniJuego5* juego, double x, double y, double angulo,
                                         double velocidad);
    // Flattened to 0.8 of its height, as seen at an angle; the render state is kept.
    int DrawSelf();
    // One frame: slide, leave (top: lost; bottom: a point), bounce, slow down.
    int UpdateState();
    // A bounce keeps the speed.
    int restaFriccion();
    // Loses 5% of the speed.
    int decelera();
    // Off the floor; nothing when it is not on it.
    int destruir();
    bool enElSuelo() const { return enLista; }

   private:
    TListaCDs::iterator link;
    bool enLista = false;
};
