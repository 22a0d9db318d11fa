#include "platform/rig.h"

#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/detail.h"
#include "platform/gamepad.h"
#include "platform/input.h"
#include "platform/journal.h"
#include "platform/text.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string_view>
#include <type_traits>

namespace rig {
namespace {

struct ScriptEvent {
    int flip = 0;
    enum Kind { KeyDown, KeyUp, KeyPress, Type, Mouse, ButtonDown, ButtonUp, Quit, PadConnect, PadDisconnect, PadButton, PadAxis } kind = Quit;
    int a = 0, b = 0, c = 0;
};

struct RigState {
    Options options;
    int flips = 0;
    std::vector<ScriptEvent> script;  // in file order, delivered by flip
    size_t nextEvent = 0;
    std::FILE* traceFile = nullptr;
    bool capture = false;
    std::vector<std::string> captured;
    std::FILE* frameTimesFile = nullptr;
    std::chrono::steady_clock::time_point workStart = std::chrono::steady_clock::now();
    std::chrono::steady_clock::duration waited{};
    std::chrono::steady_clock::time_point waitStart;
    int waitDepth = 0;
};
RigState st;

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }

int ParseInt(const std::string& text, const std::string& context) {
    if (text.empty()) Bad("Valor vacio en " + context);
    size_t used = 0;
    long v = 0;
    try {
        v = std::stol(text, &used);
    } catch (...) {
        Bad("Numero no valido en " + context + ": " + text);
    }
    if (used != text.size()) Bad("Numero no valido en " + context + ": " + text);
    return static_cast<int>(v);
}

const std::map<std::string, int>& KeyNames() {
    static const std::map<std::string, int> names = {
        {"backspace", 8}, {"tab", 9},   {"enter", 13}, {"return", 13}, {"shift", 16},
        {"ctrl", 17},     {"alt", 18},  {"escape", 27}, {"esc", 27},   {"space", 32},
        {"left", 37},     {"up", 38},   {"right", 39}, {"down", 40},
    };
    return names;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// A key name ("Q", "Enter", "Left") or a decimal virtual-key code.
int KeyCodeOf(const std::string& name, const std::string& context) {
    if (name.size() == 1) {
        unsigned char c = static_cast<unsigned char>(name[0]);
        if (std::isalpha(c)) return std::toupper(c);
        if (std::isdigit(c)) return c;
    }
    auto it = KeyNames().find(Lower(name));
    if (it != KeyNames().end()) return it->second;
    int code = ParseInt(name, context);
    if (code < 1 || code > 255) Bad("Codigo de tecla fuera de rango en " + context);
    return code;
}

// "Tarsun,pexil": the seats named, in that order, each once.
std::vector<int> SeatList(const std::string& text, const std::string& option) {
    static const std::map<std::string, int> names = {
        {"tarsun", 0}, {"er_varsen", 1}, {"ervarsen", 1}, {"quelbido", 2}, {"pexil", 3}};
    std::vector<int> seats;
    std::istringstream in(text);
    for (std::string name; std::getline(in, name, ',');) {
        auto it = names.find(Lower(name));
        if (it == names.end()) Bad(option + ": personaje desconocido \"" + name + "\" (Tarsun, Er_Varsen, Quelbido, Pexil)");
        if (std::find(seats.begin(), seats.end(), it->second) != seats.end()) Bad(option + ": " + name + " esta repetido");
        seats.push_back(it->second);
    }
    if (seats.empty()) Bad(option + " espera una lista de personajes");
    return seats;
}

// "pad N connect|disconnect", "pad N button <name> down|up", "pad N axis <name> <value>".
void ParsePadLine(const std::vector<std::string>& args, const std::string& context, ScriptEvent& e) {
    if (args.size() < 2) Bad("Numero de argumentos incorrecto en " + context);
    e.a = ParseInt(args[0], context);
    if (e.a < 1) Bad("Numero de mando fuera de rango en " + context);
    const std::string& what = args[1];
    if (what == "connect" || what == "disconnect") {
        if (args.size() != 2) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = what == "connect" ? ScriptEvent::PadConnect : ScriptEvent::PadDisconnect;
    } else if (what == "button") {
        if (args.size() != 4) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = ScriptEvent::PadButton;
        e.b = gamepad::ButtonFromName(Lower(args[2]));
        if (e.b < 0) Bad("Boton de mando desconocido en " + context);
        if (args[3] != "down" && args[3] != "up") Bad("Se esperaba down o up en " + context);
        e.c = args[3] == "down" ? 1 : 0;
    } else if (what == "axis") {
        if (args.size() != 4) Bad("Numero de argumentos incorrecto en " + context);
        e.kind = ScriptEvent::PadAxis;
        e.b = gamepad::AxisFromName(Lower(args[2]));
        if (e.b < 0) Bad("Eje de mando desconocido en " + context);
        e.c = ParseInt(args[3], context);
        if (e.c < -32768 || e.c > 32767) Bad("Valor de eje fuera de rango en " + context);
    } else {
        Bad("Se esperaba connect, disconnect, button o axis en " + context);
    }
}

void WriteTraceLine(const std::string& line) {
    if (st.traceFile) {
        std::fwrite(line.data(), 1, line.size(), st.traceFile);
        std::fputc('\n', st.traceFile);
    }
    if (st.capture) st.captured.push_back(line);
}

// Every command-line option with its one line of help, in the order --help lists them.
// A new option gets its line here and its case in ParseOptions.
struct OptionHelp {
    const char* name;
    const char* value;  // "" when the option takes none
    const char* text;
};
constexpr OptionHelp kOptionHelp[] = {
    {"--window", "", "una ventana del tamaño configurado en vez de pantalla completa"},
    {"--data", "CARPETA", "lee los datos del juego de CARPETA"},
    {"--headless", "", "sin ventana visible ni sonido (dibujo fuera de pantalla, mezclador mudo)"},
    {"--virtual-clock", "", "reloj virtual: solo avanza con las esperas, tan rápido como se pueda"},
    {"--script", "FICHERO", "toma la entrada (teclas, ratón) de un guion"},
    {"--trace", "FICHERO", "escribe cada operación de dibujo, sonido y volcado (una línea JSON cada una)"},
    {"--shot", "N:FICHERO", "guarda como PNG la imagen del volcado N (se puede repetir)"},
    {"--max-flips", "N", "termina tras el volcado N con código 3"},
    {"--seed", "N", "semilla N para el generador aleatorio en vez del reloj"},
    {"--frame-times", "FICHERO", "una línea por volcado con los milisegundos de trabajo"},
    {"--keep-aspect", "", "en una pantalla que no es 4:3, la imagen 4:3 centrada entre bandas negras"},
    {"--pads", "LISTA", "los asientos que toman los mandos, por orden de conexión (pexil,tarsun)"},
    {"--cpu", "LISTA", "jugadores del ordenador en esos asientos (Tarsun,Pexil) o all (demostración)"},
    {"--cpu-level", "N", "nivel de los jugadores del ordenador: 1 fácil, 2 normal, 3 difícil"},
    {"--record", "FICHERO", "graba un diario de la sesión con todo lo que el juego lee de fuera"},
    {"--replay", "FICHERO", "reproduce un diario de sesión en vez de leer la máquina"},
    {"--help", "", "muestra esta ayuda y termina"},
    {"--version", "", "muestra la versión y termina"},
};

}  // namespace

std::string HelpText() {
    std::string text = "Uso: frikipartida [OPCIONES]\n"
                       "Frikipartida, juego de tablero y minijuegos para cuatro en un PC.\n\n"
                       "Opciones:\n";
    for (const OptionHelp& o : kOptionHelp) {
        std::string left = std::string("  ") + o.name;
        if (*o.value) left = left + " " + o.value;
        if (left.size() < 26) left.resize(26, ' ');
        else left += "  ";
        text += left + o.text + "\n";
    }
    return text;
}

Options ParseOptions(int argc, char** argv) {
    Options o;
    auto need = [&](int& i, const std::string& opt) -> std::string {
        if (i + 1 >= argc) Bad("Falta el valor de " + opt);
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--window") {
            o.window = true;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--virtual-clock") {
            o.virtualClock = true;
        } else if (a == "--script") {
            o.script = need(i, a);
        } else if (a == "--trace") {
            o.trace = need(i, a);
        } else if (a == "--shot") {
            std::string v = need(i, a);
            size_t colon = v.find(':');
            if (colon == std::string::npos || colon + 1 >= v.size()) Bad("--shot espera N:FICHERO");
            int n = ParseInt(v.substr(0, colon), a);
            if (n < 1) Bad("--shot: el numero de flip empieza en 1");
            o.shots.emplace_back(n, v.substr(colon + 1));
        } else if (a == "--max-flips") {
            o.maxFlips = ParseInt(need(i, a), a);
            if (o.maxFlips < 1) Bad("--max-flips espera un numero positivo");
        } else if (a == "--seed") {
            o.seed = ParseInt(need(i, a), a);
        } else if (a == "--frame-times") {
            o.frameTimes = need(i, a);
        } else if (a == "--data") {
            o.data = need(i, a);
            if (o.data.empty()) Bad("--data espera una carpeta");
        } else if (a == "--help") {
            o.help = true;
            return o;
        } else if (a == "--version") {
            o.version = true;
            return o;
        } else if (a == "--keep-aspect") {
            o.keepAspect = true;
        } else if (a == "--pads") {
            o.pads = SeatList(need(i, a), a);
        } else if (a == "--cpu") {
            o.cpu = need(i, a);
        } else if (a == "--cpu-level") {
            o.cpuLevel = need(i, a);
        } else if (a == "--record") {
            o.record = need(i, a);
        } else if (a == "--replay") {
            o.replay = need(i, a);
        } else {
            Bad("Opcion desconocida: " + a);
        }
    }
    if (!o.replay.empty()) {
        // The journal fixes these: a second source would only contradict it.
        if (!o.record.empty()) Bad("--replay y --record no van juntos");
        if (!o.script.empty()) Bad("--replay no admite --script: la entrada viene del diario");
        if (o.seed) Bad("--replay no admite --seed: la semilla viene del diario");
        if (o.virtualClock) Bad("--replay no admite --virtual-clock: el reloj viene del diario");
    }
    return o;
}

void AddScriptLine(const std::string& raw) {
    std::string line = raw.substr(0, raw.find('#'));
    std::istringstream in(line);
    std::string flipText, verb;
    if (!(in >> flipText)) return;  // blank or comment
    std::string context = "la linea de guion \"" + raw + "\"";
    ScriptEvent e;
    e.flip = ParseInt(flipText, context);
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
        if (!platform_detail::HasRealKey(e.a)) Bad("Ninguna tecla da ese codigo en " + context);
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
            auto it = KeyNames().find(Lower(args[0]));
            if (it == KeyNames().end()) Bad("Caracter no valido en " + context);
            e.a = it->second;
        }
    } else if (verb == "mouse") {
        argc(2);
        e.kind = ScriptEvent::Mouse;
        e.a = ParseInt(args[0], context);
        e.b = ParseInt(args[1], context);
    } else if (verb == "button") {
        argc(2);
        e.a = ParseInt(args[0], context);
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
    auto pos = std::upper_bound(st.script.begin() + static_cast<long>(st.nextEvent), st.script.end(), e,
                                [](const ScriptEvent& x, const ScriptEvent& y) { return x.flip < y.flip; });
    st.script.insert(pos, e);
}

// Script lines become the SDL events a real keyboard and mouse would give, so they go
// through the same translation (and the same journal) as a person's input.
void DeliverScriptEvents() {
    while (st.nextEvent < st.script.size() && st.script[st.nextEvent].flip <= st.flips) {
        const ScriptEvent& e = st.script[st.nextEvent++];
        switch (e.kind) {
            case ScriptEvent::KeyDown: platform_detail::DeliverKey(e.a, true); break;
            case ScriptEvent::KeyUp: platform_detail::DeliverKey(e.a, false); break;
            case ScriptEvent::KeyPress:
                platform_detail::DeliverKey(e.a, true);
                platform_detail::DeliverKey(e.a, false);
                break;
            case ScriptEvent::Type: platform_detail::DeliverText(Latin1ToUtf8(std::string(1, static_cast<char>(e.a)))); break;
            case ScriptEvent::Mouse: platform_detail::DeliverMouseMove(e.a, e.b); break;
            case ScriptEvent::ButtonDown: platform_detail::DeliverMouseButton(e.a, true); break;
            case ScriptEvent::ButtonUp: platform_detail::DeliverMouseButton(e.a, false); break;
            case ScriptEvent::Quit: platform_detail::DeliverQuit(); break;
            case ScriptEvent::PadConnect: gamepad::VirtualConnect(e.a); break;
            case ScriptEvent::PadDisconnect: gamepad::VirtualDisconnect(e.a); break;
            case ScriptEvent::PadButton: gamepad::VirtualButton(e.a, e.b, e.c != 0); break;
            case ScriptEvent::PadAxis: gamepad::VirtualAxis(e.a, e.b, e.c); break;
        }
    }
}

void Configure(const Options& options) {
    Reset();
    st.options = options;
    // Shots are written later, after the game may have moved into its data folder: they
    // stay relative to the folder the game was started in.
    for (auto& shot : st.options.shots) {
        std::error_code ec;
        std::filesystem::path anchored = std::filesystem::absolute(shot.second, ec);
        if (!ec) shot.second = anchored.string();
    }
    if (!options.replay.empty()) {
        journal::Header h = journal::StartReplay(options.replay);
        st.options.seed = h.seed;
        st.options.virtualClock = h.virtualClock;
        // The recording stopped at its limit; a replay may stop sooner, never later.
        if (h.maxFlips > 0 && (st.options.maxFlips == 0 || st.options.maxFlips > h.maxFlips))
            st.options.maxFlips = h.maxFlips;
    }
    if (st.options.virtualClock) clockseam::UseVirtualClock();
    if (!options.script.empty()) {
        std::ifstream f(options.script);
        if (!f) Bad("No se puede leer el guion " + options.script);
        for (std::string line; std::getline(f, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            AddScriptLine(line);
        }
    }
    if (!options.trace.empty()) {
        st.traceFile = std::fopen(options.trace.c_str(), "wb");
        if (!st.traceFile) Bad("No se puede escribir la traza " + options.trace);
    }
    if (!options.frameTimes.empty()) {
        st.frameTimesFile = std::fopen(options.frameTimes.c_str(), "wb");
        if (!st.frameTimesFile) Bad("No se puede escribir " + options.frameTimes);
    }
    if (!options.record.empty()) {
        journal::Header h;
        h.seed = options.seed;
        h.virtualClock = options.virtualClock;
        h.maxFlips = options.maxFlips;
        journal::StartRecording(options.record, h);
    }
    st.workStart = std::chrono::steady_clock::now();
}

const Options& Current() { return st.options; }

void Reset() {
    if (st.traceFile) std::fclose(st.traceFile);
    if (st.frameTimesFile) std::fclose(st.frameTimesFile);
    journal::Reset();
    bool capture = st.capture;
    st = RigState{};
    st.capture = capture;
    clockseam::UseRealClock();
}

int FlipCount() { return st.flips; }

bool Tracing() { return st.traceFile != nullptr || st.capture; }

void CaptureTrace(bool on) {
    st.capture = on;
    st.captured.clear();
}

std::vector<std::string>& CapturedTrace() { return st.captured; }

namespace {
// A trace line is built in one string: its parts are appended to it.
void AppendJson(std::string& out, double v) {
    if (std::isnan(v)) {
        out += "null";
        return;
    }
    if (std::isinf(v)) {
        out += v > 0 ? "1e999" : "-1e999";
        return;
    }
    // Whole numbers as integers, the rest as printf's %.6g would write them.
    char buf[32];
    std::to_chars_result done;
    if (v == std::trunc(v) && std::fabs(v) < 1e15) {
        done = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(v));
    } else {
        done = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 6);
    }
    out.append(buf, done.ptr);
}

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    out += '"';
}

void AppendInt(std::string& out, long long v) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

// Numbers as the single-number fields write them, between brackets.
template <typename Number>
void AppendList(std::string& out, std::initializer_list<Number> values) {
    out += '[';
    const char* sep = "";
    for (Number v : values) {
        out += sep;
        if constexpr (std::is_integral_v<Number>)
            AppendInt(out, v);
        else
            AppendJson(out, v);
        sep = ",";
    }
    out += ']';
}

// The text of the last finished line, kept for its room: a flip traces a hundred lines
// or more, and the next one is built in it without asking for memory.
thread_local std::string spareBody;
}  // namespace

std::string Json(double v) {
    std::string out;
    AppendJson(out, v);
    return out;
}

std::string JsonString(const std::string& s) {
    std::string out;
    AppendJsonString(out, s);
    return out;
}

Record::Record(const char* op) : body(std::move(spareBody)) {
    body.clear();
    body.reserve(320);
    body += "{\"flip\":";
    AppendInt(body, st.flips + 1);
    body += ",\"op\":";
    AppendJsonString(body, op);
}
Record& Record::key(const char* name) {
    body += ',';
    AppendJsonString(body, name);
    body += ':';
    return *this;
}
Record& Record::add(const char* name, const std::string& value) {
    AppendJsonString(key(name).body, value);
    return *this;
}
Record& Record::add(const char* name, double value) {
    AppendJson(key(name).body, value);
    return *this;
}
Record& Record::add(const char* name, int value) {
    AppendInt(key(name).body, value);
    return *this;
}
Record& Record::addRaw(const char* name, const std::string& json) {
    key(name).body += json;
    return *this;
}
Record& Record::addList(const char* name, std::initializer_list<double> values) {
    AppendList(key(name).body, values);
    return *this;
}
Record& Record::addList(const char* name, std::initializer_list<int> values) {
    AppendList(key(name).body, values);
    return *this;
}
Record::~Record() {
    if (body.capacity() > spareBody.capacity()) spareBody = std::move(body);
}
void Record::emit() {
    if (!Tracing()) return;
    body += '}';
    WriteTraceLine(body);
}

std::string ShotForNextFlip() {
    for (const auto& [n, path] : st.options.shots)
        if (n == st.flips + 1) return path;
    return {};
}

void WaitBegin() {
    if (st.waitDepth++ == 0) st.waitStart = std::chrono::steady_clock::now();
}

void WaitEnd() {
    if (st.waitDepth > 0 && --st.waitDepth == 0) st.waited += std::chrono::steady_clock::now() - st.waitStart;
}

void FlipDone(int sync, int32_t clockMs) {
    if (Tracing()) Record("flip").add("sync", sync).add("ms", static_cast<double>(clockMs)).emit();
    ++st.flips;
    if (st.frameTimesFile) {
        auto now = std::chrono::steady_clock::now();
        double work = std::chrono::duration<double, std::milli>(now - st.workStart - st.waited).count();
        std::fprintf(st.frameTimesFile, "%d %.3f\n", st.flips, work);
        st.workStart = now;
        st.waited = {};
    }
}

void CheckFlipLimit() {
    if (AppTerminate()) throw Stop(0);
    if (st.options.maxFlips > 0 && st.flips >= st.options.maxFlips) throw Stop(3);
}

}  // namespace rig
