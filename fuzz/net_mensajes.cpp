// Fuzz target: a packet from the network read as an online message, as it comes and as
// every other message type (its first byte replaced), and whatever decodes written back:
// the bytes must come out the same (a Hola of another protocol, read only as far as its
// version, excepted) and read again as the same message. Refusals must say why.
#include "net/mensajes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace {

void Probar(const uint8_t* data, size_t size) {
    std::string porque;
    const std::optional<net::Mensaje> m = net::Decodificar(data, size, &porque);
    if (!m) {
        if (porque.empty()) __builtin_trap();
        return;
    }
    const std::vector<uint8_t> bytes = net::Codificar(*m);  // throws (and so crashes) on a value out of range
    const auto* hola = std::get_if<net::Hola>(&*m);
    const bool parcial = hola && hola->protocolo != net::kProtocolo;
    if (!parcial && (bytes.size() != size || !std::equal(bytes.begin(), bytes.end(), data))) __builtin_trap();
    const std::optional<net::Mensaje> otra = net::Decodificar(bytes.data(), bytes.size());
    if (!otra || !(*otra == *m)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Probar(data, size);
    if (size == 0) return 0;
    std::vector<uint8_t> copia(data, data + size);
    for (uint8_t tipo = 1; tipo <= std::variant_size_v<net::Mensaje>; ++tipo) {
        if (tipo == data[0]) continue;
        copia[0] = tipo;
        Probar(copia.data(), copia.size());
    }
    return 0;
}
