// CPU composition for the pack tool's pictures.
#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void Bounds::Add(float x, float y) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
}

Canvas::Canvas(int w, int h, uint32_t background) {
    pm = CreatePixmap(std::max(w, 1), std::max(h, 1), PF_RGBA8888);
    pm->ClearPixels(background);
}

void Canvas::Blend(int x, int y, uint32_t c) {
    if (x < 0 || y < 0 || x >= pm->width || y >= pm->height) return;
    const uint32_t a = c >> 24;
    if (a == 0) return;
    const uint32_t d = pm->ReadPixel(x, y);
    const uint32_t da = d >> 24;
    const uint32_t oa = a + da * (255 - a) / 255;
    auto ch = [&](int shift) {
        const uint32_t s = (c >> shift) & 255, t = (d >> shift) & 255;
        if (oa == 0) return 0u;
        return (s * a + t * da * (255 - a) / 255) / oa;
    };
    pm->WritePixel(x, y, (oa << 24) | (ch(16) << 16) | (ch(8) << 8) | ch(0));
}

void Canvas::FillRect(int x, int y, int w, int h, uint32_t c) {
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) Blend(i, j, c);
}

namespace {

struct Turn {
    float c, s;
    explicit Turn(float degrees) {
        const double r = degrees * std::numbers::pi / 180.0;
        c = static_cast<float>(std::cos(r));
        s = static_cast<float>(std::sin(r));
    }
};

void Handle(const TGraph& g, float& hx, float& hy) {
    hx = g.I ? g.I->handleX : 0;
    hy = g.I ? g.I->handleY : 0;
}

}  // namespace

void AddGraphBounds(Bounds& b, const TGraph& g, float x, float y, float angle, float s) {
    if (!g.I) return;
    float hx, hy;
    Handle(g, hx, hy);
    const Turn t(angle);
    const float w = static_cast<float>(g.I->width), h = static_cast<float>(g.I->height);
    for (float u : {0.0f, w})
        for (float v : {0.0f, h}) {
            const float lx = (u - hx) * s, ly = (v - hy) * s;
            b.Add(x + lx * t.c - ly * t.s, y + lx * t.s + ly * t.c);
        }
}

void Canvas::DrawGraph(const TGraph& g, float x, float y, float angle, float s) {
    if (!g.I || g.I->frames.empty() || !g.I->frames[0] || s == 0 || !std::isfinite(s)) return;
    const TPixmap& src = *g.I->frames[0];
    Bounds b;
    AddGraphBounds(b, g, x, y, angle, s);
    if (b.Empty() || !std::isfinite(b.x0) || !std::isfinite(b.y1)) return;
    float hx, hy;
    Handle(g, hx, hy);
    const Turn t(angle);
    const int x0 = std::max(0, static_cast<int>(std::floor(b.x0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(b.y0)));
    const int x1 = std::min(pm->width - 1, static_cast<int>(std::ceil(b.x1)));
    const int y1 = std::min(pm->height - 1, static_cast<int>(std::ceil(b.y1)));
    // Each covered pixel's centre is taken back into the graph (inverse turn and scale)
    // and takes the nearest source pixel.
    for (int py = y0; py <= y1; py++) {
        for (int px = x0; px <= x1; px++) {
            const float dx = px + 0.5f - x, dy = py + 0.5f - y;
            const float u = (dx * t.c + dy * t.s) / s + hx;
            const float v = (-dx * t.s + dy * t.c) / s + hy;
            if (u < 0 || v < 0 || u >= src.width || v >= src.height) continue;
            Blend(px, py, src.ReadPixel(static_cast<int>(u), static_cast<int>(v)));
        }
    }
}

void Canvas::Cross(int x, int y, int r, uint32_t c) {
    for (int i = -r; i <= r; i++) {
        Blend(x + i, y, c);
        Blend(x, y + i, c);
    }
}

int Canvas::Text(int x, int y, const std::string& text, int k, uint32_t c) {
    // 3 x 5 cells, one row of three bits per line, top to bottom.
    static const uint8_t glyphs[11][5] = {
        {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
        {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
        {0, 0, 7, 0, 0},
    };
    int at = x;
    for (char ch : text) {
        const int gi = ch == '-' ? 10 : (ch >= '0' && ch <= '9' ? ch - '0' : -1);
        if (gi >= 0)
            for (int row = 0; row < 5; row++)
                for (int col = 0; col < 3; col++)
                    if (glyphs[gi][row] & (4 >> col)) FillRect(at + col * k, y + row * k, k, k, c);
        at += 4 * k;
    }
    return at - x;
}
