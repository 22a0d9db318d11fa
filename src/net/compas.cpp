#include "net/compas.h"

#include <algorithm>

namespace net {

namespace {
// How fast the quickest way eases later, and the buffer smaller, per flip (0.6 and 1.2 ms a
// second at 60 flips a second): far more than clocks drift, far less than a frame.
constexpr double kDerivaMs = 0.01;
constexpr double kEncogeMs = 0.02;
// Above the lateness seen, so that the same lateness again is still in time.
constexpr double kMargenMs = 2;
// A flip of the host longer than this (a load, a pause) does not foretell the next.
constexpr int32_t kPasoMaxMs = 100;
}  // namespace

void Compas::Flip(int32_t ms, std::optional<double> llegadaMs) {
    if (empezado) {
        // The host's clock wraps like any of the game's clocks: its steps are taken modulo 2^32.
        const int32_t d = static_cast<int32_t>(static_cast<uint32_t>(ms) - static_cast<uint32_t>(ultimoMs));
        hostMs += d;
        paso = d >= 0 && d <= kPasoMaxMs ? d : 0;
    }
    empezado = true;
    ultimoMs = ms;
    if (!llegadaMs) return;
    const double desfase = *llegadaMs - static_cast<double>(hostMs);
    if (!medido) {
        medido = true;
        base = desfase;
        colchon = kColchonMinMs;
        return;
    }
    base = std::min(base + kDerivaMs, desfase);
    const double tarde = desfase - base + kMargenMs;
    colchon = std::clamp(std::max(colchon - kEncogeMs, tarde), kColchonMinMs, kColchonMaxMs);
}

std::optional<double> Compas::Siguiente() const {
    if (!medido) return std::nullopt;
    return static_cast<double>(hostMs + paso) + base + colchon;
}

}  // namespace net
