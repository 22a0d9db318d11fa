// Fuzz target: the players file jugadores.cfg and the screen file pantalla.cfg as the game
// reads them at start-up. Whatever the bytes, the players file must give a level of 1 to
// 3, read again give the same choice (reading never rewrites it), and that choice, written
// as the players screen writes it, must read back the same.
#include "app/jugadores.h"
#include "app/pantalla.h"
#include "scratch_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string jugadores = fuzz::ScratchPath("jugadores.cfg");
    static const std::string pantalla = fuzz::ScratchPath("pantalla.cfg");

    fuzz::WriteScratch(jugadores, data, size);
    const asientos::Eleccion first = leerJugadores(jugadores);
    if (first.nivel < asientos::NIVEL_FACIL || first.nivel > asientos::NIVEL_DIFICIL) std::abort();
    if (leerJugadores(jugadores) != first) std::abort();
    escribirJugadores(first, jugadores);
    if (leerJugadores(jugadores) != first) std::abort();

    fuzz::WriteScratch(pantalla, data, size);
    (void)leerPantalla(pantalla);
    return 0;
}
