#include "engine/camera.h"

#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <array>
#include <cmath>

namespace {

constexpr int kTabla = 3600;

struct Tablas {
    std::array<float, kTabla> seno{};
    std::array<float, kTabla> coseno{};
    Tablas() {
        for (int i = 0; i < kTabla; ++i) {
            const double rad = (i / 10.0) * M_PI / 180.0;
            seno[i] = static_cast<float>(std::sin(rad));
            coseno[i] = static_cast<float>(std::cos(rad));
        }
    }
};

// Filled once, on first use (at the latest when the first camera turns).
const Tablas& tablas() {
    static const Tablas t;
    return t;
}

}  // namespace

int TCamera::tablaIndex(float a) {
    float r = std::fmod(a, 360.0f);
    if (!(r >= 0)) r += 360.0f;
    const float i = std::floor(r * 10.0f);
    if (!(i >= 0)) return 0;  // NaN or infinite angle
    // An angle a hair below a multiple of 360 normalises to 360 itself (r + 360 rounds
    // up), which would be one past the table: it is the same angle as 0.
    if (i >= kTabla) return static_cast<int>(i) % kTabla;
    return static_cast<int>(i);
}

float TCamera::sinTabla(float a) {
    return tablas().seno[tablaIndex(a)];
}
float TCamera::cosTabla(float a) {
    return tablas().coseno[tablaIndex(a)];
}

int TCamera::Compare(const TCamera& other) const {
    if (z > other.z) return 1;
    if (z < other.z) return -1;
    return 0;
}

TCameraPtr TCamera::Create() {
    auto cam = std::make_shared<TCamera>();
    cam->updateRadius();
    return cam;
}

void TCamera::setFrame(float sx, float sy, float fw, float fh, float fz) {
    screenX = sx;
    screenY = sy;
    w = fw;
    h = fh;
    z = fz;
    updateRadius();
    centroX = (w - 1) / 2;
    centroY = (h - 1) / 2;
}

float TCamera::screenXToReal(float sx) const {
    return x + (sx - centroX) / zoom;
}
float TCamera::screenYToReal(float sy) const {
    return y + (sy - centroY) / zoom;
}
float TCamera::realToScreenX(float wx) const {
    return centroX + (wx - x) * zoom;
}
float TCamera::realToScreenY(float wy) const {
    return centroY + (wy - y) * zoom;
}

void TCamera::setZoom(float nz) {
    if (std::isnan(nz) || nz < 0) return;
    zoom = nz;
    updateRadius();
}

void TCamera::setAngle(float a) {
    float r = std::fmod(a, 360.0f);
    if (!(r >= 0)) r += 360.0f;
    // -1e-6 + 360 rounds to 360 in single precision: keep the field inside [0, 360).
    if (r >= 360.0f) r = 0;
    angle = r;
}

void TCamera::updateRadius() {
    const double dx = w / 2.0, dy = h / 2.0;
    radius = static_cast<float>((std::sqrt(dx * dx + dy * dy) + 5) / zoom);
}

void TCamera::worldToScreen(float px, float py, float& sx, float& sy) const {
    const float dx = px - x, dy = py - y;
    const float c = cosTabla(angle), s = sinTabla(angle);
    const float rx = dx * c - dy * s;
    const float ry = dx * s + dy * c;
    sx = centroX + rx * zoom;
    sy = centroY + ry * zoom;
}

bool TCamera::isVisible(float wx, float wy, double size) const {
    const double dx = static_cast<double>(wx) - x, dy = static_cast<double>(wy) - y;
    return std::sqrt(dx * dx + dy * dy) < size + radius;
}

int TCamera::imageDraw(const TImagePtr& image, float wx, float wy, float rotation, float sx, float sy) {
    if (!image) return 0;
    const double ew = static_cast<double>(image->width) * sx, eh = static_cast<double>(image->height) * sy;
    if (!isVisible(wx, wy, std::sqrt(ew * ew + eh * eh))) return 0;
    float px, py;
    worldToScreen(wx, wy, px, py);
    SetTransform(angle + rotation, sx * zoom, sy * zoom);
    DrawImage(image, px, py, 0);
    return 1;
}

int TCamera::textDraw(const std::string& text, float wx, float wy, float rotation, float sx, float sy) {
    if (text.empty()) return 0;
    const double ew = static_cast<double>(TextWidth(text)) * sx;
    const double eh = static_cast<double>(TextHeight(text)) * sy;
    if (!isVisible(wx, wy, std::sqrt(ew * ew + eh * eh))) return 0;
    float px, py;
    worldToScreen(wx, wy, px, py);
    SetTransform(angle + rotation, sx * zoom, sy * zoom);
    DrawText(text, px, py);
    return 1;
}
