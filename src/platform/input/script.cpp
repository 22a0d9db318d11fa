// The rig's input script: parsing its lines and delivering them at their flip through
// the input room's one door.
#include "platform/input/script.h"

#include "platform/base/errors.h"
#include "platform/base/text.h"
#include "platform/input/gamepad.h"
#include "platform/input/input_internal.h"
#include "platform/session/run.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace input {
namespace {

struct ScriptEvent {
    int flip = 0;
    enum Kind { KeyDown, KeyUp, KeyPress, Type, Mouse, ButtonDown, ButtonUp, Quit, PadConnect, PadDisconnect, PadButton, PadAxis } kind = Quit;
    int a = 0, b = 0, c = 0;
};

struct Script {
    std::vector<ScriptEvent> lines;  // in file order, delivered by flip
    size_t nextEvent = 0;
};
Script sc;

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }


const std::map<std::string, int>& KeyNames() {
    static const std::map<std::string, int> names = {
        {"backspace", 8}, {"tab", 9},   {"enter", 13}, {"return", 13}, {"shift", 16},
        {"ctrl", 17},     {"alt", 18},  {"escape", 27}, {"esc", 27},   {"space", 32},
        {"left", 37},     {"up", 38},   {"right", 39}, {"down", 40},
    };
    return names;
}

// A key name ("Q", "Enter", "Left") or a decimal virtual-key code.
int KeyCodeOf(const std::string& name, const std::string& context) {
    if (name.size() == 1) {
        unsigned char c = static_cast<unsigned char>(name[0]);
        if (std::isalpha(c)) return std::toupper(c);
        if (std::isdigit(c)) return c;
    }
    auto it = KeyNames().find(AsciiLower(name));
    if (it != KeyNames().end()) return it->second;
    int code = ParseWholeNumber(name, context);
    if (code < 1 || code > 255) Bad("Codigo de tecla fuera de rango en " + context);
    return code;
}

// "pad N connect|disconnect", "pad N button <name> down|up", "pad N axis <name> <value>".
void ParsePadLine(const std::vector<std::string>& args, const std::string& context, ScriptEvent& e) {
    if (args.size() < 2) Bad("Numero de argumentos incorrecto en " + context);
    e.a = ParseWholeNumber(args[0], context);
    if (e.a < 1) Bad("Numero de mando fuera de rango en " + context);
    const std::string& what = args[1];
    if (what == "connect" || what == "disconnect") {
        if (args.size() != 2) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = what == "connect" ? ScriptEvent::PadConnect : ScriptEvent::PadDisconnect;
    } else if (what == "button") {
        if (args.size() != 4) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = ScriptEvent::PadButton;
        e.b = gamepad::ButtonFromName(AsciiLower(args[2]));
        if (e.b < 0) Bad("Boton de mando desconocido en " + context);
        if (args[3] != "down" && args[3] != "up") Bad("Se esperaba down o up en " + context);
        e.c = args[3] == "down" ? 1 : 0;
    } else if (what == "axis") {
        if (args.size() != 4) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = ScriptEvent::PadAxis;
        e.b = gamepad::AxisFromName(AsciiLower(args[2]));
        if (e.b < 0) Bad("Eje de mando desconocido en " + context);
        e.c = ParseWholeNumber(args[3], context);
        if (e.c < -32768 || e.c > 32767) Bad("Valor de eje fuera de rango en " + context);
    } else {
        Bad("Se esperaba connect, disconnect, button o axis en " + context);
    }
}

}  // namespace

void AddScriptLine(const std::string& raw) {
    std::string line = raw.substr(0, raw.find('#'));
    std::istringstream in(line);
    std::string flipText, verb;
    if (!(in >> flipText)) return;  // blank or comment
    std::string context = "la linea de guion \"" + raw + "\"";
    ScriptEvent e;
    e.flip = ParseWholeNumber(flipText, context);
    if (e.flip < 0) Bad("Flip negativo en " + context);
    if (!(in >> verb)) Bad("Falta la accion en " + context);
    std::vector<std::string> args;
    for (std::string w; in >> w;) args.push_back(w);
    auto argc = [&](size_t n) {
        if (args.size() != n) Bad("Numero de argumentos incorrecto en " + context);
    };
    if (verb == "key") {
        argc(2);
        e.a = KeyCodeOf(args[0], context);
        if (!HasRealKey(e.a)) Bad("Ninguna tecla da ese codigo en " + context);
        if (args[1] == "down") e.kind = ScriptEvent::KeyDown;
        else if (args[1] == "up") e.kind = ScriptEvent::KeyUp;
        else if (args[1] == "press") e.kind = ScriptEvent::KeyPress;
        else Bad("Se esperaba down, up o press en " + context);
    } else if (verb == "type") {
        argc(1);
        e.kind = ScriptEvent::Type;
        std::vector<uint16_t> cps = ToCodePoints(args[0]);
        if (cps.size() == 1) {
            e.a = cps[0];
        } else {
            auto it = KeyNames().find(AsciiLower(args[0]));
            if (it == KeyNames().end()) Bad("Caracter no valido en " + context);
            e.a = it->second;
        }
    } else if (verb == "mouse") {
        argc(2);
        e.kind = ScriptEvent::Mouse;
        e.a = ParseWholeNumber(args[0], context);
        e.b = ParseWholeNumber(args[1], context);
    } else if (verb == "button") {
        argc(2);
        e.a = ParseWholeNumber(args[0], context);
        if (e.a < 1 || e.a > 3) Bad("Boton fuera de rango en " + context);
        if (args[1] == "down") e.kind = ScriptEvent::ButtonDown;
        else if (args[1] == "up") e.kind = ScriptEvent::ButtonUp;
        else Bad("Se esperaba down o up en " + context);
    } else if (verb == "pad") {
        ParsePadLine(args, context, e);
    } else if (verb == "quit") {
        argc(0);
        e.kind = ScriptEvent::Quit;
    } else {
        Bad("Accion desconocida en " + context);
    }
    // Delivery walks the list in flip order; lines of the same flip keep file order.
    auto pos = std::upper_bound(sc.lines.begin() + static_cast<long>(sc.nextEvent), sc.lines.end(), e,
                                [](const ScriptEvent& x, const ScriptEvent& y) { return x.flip < y.flip; });
    sc.lines.insert(pos, e);
}

// Script lines become the SDL events a real keyboard and mouse would give, so they go
// through the same translation (and the same journal) as a person's input.
void DeliverScriptEvents() {
    while (sc.nextEvent < sc.lines.size() && sc.lines[sc.nextEvent].flip <= session::FlipCount()) {
        const ScriptEvent& e = sc.lines[sc.nextEvent++];
        switch (e.kind) {
            case ScriptEvent::KeyDown: DeliverKey(e.a, true); break;
            case ScriptEvent::KeyUp: DeliverKey(e.a, false); break;
            case ScriptEvent::KeyPress:
                DeliverKey(e.a, true);
                DeliverKey(e.a, false);
                break;
            case ScriptEvent::Type: DeliverText(Latin1ToUtf8(std::string(1, static_cast<char>(e.a)))); break;
            case ScriptEvent::Mouse: DeliverMouseMove(e.a, e.b); break;
            case ScriptEvent::ButtonDown: DeliverMouseButton(e.a, true); break;
            case ScriptEvent::ButtonUp: DeliverMouseButton(e.a, false); break;
            case ScriptEvent::Quit: DeliverQuit(); break;
            case ScriptEvent::PadConnect: gamepad::VirtualConnect(e.a); break;
            case ScriptEvent::PadDisconnect: gamepad::VirtualDisconnect(e.a); break;
            case ScriptEvent::PadButton: gamepad::VirtualButton(e.a, e.b, e.c != 0); break;
            case ScriptEvent::PadAxis: gamepad::VirtualAxis(e.a, e.b, e.c); break;
        }
    }
}

void LoadScript(const std::string& path) {
    std::ifstream f(path);
    if (!f) Bad("No se puede leer el guion " + path);
    for (std::string line; std::getline(f, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        AddScriptLine(line);
    }
}

void ClearScript() { sc = Script{}; }

}  // namespace input
