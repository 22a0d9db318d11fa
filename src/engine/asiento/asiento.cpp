#include "engine/asiento/asiento.h"

#include "platform/base/text.h"

#include <cctype>

namespace asientos {

const TPersonaje& personaje(int s) {
    return PERSONAJES[static_cast<size_t>(s)];
}

std::string rotulo(int s) {
    std::string r = personaje(s).nombre;
    for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

std::string retrato(int s) {
    return std::string("artwork/char-") + personaje(s).carpeta + ".png";
}

std::string nombresSeguidos() {
    std::string out;
    for (const TPersonaje& p : PERSONAJES) out += (out.empty() ? "" : ", ") + std::string(p.nombre);
    return out;
}

int asientoDe(const std::string& nombre) {
    const std::string buscado = AsciiLower(nombre);
    for (int s = 0; s < NUM_ASIENTOS; ++s)
        if (AsciiLower(personaje(s).nombre) == buscado) return s;
    return -1;
}

int asientoDeNombreOCarpeta(const std::string& nombre) {
    const std::string buscado = AsciiLower(nombre);
    for (int s = 0; s < NUM_ASIENTOS; ++s)
        if (personaje(s).carpeta == buscado) return s;
    return asientoDe(nombre);
}

std::array<int, 3> oponentes(int turno) {
    std::array<int, 3> out{};
    size_t k = 0;
    for (int s = 0; s < NUM_ASIENTOS && k < out.size(); ++s)
        if (s != turno) out[k++] = s;
    return out;
}

}  // namespace asientos
