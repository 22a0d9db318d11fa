#pragma once
// The screen settings file pantalla.cfg, beside resolucion.cfg: lines "key value", '#'
// starts a comment. The keys:
//   mantener_aspecto si|no   si (the default): on a screen that is not 4:3 the picture
//                            keeps its shape, centred between black bars; no: it is
//                            stretched over the screen (as the --stretch option)
//   dibujo auto|ventana|reducido
//                            how a window larger than 1024x768 is drawn (as --draw):
//                            ventana at its own size, reducido at 1024x768 and scaled,
//                            auto (the default) the game's choice, today ventana
// A missing file means the defaults and is not created. A line the game does not
// understand is named on standard error and skipped; the rest of the file still counts.
#include "platform/base/settings.h"
#include "platform/video/scaling.h"

#include <string>

struct Pantalla {
    bool mantenerAspecto = true;
    DrawSize dibujo = DrawSize::Auto;
};

// "auto", "ventana", "reducido" (and the option's "window", "small") as a mode; false for
// any other word.
bool modoDeDibujo(const std::string& palabra, DrawSize& modo);

Pantalla leerPantalla(const std::string& path = settings::PathFor("pantalla.cfg"));

// Whether the picture keeps its 4:3 shape: --keep-aspect or --stretch when given, else
// the file's line.
bool mantenerAspecto(const Pantalla& pantalla);
