#pragma once
// The screen settings file pantalla.cfg, beside resolucion.cfg: lines "key value", '#'
// starts a comment. One key today:
//   mantener_aspecto si|no   si: on a screen that is not 4:3 the picture keeps its shape,
//                            centred between black bars (as the --keep-aspect option)
// A missing file means the defaults and is not created. A line the game does not
// understand is named on standard error and skipped; the rest of the file still counts.
#include "platform/base/settings.h"

#include <string>

struct Pantalla {
    bool mantenerAspecto = false;
};

Pantalla leerPantalla(const std::string& path = settings::PathFor("pantalla.cfg"));
