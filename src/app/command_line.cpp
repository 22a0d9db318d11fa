// The game's command line: options, their help text and the lists of seats they take.
#include "app/command_line.h"

#include "engine/asiento/asiento.h"
#include "platform/base/errors.h"
#include "platform/base/text.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace cli {
namespace {

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }

// "Tarsun,pexil": the seats named (a character's name or folder, any case), in that
// order, each once.
std::vector<int> SeatList(const std::string& text, const std::string& option) {
    std::vector<int> seats;
    std::istringstream in(text);
    for (std::string name; std::getline(in, name, ',');) {
        const int seat = asientos::asientoDeNombreOCarpeta(name);
        if (seat < 0)
            Bad(option + ": personaje desconocido \"" + name + "\" (" + asientos::nombresSeguidos() + ")");
        if (std::find(seats.begin(), seats.end(), seat) != seats.end())
            Bad(option + ": " + name + " esta repetido");
        seats.push_back(seat);
    }
    if (seats.empty()) Bad(option + " espera una lista de personajes");
    return seats;
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
    {"--draw", "MODO", "ventana mayor que 1024x768: window la dibuja a su tamaño, small a 1024x768 y la escala, auto (por omisión) como small sin tarjeta gráfica (llvmpipe, softpipe) y como window con ella"},
    {"--pads", "LISTA", "los asientos que toman los mandos, por orden de conexión (pexil,tarsun)"},
    {"--cpu", "LISTA", "jugadores del ordenador en esos asientos (Tarsun,Pexil) o all (demostración)"},
    {"--cpu-level", "N", "nivel de los jugadores del ordenador: 1 fácil, 2 normal, 3 difícil"},
    {"--record", "FICHERO", "graba un diario de la sesión con todo lo que el juego lee de fuera"},
    {"--replay", "FICHERO",
     "reproduce un diario de sesión en vez de leer la máquina (- : de la entrada estándar)"},
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

session::Options ParseOptions(int argc, char** argv) {
    session::Options o;
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
            int n = ParseWholeNumber(v.substr(0, colon), a);
            if (n < 1) Bad("--shot: el numero de flip empieza en 1");
            o.shots.emplace_back(n, v.substr(colon + 1));
        } else if (a == "--max-flips") {
            o.maxFlips = ParseWholeNumber(need(i, a), a);
            if (o.maxFlips < 1) Bad("--max-flips espera un numero positivo");
        } else if (a == "--seed") {
            o.seed = ParseWholeNumber(need(i, a), a);
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
        } else if (a == "--draw") {
            o.draw = need(i, a);
            if (o.draw != "auto" && o.draw != "window" && o.draw != "small")
                Bad("--draw espera auto, window o small");
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

}  // namespace cli
