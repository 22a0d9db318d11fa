#pragma once
// A CPU picture to compose sheets and pose strips on: blended pixels, transformed
// graphs, small digits and marks. No display is needed.
#include "platform/pixels/pixmap.h"
#include "vgp/vgp.h"

#include <cstdint>
#include <string>

struct Bounds {
    float x0 = 1e30f, y0 = 1e30f, x1 = -1e30f, y1 = -1e30f;
    void Add(float x, float y);
    bool Empty() const { return x1 < x0; }
};

class Canvas {
public:
    Canvas(int w, int h, uint32_t background);
    int Width() const { return pm->width; }
    int Height() const { return pm->height; }

    // Straight-alpha "over" blend of one pixel; outside the picture nothing happens.
    void Blend(int x, int y, uint32_t argb);
    void FillRect(int x, int y, int w, int h, uint32_t argb);
    // Draws graph g with its handle (pivot) at (x, y), turned by angle degrees
    // (clockwise, y down) and scaled by s, as the game draws a bone.
    void DrawGraph(const TGraph& g, float x, float y, float angle, float s);
    // A small cross marking a point.
    void Cross(int x, int y, int r, uint32_t argb);
    // Decimal digits (and '-') in a 3 x 5 cell font scaled by k; returns the width used.
    int Text(int x, int y, const std::string& digits, int k, uint32_t argb);
    bool Save(const std::string& path) const { return SavePixmapPNG(*pm, path); }

private:
    TPixmapPtr pm;
};

// The area graph g covers when drawn as Canvas::DrawGraph would draw it.
void AddGraphBounds(Bounds& b, const TGraph& g, float x, float y, float angle, float s);
