#include "platform/video/letterbox.h"

#include <algorithm>

namespace {
bool keepAspect = false;
}  // namespace

void SetKeepAspect(bool keep) { keepAspect = keep; }
bool KeepAspect() { return keepAspect; }

TPictureBox FitFourThree(int windowW, int windowH) {
    TPictureBox box{0, 0, std::max(windowW, 0), std::max(windowH, 0)};
    if (windowW <= 0 || windowH <= 0) return box;
    // Whole numbers: 4:3 is exact when width * 3 == height * 4.
    const long long wide = static_cast<long long>(windowW) * 3, tall = static_cast<long long>(windowH) * 4;
    if (wide > tall) {  // wider than 4:3: bars left and right
        box.w = static_cast<int>(tall / 3);
        box.x = (windowW - box.w) / 2;
    } else if (tall > wide) {  // taller: bars above and below
        box.h = static_cast<int>(wide / 4);
        box.y = (windowH - box.h) / 2;
    }
    return box;
}
