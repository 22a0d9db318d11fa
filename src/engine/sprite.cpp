#include "engine/sprite.h"

#include "engine/gl.h"

#include <algorithm>
#include <cmath>

int TSprite::Compare(const TSprite& other) const {
    if (z > other.z) return 1;
    if (z < other.z) return -1;
    return 0;
}

int TSprite::Dibujar(TCamera& camera) {
    GL::push();
    SetColor(cR, cG, cB);
    SetBlend(blend);
    SetAlpha(alpha);
    if (mapa) {
        const float ts = static_cast<float>(mapa->getTileSize());
        camera.imageDraw(grafico, x * ts, y * ts, angle, sizeX, sizeY);
    }
    GL::pop();
    return 0;
}

// ---- pose collisions ----
//
// The pixel test is the platform's. Most pairs of bones are far apart, so each picture
// first gets a square around its pivot that holds it whatever its rotation (no
// trigonometry); pairs whose squares meet then get the exact box of each turned picture,
// and only pairs whose boxes meet reach the pixel test. Boxes are widened by two pixels
// so that rounding in the pixel test can never make them too small.

namespace {

constexpr double kMargen = 2;

struct Caja {
    double x0, y0, x1, y1;
    bool toca(const Caja& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

// NaN sizes or angles fail every comparison: such a box covers everything, leaving the
// decision to the pixel test.
constexpr Caja kTodo{-1e300, -1e300, 1e300, 1e300};

struct Pieza {
    const TImagePtr* imagen;
    float x, y, rot, sx, sy;
    Caja cerca;  // holds the picture at any rotation
};

Caja cuadrado(const TImage& img, float px, float py, float sx, float sy) {
    const double ax = std::max(std::fabs(img.handleX), std::fabs(img.width - img.handleX));
    const double ay = std::max(std::fabs(img.handleY), std::fabs(img.height - img.handleY));
    const double r = std::hypot(ax, ay) * std::max(std::fabs(sx), std::fabs(sy)) + kMargen;
    if (!(r >= 0 && r < 1e300)) return kTodo;
    return {px - r, py - r, px + r, py + r};
}

// The box of the turned and scaled picture (the platform's transform about the handle).
Caja exacta(const Pieza& p) {
    const TImage& img = **p.imagen;
    const double a = p.rot * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double ix = c * p.sx, iy = -s * p.sy, jx = s * p.sx, jy = c * p.sy;
    const double u[2] = {-img.handleX, img.width - img.handleX};
    const double v[2] = {-img.handleY, img.height - img.handleY};
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (double du : u) {
        for (double dv : v) {
            const double X = du * ix + dv * iy, Y = du * jx + dv * jy;
            x0 = std::min(x0, X), x1 = std::max(x1, X);
            y0 = std::min(y0, Y), y1 = std::max(y1, Y);
        }
    }
    if (!(x0 <= x1 && y0 <= y1)) return kTodo;
    return {p.x + x0 - kMargen, p.y + y0 - kMargen, p.x + x1 + kMargen, p.y + y1 + kMargen};
}

Pieza pieza(const TImagePtr& img, float px, float py, float rot, float sx, float sy) {
    return {&img, px, py, rot, sx, sy, cuadrado(*img, px, py, sx, sy)};
}

// The bones of a pose with a picture, placed at (x, y): as drawn, one image per bone.
void piezas(const AnimState& pose, const VGP& pack, int x, int y, std::vector<Pieza>& out) {
    out.clear();
    for (const RepBone& b : pose.BoneList) {
        const TGraph* g = pack.GetGraph(b.Graph);
        if (!g || !g->I) continue;
        const float px = static_cast<float>(static_cast<int>(x + b.X));
        const float py = static_cast<float>(static_cast<int>(y + b.Y));
        out.push_back(pieza(g->I, px, py, b.Angle, b.Size, b.Size));
    }
}

bool chocan(const Pieza& a, const Pieza& b) {
    if (!a.cerca.toca(b.cerca)) return false;
    if (!exacta(a).toca(exacta(b))) return false;
    return ImagesCollide2(*a.imagen, a.x, a.y, 0, a.rot, a.sx, a.sy, *b.imagen, b.x, b.y, 0, b.rot, b.sx,
                          b.sy) != 0;
}

}  // namespace

int colisionPoseImagen(const AnimState& pose, const VGP& pack, int x, int y, const TImagePtr& image, int ix,
                       int iy, float rotation, float sx, float sy) {
    if (!image || pose.BoneList.empty()) return 0;
    thread_local std::vector<Pieza> huesos;
    piezas(pose, pack, x, y, huesos);
    const Pieza otra = pieza(image, static_cast<float>(ix), static_cast<float>(iy), rotation, sx, sy);
    for (const Pieza& h : huesos) {
        if (chocan(h, otra)) return 1;
    }
    return 0;
}

int colisionPoses(const AnimState& poseA, const VGP& packA, int xA, int yA, const AnimState& poseB,
                  const VGP& packB, int xB, int yB) {
    if (poseA.BoneList.empty() || poseB.BoneList.empty()) return 0;
    thread_local std::vector<Pieza> a, b;
    piezas(poseA, packA, xA, yA, a);
    piezas(poseB, packB, xB, yB, b);
    for (const Pieza& pa : a) {
        for (const Pieza& pb : b) {
            if (chocan(pa, pb)) return 1;
        }
    }
    return 0;
}
