#pragma once
// A follower's even pace: when to take up the host's next flip so that flips come out as
// evenly as the host showed them, and as soon after they arrive as the network's unevenness
// allows.
//
// Each flip's digest arrives right behind its journal bytes. The least (arrival - host's
// clock) seen lately is the quickest way here; a flip is taken up a playout buffer after
// that, the buffer being how much later than the quickest flips have lately come, plus a
// little. Both ease back slowly, so a slower route, clocks that drift apart or a calmer
// network are followed without a jolt.
#include <cstdint>
#include <optional>

namespace net {

class Compas {
   public:
    // The flip just shown, at the host's clock hostMs; llegadaMs is when it arrived here
    // (this machine's steady clock, milliseconds), when known.
    void Flip(int32_t hostMs, std::optional<double> llegadaMs);
    // When (this machine's steady clock) to take up the next flip; none before a flip with
    // its arrival was seen.
    std::optional<double> Siguiente() const;
    // The playout buffer now, in milliseconds.
    double Colchon() const { return colchon; }
    // Forgets the pace (a follower back from hurrying).
    void Reiniciar() { *this = Compas{}; }

    static constexpr double kColchonMinMs = 4;
    static constexpr double kColchonMaxMs = 250;

   private:
    bool empezado = false;  // a host clock was seen
    bool medido = false;    // an arrival was seen
    int32_t ultimoMs = 0;
    int64_t hostMs = 0;     // the host's clock, unwrapped
    int32_t paso = 0;       // the last flip's length on the host's clock
    double base = 0;        // the least arrival - host's clock lately
    double colchon = kColchonMinMs;
};

}  // namespace net
