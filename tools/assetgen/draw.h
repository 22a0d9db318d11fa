#pragma once
// Drawing helpers shared by every picture of the generator: colours, the flat cartoon
// fill (base colour, a soft second tone, a dark rounded outline), common shapes, text in
// the game font and a small deterministic random generator.
#include <cairo.h>

#include <cstdint>
#include <string>

namespace assetgen {

struct Rgb {
    double r = 0, g = 0, b = 0;  // 0..1
};

// 0xRRGGBB.
constexpr Rgb Hex(uint32_t c) {
    return {((c >> 16) & 255) / 255.0, ((c >> 8) & 255) / 255.0, (c & 255) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);
// f < 1 darkens toward black, f > 1 lightens toward white (2 = white).
Rgb Tone(Rgb c, double f);

// The outline colour of every cartoon shape.
inline constexpr Rgb kInk = Hex(0x2a1e1a);

void SetRgb(cairo_t* cr, Rgb c, double alpha = 1);

// Fills the current path with c and strokes it with a dark outline of width lw; the path
// is consumed. With shade != 0 a darker second tone covers the lower right crescent of
// the shape (the part not covered by the shape moved up-left by shade units).
void Cartoon(cairo_t* cr, Rgb c, double lw, double shade = 0, Rgb ink = kInk);
// Same, without the outline.
void FlatShaded(cairo_t* cr, Rgb c, double shade);

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// A tapered limb from (x0, y0) with radius r0 to (x1, y1) with radius r1.
void Capsule(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1);
// A heart centred at (cx, cy) of the given width.
void HeartPath(cairo_t* cr, double cx, double cy, double w);
// A regular polygon / star: n points, radius r, inner radius ri (= r for a polygon),
// first point at angle a0 (radians, 0 = up).
// A water drop of height h centred at (x, y), filled and outlined.
void WaterDrop(cairo_t* cr, double x, double y, double h, Rgb c);
void StarPath(cairo_t* cr, double cx, double cy, int n, double r, double ri, double a0 = 0);

enum class Align { Left, Center, Right };
// Text in the game font (Comic Neue Bold) at a pixel size; y is the baseline.
void Text(cairo_t* cr, const std::string& utf8, double x, double y, double size, Rgb c,
          Align align = Align::Left);
// Text with a dark outline of width lw under it (titles, signs).
void OutlinedText(cairo_t* cr, const std::string& utf8, double x, double y, double size, Rgb c,
                  double lw, Rgb ink = kInk, Align align = Align::Left);
double TextWidth(cairo_t* cr, const std::string& utf8, double size);
// Sets the game font on the context (used by the helpers above).
void UseGameFont(cairo_t* cr, double size);

// Small deterministic generator (splitmix64): same seed, same pictures on every build.
class Rng {
public:
    explicit Rng(uint64_t seed) : s(seed) {}
    uint64_t Next();
    double Real(double lo = 0, double hi = 1);  // [lo, hi)
    int Int(int lo, int hi);                    // [lo, hi]
    bool Chance(double p) { return Real() < p; }

private:
    uint64_t s;
};

// An ARGB32 image surface with its context; released with the object.
class Canvas {
public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    cairo_t* cr() const { return ctx; }
    cairo_surface_t* surface() const { return surf; }
    int width() const { return w; }
    int height() const { return h; }

private:
    int w, h;
    cairo_surface_t* surf;
    cairo_t* ctx;
};

}  // namespace assetgen
