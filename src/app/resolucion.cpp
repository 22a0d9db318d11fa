#include "app/resolucion.h"

#include "platform/base/settings.h"
#include "platform/base/stream.h"
#include "platform/base/text.h"

void escribirResolucionPorDefecto(const std::string& path) {
    CreateFile(path);
    if (auto out = WriteStream(path)) {
        out->WriteLine("1024 768");
        out->Close();
    }
}

Resolucion leerResolucion(const std::string& path) {
    Resolucion r;
    auto in = ReadStream(path);
    if (!in) {
        escribirResolucionPorDefecto(path);
        return r;
    }
    std::string line = in->ReadLine();
    size_t space = line.find(' ');
    in->Close();
    if (space == std::string::npos) {
        escribirResolucionPorDefecto(path);
        return r;
    }
    r.ancho = StrToInt(line.substr(0, space));
    r.alto = StrToInt(line.substr(space + 1));
    return r;
}

Resolucion leerResolucion() { return leerResolucion(settings::PathFor("resolucion.cfg")); }
