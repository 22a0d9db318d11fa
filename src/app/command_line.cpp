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
    {"--trace", "FICHERO", "escribe cada operación de dibujo, sonido y fotograma (una línea JSON cada una)"},
    {"--shot", "N:FICHERO", "guarda como PNG la imagen del fotograma N (se puede repetir)"},
    {"--max-flips", "N", "termina tras el fotograma N con código 3"},
    {"--seed", "N", "semilla N para el generador aleatorio en vez del reloj"},
    {"--frame-times", "FICHERO", "una línea por fotograma con los milisegundos de trabajo"},
    {"--keep-aspect", "", "en una pantalla que no es 4:3, la imagen 4:3 centrada entre bandas negras (por omisión)"},
    {"--stretch", "", "en una pantalla que no es 4:3, la imagen estirada sobre toda la pantalla"},
    {"--draw", "MODO", "ventana mayor que 1024x768: window la dibuja a su tamaño, small a 1024x768 y la escala, auto (por omisión) como small sin tarjeta gráfica (llvmpipe, softpipe) y como window con ella"},
    {"--pads", "LISTA", "los asientos que toman los mandos, por orden de conexión (pexil,tarsun)"},
    {"--cpu", "LISTA", "jugadores del ordenador en esos asientos (Tarsun,Pexil) o all (demostración)"},
    {"--cpu-level", "N", "nivel de los jugadores del ordenador: 1 fácil, 2 normal, 3 difícil"},
    {"--record", "FICHERO", "graba un diario de la sesión con todo lo que el juego lee de fuera"},
    {"--replay", "FICHERO",
     "reproduce un diario de sesión en vez de leer la máquina (- : de la entrada estándar)"},
    {"--host", "", "crea una partida en red: otros se unen con --join (puerto UDP 7341)"},
    {"--join", "DIRECCION[:PUERTO]", "se une a la partida en red de ese anfitrión y juega un asiento"},
    {"--watch", "DIRECCION[:PUERTO]", "mira la partida en red de ese anfitrión, sin asiento"},
    {"--seat", "NOMBRE", "con --join: el asiento que se pide (Pexil); sin ella, el primero libre"},
    {"--name", "TEXTO", "el nombre con el que se ve a este jugador en red (por omisión, el de usuario)"},
    {"--port", "N", "con --host: el puerto UDP en que se escucha (7341)"},
    {"--wait", "N", "con --host: no empieza hasta que se unan N jugadores"},
    {"--fair", "", "con --host: en los minijuegos, los jugadores de aquí juegan con el retraso del remoto más lento"},
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
        } else if (a == "--stretch") {
            o.stretch = true;
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
        } else if (a == "--host") {
            o.net.host = true;
        } else if (a == "--join") {
            o.net.join = need(i, a);
            if (o.net.join.empty()) Bad("--join espera la direccion del anfitrion");
        } else if (a == "--watch") {
            o.net.watch = need(i, a);
            if (o.net.watch.empty()) Bad("--watch espera la direccion del anfitrion");
        } else if (a == "--seat") {
            o.net.seat = need(i, a);
            if (asientos::asientoDeNombreOCarpeta(o.net.seat) < 0)
                Bad("--seat: personaje desconocido \"" + o.net.seat + "\" (" + asientos::nombresSeguidos() + ")");
        } else if (a == "--name") {
            o.net.name = need(i, a);
        } else if (a == "--port") {
            o.net.port = ParseWholeNumber(need(i, a), a);
            if (o.net.port < 1 || o.net.port > 65535) Bad("--port espera un numero de 1 a 65535");
        } else if (a == "--wait") {
            o.net.wait = ParseWholeNumber(need(i, a), a);
            if (o.net.wait < 0 || o.net.wait > 4) Bad("--wait espera un numero de 0 a 4");
        } else if (a == "--fair") {
            o.net.fair = true;
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
    if (o.keepAspect && o.stretch) Bad("--keep-aspect y --stretch no van juntos");
    const int roles = (o.net.host ? 1 : 0) + (o.net.join.empty() ? 0 : 1) + (o.net.watch.empty() ? 0 : 1);
    if (roles > 1) Bad("--host, --join y --watch no van juntos");
    if (o.net.Follows()) {
        // The host's journal fixes these.
        if (!o.replay.empty() || !o.record.empty()) Bad("--join y --watch no admiten --replay ni --record");
        if (o.seed) Bad("--join y --watch no admiten --seed: la semilla viene del anfitrion");
        if (o.virtualClock) Bad("--join y --watch no admiten --virtual-clock: el reloj viene del anfitrion");
        if (o.cpu || o.cpuLevel) Bad("--join y --watch no admiten --cpu: los asientos los lleva el anfitrion");
    }
    if (o.net.host && !o.replay.empty()) Bad("--host no admite --replay");
    if (!o.net.seat.empty() && o.net.join.empty()) Bad("--seat va con --join");
    if ((o.net.wait > 0 || o.net.fair) && !o.net.host) Bad("--wait y --fair van con --host");
    return o;
}

}  // namespace cli
