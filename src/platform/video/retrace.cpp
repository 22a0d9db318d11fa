#include "platform/video/retrace.h"

namespace video {

double RetracePacer::WaitBefore(double nowMs) const {
    if (!software || !haveLast) return 0;
    return next > nowMs ? next - nowMs : 0;
}

void RetracePacer::Swapped(double nowMs, int hz) {
    const double period = Period(hz);
    if (software) {
        // On the beat, or late: a frame later than a whole period starts the beat again
        // from now rather than hurrying frames out to make up for it.
        next = haveLast && nowMs < next + period ? next + period : nowMs + period;
    } else if (haveLast) {
        ++swaps;
        if (nowMs - last < period / 2) ++quick;
        if (quick >= kQuickToJudge) {
            software = true;
            next = nowMs + period;
        } else if (swaps >= kSwapsJudged) {
            swaps = quick = 0;
        }
    }
    last = nowMs;
    haveLast = true;
}

void RetracePacer::Unpaced() {
    haveLast = false;
    swaps = quick = 0;
}

}  // namespace video
