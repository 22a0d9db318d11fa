#include "platform/video/letterbox.h"

#include <algorithm>

namespace {
bool keepAspect = false;
TPictureBox current;
bool barred = false;  // the box is smaller than its window
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

namespace letterbox {

void SetPictureBox(const TPictureBox& box, int windowW, int windowH) {
    current = box;
    barred = box.w < windowW || box.h < windowH;
}
const TPictureBox& PictureBox() { return current; }

void WindowToPicture(int& x, int& y) {
    if (!barred || current.w <= 0 || current.h <= 0) return;  // the picture is the window
    x = std::clamp(x - current.x, 0, current.w - 1);
    y = std::clamp(y - current.y, 0, current.h - 1);
}

}  // namespace letterbox
