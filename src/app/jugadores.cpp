#include "app/jugadores.h"

#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "platform/session/journal.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {
std::string minusculas(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string nombresValidos() {
    return asientos::nombresSeguidos() + ", all";
}

// The seats of a --cpu list; throws on an unknown or empty name.
std::array<bool, asientos::NUM_ASIENTOS> seatsDeLista(const std::string& lista) {
    std::array<bool, asientos::NUM_ASIENTOS> cpu{};
    if (minusculas(lista) == "all") {
        cpu.fill(true);
        return cpu;
    }
    std::stringstream in(lista);
    for (std::string nombre; std::getline(in, nombre, ',');) {
        const int s = asientos::asientoDe(nombre);
        if (s < 0)
            throw GameError("--cpu: personaje desconocido \"" + nombre + "\". Validos: " + nombresValidos());
        cpu[static_cast<size_t>(s)] = true;
    }
    if (lista.empty() || lista.back() == ',')
        throw GameError("--cpu: falta un nombre. Validos: " + nombresValidos());
    return cpu;
}

int nivelDe(const std::string& texto) {
    if (texto == "1" || texto == "2" || texto == "3") return texto[0] - '0';
    throw GameError("--cpu-level: nivel desconocido \"" + texto + "\". Validos: 1 (facil), 2 (normal), 3 (dificil)");
}
}  // namespace

void escribirJugadores(const asientos::Eleccion& e, const std::string& path) {
    CreateFile(path);
    if (auto out = WriteStream(path)) {
        for (int s = 0; s < asientos::NUM_ASIENTOS; ++s)
            out->WriteLine(std::string(asientos::personaje(s).nombre) +
                           (e.cpu[static_cast<size_t>(s)] ? " cpu" : " persona"));
        out->WriteLine("nivel " + std::to_string(e.nivel));
        out->Close();
    }
}

asientos::Eleccion leerJugadores(const std::string& path) {
    asientos::Eleccion e;
    std::array<bool, asientos::NUM_ASIENTOS> visto{};
    bool bien = false;
    if (auto in = ReadStream(path)) {
        bien = true;
        while (bien && !in->Eof()) {
            const std::string linea = in->ReadLine();
            if (linea.empty()) continue;
            const size_t espacio = linea.find(' ');
            if (espacio == std::string::npos) {
                bien = false;
                break;
            }
            const std::string clave = linea.substr(0, espacio), valor = minusculas(linea.substr(espacio + 1));
            const int s = asientos::asientoDe(clave);
            if (minusculas(clave) == "nivel" && (valor == "1" || valor == "2" || valor == "3")) {
                e.nivel = valor[0] - '0';
            } else if (s >= 0 && !visto[static_cast<size_t>(s)] && (valor == "persona" || valor == "cpu")) {
                visto[static_cast<size_t>(s)] = true;
                e.cpu[static_cast<size_t>(s)] = valor == "cpu";
            } else {
                bien = false;
            }
        }
        in->Close();
    }
    if (bien && std::all_of(visto.begin(), visto.end(), [](bool v) { return v; })) return e;
    const asientos::Eleccion personas;
    escribirJugadores(personas, path);
    return personas;
}

void comprobarOpcionesCPU(const session::Options& o) {
    if (o.cpu) seatsDeLista(*o.cpu);
    if (o.cpuLevel) nivelDe(*o.cpuLevel);
}

asientos::Eleccion elegirJugadores(const session::Options& o, const std::string& path) {
    comprobarOpcionesCPU(o);
    asientos::Eleccion e = leerJugadores(path);
    if (o.cpu) e.cpu = seatsDeLista(*o.cpu);
    if (o.cpuLevel) e.nivel = nivelDe(*o.cpuLevel);
    return e;
}

asientos::Eleccion jugadoresDeLaSesion(const session::Options& o) {
    const std::string texto = journal::Setting("jugadores", [&] {
        const asientos::Eleccion e = elegirJugadores(o);
        std::string t;
        for (bool cpu : e.cpu) t += cpu ? 'c' : 'p';
        return t + " " + std::to_string(e.nivel);
    });
    asientos::Eleccion e;
    bool bien = texto.size() == asientos::NUM_ASIENTOS + 2 && texto[asientos::NUM_ASIENTOS] == ' ';
    for (size_t s = 0; bien && s < asientos::NUM_ASIENTOS; ++s) {
        bien = texto[s] == 'c' || texto[s] == 'p';
        e.cpu[s] = texto[s] == 'c';
    }
    if (bien) {
        const char nivel = texto.back();
        bien = nivel >= '1' && nivel <= '3';
        e.nivel = nivel - '0';
    }
    if (!bien) throw GameError("El diario da unos jugadores no validos: \"" + texto + "\"");
    return e;
}
