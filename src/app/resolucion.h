#pragma once
// The resolution file resolucion.cfg: "width height" on the first line, CR LF.
#include <string>

struct Resolucion {
    int ancho = 1024;
    int alto = 768;
};

// The largest screen the game opens: an 8K display. Beyond it a picture of the virtual
// screen costs gigabytes and seconds a frame on a software renderer.
constexpr int kAnchoMaximo = 7680;
constexpr int kAltoMaximo = 4320;

// Reads the first line of the file. A missing file, or a first line without a space,
// is (re)written with the default line "1024 768" CR LF and gives 1024 by 768; a file
// that was there is named on standard error when it is rewritten.
Resolucion leerResolucion(const std::string& path);
// The same for resolucion.cfg in the settings folder (platform/settings.h).
Resolucion leerResolucion();
// Writes exactly the 10 bytes "1024 768\r\n" (through a new file renamed over the old:
// a link in its place is replaced, its target untouched).
void escribirResolucionPorDefecto(const std::string& path);
// r when within the limit; otherwise mayor (the largest the display offers, 1024x768
// headless), after naming the file, the size and the limit on standard error.
Resolucion acotarResolucion(const Resolucion& r, const Resolucion& mayor, const std::string& path);
