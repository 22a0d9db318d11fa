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
// is first given the screen box it covers under its rotation and scale, and only pairs
// whose boxes meet reach the pixel test. The boxes are widened by a pixel or two so
// that rounding in the pixel test can never make them too small.

namespace {

struct Caja {
    float x0, y0, x1, y1;
    bool toca(const Caja& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
};

struct Pieza {
    const TImagePtr* imagen;
    float x, y, rot, sx, sy;
    Caja caja;
};

Caja cajaDe(const TImage& img, float px, float py, float rot, float sx, float sy) {
    const double r = rot * M_PI / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    const double ix = c * sx, iy = -s * sy, jx = s * sx, jy = c * sy;
    const double u[2] = {-img.handleX, img.width - img.handleX};
    const double v[2] = {-img.handleY, img.height - img.handleY};
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (double a : u) {
        for (double b : v) {
            const double X = a * ix + b * iy, Y = a * jx + b * jy;
            x0 = std::min(x0, X), x1 = std::max(x1, X);
            y0 = std::min(y0, Y), y1 = std::max(y1, Y);
        }
    }
    constexpr double margen = 2;
    // NaN scales or angles fail every comparison: such a box is made to cover everything,
    // leaving the decision to the pixel test.
    if (!(x0 <= x1 && y0 <= y1)) return {-1e30f, -1e30f, 1e30f, 1e30f};
    return {static_cast<float>(px + x0 - margen), static_cast<float>(py + y0 - margen),
            static_cast<float>(px + x1 + margen), static_cast<float>(py + y1 + margen)};
}

// The bones of a pose with a picture, placed at (x, y): as drawn, one image per bone.
void piezas(const AnimState& pose, const VGP& pack, int x, int y, std::vector<Pieza>& out) {
    out.clear();
    for (const RepBone& b : pose.BoneList) {
        const TGraph* g = pack.GetGraph(b.Graph);
        if (!g || !g->I) continue;
        const float px = static_cast<float>(static_cast<int>(x + b.X));
        const float py = static_cast<float>(static_cast<int>(y + b.Y));
        out.push_back({&g->I, px, py, b.Angle, b.Size, b.Size, cajaDe(*g->I, px, py, b.Angle, b.Size, b.Size)});
    }
}

bool chocan(const Pieza& a, const Pieza& b) {
    if (!a.caja.toca(b.caja)) return false;
    return ImagesCollide2(*a.imagen, a.x, a.y, 0, a.rot, a.sx, a.sy, *b.imagen, b.x, b.y, 0, b.rot,
                          b.sx, b.sy) != 0;
}

}  // namespace

int colisionPoseImagen(const AnimState& pose, const VGP& pack, int x, int y, const TImagePtr& image,
                       int ix, int iy, float rotation, float sx, float sy) {
    if (!image || pose.BoneList.empty()) return 0;
    thread_local std::vector<Pieza> huesos;
    piezas(pose, pack, x, y, huesos);
    const float fx = static_cast<float>(ix), fy = static_cast<float>(iy);
    const Pieza otra{&image, fx, fy, rotation, sx, sy, cajaDe(*image, fx, fy, rotation, sx, sy)};
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
