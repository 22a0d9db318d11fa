// Fuzz target: the settings file resolucion.cfg as the game reads it at start-up. A file
// it cannot use must be rewritten with the default line.
#include "app/resolucion.h"

#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory-backed storage when there is some: creating and removing a file on disk
    // for every input costs more than the reading itself.
    static const std::string path = [] {
        const std::string folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string p = folder + "/fuzz_resolucion_" + std::to_string(getpid()) + ".cfg";
        static const std::string removeAtExit = p;
        std::atexit([] { std::remove(removeAtExit.c_str()); });
        return p;
    }();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Resolucion r = leerResolucion(path);
    const size_t lineEnd = bytes.find_first_of(std::string("\n\0", 2));
    const bool usable = bytes.substr(0, lineEnd).find(' ') != std::string::npos;
    if (!usable) {
        // Rewritten with the default, and the default given.
        std::ifstream in(path, std::ios::binary);
        const std::string now((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (now != "1024 768\r\n" || r.ancho != 1024 || r.alto != 768) std::abort();
    }
    return 0;
}
