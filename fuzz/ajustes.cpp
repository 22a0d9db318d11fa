// Fuzz target: the players file jugadores.cfg and the screen file pantalla.cfg as the game
// reads them at start-up. Whatever the bytes, the players file must give a level of 1 to
// 3 and be left readable: read again, it gives the same choice (a damaged file is
// rewritten with four people, which must read back as such).
#include "app/jugadores.h"
#include "app/pantalla.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
// A file in memory-backed storage when there is some: creating and removing files on
// disk for every input costs more than the reading itself.
std::string scratch(const char* name) {
    const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return folder + "/fuzz_ajustes_" + std::to_string(getpid()) + "_" + name;
}
const std::string& jugadoresPath() {
    static const std::string p = scratch("jugadores.cfg");
    return p;
}
const std::string& pantallaPath() {
    static const std::string p = scratch("pantalla.cfg");
    return p;
}
void write(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool cleanup = [] {
        std::atexit([] {
            std::remove(jugadoresPath().c_str());
            std::remove(pantallaPath().c_str());
        });
        return true;
    }();
    (void)cleanup;

    write(jugadoresPath(), data, size);
    const asientos::Eleccion first = leerJugadores(jugadoresPath());
    if (first.nivel < asientos::NIVEL_FACIL || first.nivel > asientos::NIVEL_DIFICIL) std::abort();
    const asientos::Eleccion again = leerJugadores(jugadoresPath());
    if (again.cpu != first.cpu || again.nivel != first.nivel) std::abort();

    write(pantallaPath(), data, size);
    (void)leerPantalla(pantallaPath());
    return 0;
}
