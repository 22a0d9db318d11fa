#include "app/partida_red.h"

#include "engine/asiento/cerebro.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/ocupantes.h"
#include "engine/asiento/papeles.h"
#include "engine/asiento/remotos.h"
#include "net/anfitrion.h"
#include "net/datos.h"
#include "net/seguidor.h"
#include "net/transporte.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/input/input.h"
#include "platform/session/journal.h"
#include "platform/video/render.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

// What a host and its followers compare after every flip: the game's random generator,
// the brains' one and how many outside facts were used. A fact that escaped the journal
// moves one of them sooner or later.
uint64_t huellaDelJuego() {
    uint64_t h = 1469598103934665603ull;
    auto mezcla = [&](uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= (v >> (8 * i)) & 0xFF;
            h *= 1099511628211ull;
        }
    };
    mezcla(static_cast<uint32_t>(RndSeed()));
    mezcla(asientos::estadoCerebros());
    mezcla(static_cast<uint64_t>(journal::FactsSoFar()));
    return h;
}

// The name a player is shown under: --name, else the login name, else "Jugador".
std::string nombreDelJugador(const session::Options& o) {
    std::string nombre = o.net.name;
    if (nombre.empty()) {
        const char* usuario = std::getenv("USER");
        if (!usuario || !*usuario) usuario = getlogin();
        if (usuario) nombre = usuario;
    }
    if (nombre.size() > net::kMaxNombre) nombre.resize(net::kMaxNombre);
    if (!net::NombreValido(nombre)) nombre.clear();
    return nombre.empty() ? "Jugador" : nombre;
}

// The fingerprint of the game's own data: its folders only, not whatever else the data
// folder holds (settings, a player's journals and traces).
std::vector<net::ArchivoDatos> huellaDeLosDatos(const std::string& carpeta) {
    std::vector<std::string> subcarpetas{"agua", "anim", "artwork", "music", "sfx"};
    for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) subcarpetas.push_back(asientos::personaje(s).carpeta);
    std::vector<net::ArchivoDatos> todos;
    for (const std::string& sub : subcarpetas)
        for (net::ArchivoDatos& a : net::HuellaDatos(carpeta + "/" + sub)) {
            a.ruta = sub + "/" + a.ruta;
            todos.push_back(std::move(a));
        }
    std::sort(todos.begin(), todos.end(),
              [](const net::ArchivoDatos& a, const net::ArchivoDatos& b) { return a.ruta < b.ruta; });
    return todos;
}

// A seat a newcomer may take: a person at this keyboard plays it; a seat waiting for the
// player who dropped out of it is theirs only.
bool asientoLibre(int s, const std::string& nombre) {
    if (asientos::remotoAusente(s)) return asientos::nombreRemoto(s) == nombre;
    return !asientos::tieneRemoto(s) && !asientos::esCPU(s) && !asientos::tieneMando(s);
}

}  // namespace

std::unique_ptr<TPartidaRed> TPartidaRed::empezar(const session::Options& o, const std::string& carpetaDatos) {
    if (!o.net.host && !o.net.Follows()) return nullptr;
    std::unique_ptr<TPartidaRed> red(new TPartidaRed());
    const std::vector<net::ArchivoDatos> datos = huellaDeLosDatos(carpetaDatos);
    if (o.net.host) {
        net::OpcionesAnfitrion a;
        a.puerto = static_cast<uint16_t>(o.net.port);
        a.esperar = o.net.wait;
        a.relojVirtual = o.virtualClock;
        a.justo = o.net.fair;
        a.nombre = nombreDelJugador(o);
        a.datos = datos;
        net::Juego juego;
        juego.asientoLibre = asientoLibre;
        juego.huella = huellaDelJuego;
        juego.nombreAsiento = [](int s) { return std::string(asientos::personaje(s).nombre); };
        juego.enMinijuego = [] {
            // The board gives one seat a part at a time; a minigame gives every seat one.
            int conPapel = 0;
            for (int s = 0; s < asientos::NUM_ASIENTOS; ++s) conPapel += asientos::papelDe(s).vacio() ? 0 : 1;
            return conPapel > 1;
        };
        red->anfitrion = std::make_unique<net::Anfitrion>(a, juego);
        return red;
    }
    net::OpcionesSeguidor s;
    std::string error;
    const std::string& direccion = o.net.join.empty() ? o.net.watch : o.net.join;
    if (!net::LeerDireccion(direccion, s.anfitrion, s.puerto, error)) throw GameError(error);
    s.espectador = o.net.join.empty();
    s.asiento = o.net.seat.empty() ? -1 : asientos::asientoDeNombreOCarpeta(o.net.seat);
    s.nombre = nombreDelJugador(o);
    s.datos = datos;
    s.huella = huellaDelJuego;
    red->seguidor = std::make_unique<net::Seguidor>(s);
    const int asiento = red->seguidor->Asiento();
    if (asiento >= 0)
        std::printf("Juegas con %s en la partida de %s\n", asientos::personaje(asiento).nombre,
                    red->seguidor->NombreAnfitrion().c_str());
    else
        std::printf("Miras la partida de %s\n", red->seguidor->NombreAnfitrion().c_str());
    std::fflush(stdout);
    return red;
}

TPartidaRed::~TPartidaRed() {
    input::SetForwarder({});
}

std::unique_ptr<journal::ByteSource> TPartidaRed::flujo() {
    return seguidor ? seguidor->Flujo() : nullptr;
}

void TPartidaRed::conectarEntrada() {
    if (!seguidor) return;
    net::Seguidor* s = seguidor.get();
    input::SetForwarder([s](const SDL_Event& e) {
        if (e.type == SDL_QUIT) return s->Salir();
        const int asiento = s->Asiento();
        if (asiento < 0) return;
        const int w = GraphicsWidth() > 0 ? GraphicsWidth() : net::kAnchoVirtual;
        const int h = GraphicsHeight() > 0 ? GraphicsHeight() : net::kAltoVirtual;
        for (const input::PadEvent& p : asientos::entradaRemota(asiento, e)) {
            net::Entrada en;
            en.enviadoMs = static_cast<uint32_t>(SDL_GetTicks());
            if (p.kind == input::PadEvent::Pointer) {
                // Logical screen pixels to virtual units, the same on both sides.
                en.tipo = net::Entrada::Puntero;
                en.x = std::clamp(p.control * net::kAnchoVirtual / w, 0, net::kAnchoVirtual - 1);
                en.y = std::clamp(p.value * net::kAltoVirtual / h, 0, net::kAltoVirtual - 1);
            } else {
                en.tipo = p.kind == input::PadEvent::Axis ? net::Entrada::Eje : net::Entrada::Boton;
                en.control = p.control;
                en.valor = p.value;
            }
            s->Enviar(en);
        }
    });
}

int TPartidaRed::terminar(int codigo) {
    if (anfitrion) {
        codigo = journal::Finish(codigo);
        anfitrion->Terminar(codigo);
        anfitrion.reset();  // lets the clients go once they have everything (bounded)
        return codigo;
    }
    if (seguidor && seguidor->HaSalido()) {
        // Leaving early is this player's choice, not a replay gone wrong.
        journal::Reset();
        std::printf("Has dejado la partida\n");
        std::fflush(stdout);
        seguidor.reset();
        return 0;
    }
    codigo = journal::Finish(codigo);
    if (seguidor && seguidor->AnfitrionTermino()) {
        std::printf("La partida ha terminado en el anfitrion\n");
        std::fflush(stdout);
    }
    seguidor.reset();
    return codigo;
}
