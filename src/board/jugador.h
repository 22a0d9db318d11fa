#pragma once
// One participant of a match: a character name and a position on the board.
#include <memory>
#include <string>

class TJugador {
   public:
    std::string nombre;  // character name
    float posicion = 0;  // square number; a fraction f > 0 is f of the way to the next

    static std::unique_ptr<TJugador> Create(const std::string& nombre);
    float getPosicion() const { return posicion; }
    // Throws GameError "TJugador::SetPosicion - value < 0" for a negative or NaN value.
    void setPosicion(float value);
    const std::string& getNombre() const { return nombre; }
    void setNombre(const std::string& n) { nombre = n; }
};
