#pragma once
// Walking, as every character of the shared animation set does it (board tokens and the
// minigames' figures): which animation a step shows, and a step toward a goal one axis
// at a time.
#include <cmath>
#include <cstdlib>

namespace andar {

// The walking animations of the shared set, and its usual standing one.
inline constexpr int ANIM_QUIETO = 1;
inline constexpr int ANIM_IZQUIERDA = 2;
inline constexpr int ANIM_ABAJO = 3;
inline constexpr int ANIM_ARRIBA = 4;
inline constexpr int ANIM_DERECHA = 7;

// The animation of a step from (x0, y0) to (x1, y1): any move sideways shows as walking
// left or right, otherwise down or up; `quieto` when the step goes nowhere.
template <typename T>
constexpr int animacion(T x0, T y0, T x1, T y1, int quieto) {
    if (x1 > x0) return ANIM_DERECHA;
    if (x1 < x0) return ANIM_IZQUIERDA;
    if (y1 > y0) return ANIM_ABAJO;
    if (y1 < y0) return ANIM_ARRIBA;
    return quieto;
}

// One step of `paso` along one axis from pos toward meta. Closer than a step, pos stays
// and meta becomes pos (truncated), so the walk stops there instead of stepping back
// and forth over the goal.
template <typename T>
void pasoHacia(T& pos, int& meta, T paso) {
    const T objetivo = static_cast<T>(meta);
    if (std::abs(objetivo - pos) < paso)
        meta = static_cast<int>(pos);
    else
        pos = pos < objetivo ? pos + paso : pos - paso;
}

}  // namespace andar
