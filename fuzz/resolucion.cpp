// Fuzz target: the settings file resolucion.cfg as the game reads it at start-up. A file
// it cannot use must be rewritten with the default line.
#include "app/resolucion.h"
#include "scratch_file.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = fuzz::ScratchPath("resolucion.cfg");
    fuzz::WriteScratch(path, data, size);
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
