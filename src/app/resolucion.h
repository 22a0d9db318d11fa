#pragma once
// The resolution file resolucion.cfg: "width height" on the first line, CR LF.
#include <string>

struct Resolucion {
    int ancho = 1024;
    int alto = 768;
};

// Reads the first line of the file. A missing file, or a first line without a space,
// is (re)written with the default line "1024 768" CR LF and gives 1024 by 768.
Resolucion leerResolucion(const std::string& path);
// The same for resolucion.cfg in the settings folder (platform/settings.h).
Resolucion leerResolucion();
// Writes exactly the 10 bytes "1024 768\r\n" (truncating the file).
void escribirResolucionPorDefecto(const std::string& path);
