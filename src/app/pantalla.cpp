#include "app/pantalla.h"

#include "platform/base/file_report.h"
#include "platform/base/stream.h"
#include "platform/session/run.h"

#include <sstream>

Pantalla leerPantalla(const std::string& path) {
    Pantalla p;
    auto in = ReadStream(path);
    if (!in) return p;
    BadLines malas(path, "se ignora");
    for (int number = 1; !in->Eof(); ++number) {
        const std::string raw = in->ReadLine();
        std::istringstream line(raw.substr(0, raw.find('#')));
        std::string key, value, extra;
        if (!(line >> key)) continue;  // blank or comment
        line >> value;
        const bool alone = !(line >> extra);
        DrawSize modo = DrawSize::Auto;
        if (alone && key == "mantener_aspecto" && (value == "si" || value == "no")) {
            p.mantenerAspecto = value == "si";
        } else if (alone && key == "dibujo" && modoDeDibujo(value, modo)) {
            p.dibujo = modo;
        } else {
            malas.Add(number, raw);
        }
    }
    in->Close();
    malas.Report();
    return p;
}

bool mantenerAspecto(const Pantalla& pantalla) {
    const session::Options& options = session::Current();
    if (options.keepAspect) return true;
    if (options.stretch) return false;
    return pantalla.mantenerAspecto;
}

bool modoDeDibujo(const std::string& palabra, DrawSize& modo) {
    if (palabra == "auto") modo = DrawSize::Auto;
    else if (palabra == "ventana" || palabra == "window") modo = DrawSize::Window;
    else if (palabra == "reducido" || palabra == "small") modo = DrawSize::Small;
    else return false;
    return true;
}
