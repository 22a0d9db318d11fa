#include "app/resolucion.h"

#include "platform/base/settings.h"
#include "platform/base/stream.h"
#include "platform/base/text.h"

#include <cstdio>

namespace {
void decir(const std::string& texto) {
    std::fprintf(stderr, "%s\n", texto.c_str());
    std::fflush(stderr);
}
}  // namespace

void escribirResolucionPorDefecto(const std::string& path) {
    settings::WriteFile(path, "1024 768\r\n");
}

Resolucion leerResolucion(const std::string& path) {
    Resolucion r;
    auto in = ReadStream(path);
    if (!in) {
        // The first run has none: made without a word.
        escribirResolucionPorDefecto(path);
        return r;
    }
    std::string line = in->ReadLine();
    size_t space = line.find(' ');
    in->Close();
    if (space == std::string::npos) {
        decir(Printable(path) + ": la primera linea no es \"ancho alto\" (\"" + Printable(line, 60) +
              "\"); se vuelve a escribir con 1024 768");
        escribirResolucionPorDefecto(path);
        return r;
    }
    r.ancho = StrToInt(line.substr(0, space));
    r.alto = StrToInt(line.substr(space + 1));
    return r;
}

Resolucion leerResolucion() { return leerResolucion(settings::PathFor("resolucion.cfg")); }

Resolucion acotarResolucion(const Resolucion& r, const Resolucion& mayor, const std::string& path) {
    if (r.ancho <= kAnchoMaximo && r.alto <= kAltoMaximo) return r;
    decir(Printable(path) + ": " + std::to_string(r.ancho) + "x" + std::to_string(r.alto) +
          " pasa del limite de " + std::to_string(kAnchoMaximo) + "x" + std::to_string(kAltoMaximo) + "; se usa " +
          std::to_string(mayor.ancho) + "x" + std::to_string(mayor.alto));
    return mayor;
}
