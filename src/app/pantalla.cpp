#include "app/pantalla.h"

#include "platform/base/stream.h"

#include <cstdio>
#include <sstream>

Pantalla leerPantalla(const std::string& path) {
    Pantalla p;
    auto in = ReadStream(path);
    if (!in) return p;
    for (int number = 1; !in->Eof(); ++number) {
        const std::string raw = in->ReadLine();
        std::istringstream line(raw.substr(0, raw.find('#')));
        std::string key, value, extra;
        if (!(line >> key)) continue;  // blank or comment
        line >> value;
        const bool known = key == "mantener_aspecto" && (value == "si" || value == "no") && !(line >> extra);
        if (!known) {
            std::fprintf(stderr, "%s, linea %d: no se entiende \"%s\" (se ignora)\n", path.c_str(), number,
                         raw.c_str());
            continue;
        }
        p.mantenerAspecto = value == "si";
    }
    in->Close();
    return p;
}
