// Pixel-exact collision of two transformed images, computed on the CPU from the frame
// pixmaps, or from the record of solid texels a picture keeps once its pixels went to
// its texture (the render state is neither read nor changed).
//
// Each image is placed as DrawImage would place it: its handle at (x, y), a local point
// (u, v) relative to the handle landing at (x + u*ix + v*iy, y + u*jx + v*jy). The two
// images collide when some point of the plane lies in an opaque texel (alpha >= 128) of
// both. The plane is sampled at the centres of a grid as fine as the screen's unit grid
// and as fine as the smaller texel of the two images, over the overlap of their bounding
// boxes only; each sample is mapped back into both images.
#include "platform/pictures/image.h"
#include "platform/pictures/pictures_internal.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t kOpaque = 128;
constexpr double kMaxSamples = 4.0e6;  // bounds the work for huge, overlapping pictures

struct Placed {
    const TPixmap* pixels = nullptr;        // or, once they went to the texture:
    const TImage::Solid* solid = nullptr;  // the record of its solid texels
    size_t solidRow = 0;                   // bytes of a row of that record
    int width = 0, height = 0;
    double x = 0, y = 0;        // where the handle lands
    double hx = 0, hy = 0;      // handle
    double ix = 1, iy = 0, jx = 0, jy = 1;   // local -> screen
    double ai = 1, bi = 0, ci = 0, di = 1;   // screen -> local (inverse)
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double smallestTexel = 1;

    bool place(const TImagePtr& image, float px, float py, int frame, float rot, float sx,
               float sy) {
        if (!image || frame < 0 || frame >= image->FrameCount()) return false;
        const bool recorded = frame < static_cast<int>(image->solid.size()) && image->solid[frame].width > 0;
        if (!image->frames[frame] && !recorded) pictures::RefillFrame(*image, frame);  // a picture at rest
        pixels = image->frames[frame].get();
        if (pixels) {
            if (pixels->format != PF_RGBA8888) return false;
            width = pixels->width;
            height = pixels->height;
        } else if (recorded) {
            solid = &image->solid[frame];
            width = solid->width;
            height = solid->height;
            solidRow = (static_cast<size_t>(width) + 7) / 8;
            if (!solid->all && solid->bits.size() != solidRow * static_cast<size_t>(height)) return false;
        }
        if (width <= 0 || height <= 0) return false;
        x = px;
        y = py;
        hx = image->handleX;
        hy = image->handleY;
        const double r = rot * M_PI / 180.0, c = std::cos(r), s = std::sin(r);
        ix = c * sx;
        iy = -s * sy;
        jx = s * sx;
        jy = c * sy;
        const double det = ix * jy - iy * jx;
        if (!std::isfinite(det) || std::fabs(det) < 1e-12) return false;  // nothing to hit
        ai = jy / det;
        bi = -iy / det;
        ci = -jx / det;
        di = ix / det;
        smallestTexel = std::min(std::fabs(sx), std::fabs(sy));
        const double cu[2] = {-hx, width - hx}, cv[2] = {-hy, height - hy};
        minX = minY = INFINITY;
        maxX = maxY = -INFINITY;
        for (double u : cu)
            for (double v : cv) {
                const double X = x + u * ix + v * iy, Y = y + u * jx + v * jy;
                minX = std::min(minX, X);
                maxX = std::max(maxX, X);
                minY = std::min(minY, Y);
                maxY = std::max(maxY, Y);
            }
        return std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) &&
               std::isfinite(maxY);
    }

    bool opaqueAt(double X, double Y) const {
        const double dx = X - x, dy = Y - y;
        const double u = ai * dx + bi * dy + hx, v = ci * dx + di * dy + hy;
        if (!(u >= 0 && v >= 0 && u < width && v < height)) return false;
        const int tx = static_cast<int>(u), ty = static_cast<int>(v);
        if (pixels) return pixels->row(ty)[static_cast<size_t>(tx) * 4 + 3] >= kOpaque;
        return solid->all || (solid->bits[solidRow * static_cast<size_t>(ty) + static_cast<size_t>(tx / 8)] >> (tx % 8) & 1);
    }
};

}  // namespace

int ImagesCollide2(const TImagePtr& image1, float x1, float y1, int frame1, float rot1, float sx1,
                   float sy1, const TImagePtr& image2, float x2, float y2, int frame2, float rot2,
                   float sx2, float sy2) {
    Placed a, b;
    if (!a.place(image1, x1, y1, frame1, rot1, sx1, sy1)) return 0;
    if (!b.place(image2, x2, y2, frame2, rot2, sx2, sy2)) return 0;
    // Bounding boxes first: most pairs the game tests are far apart.
    const double minX = std::max(a.minX, b.minX), maxX = std::min(a.maxX, b.maxX);
    const double minY = std::max(a.minY, b.minY), maxY = std::min(a.maxY, b.maxY);
    if (!(minX < maxX && minY < maxY)) return 0;

    double step = std::min(1.0, std::min(a.smallestTexel, b.smallestTexel));
    const double area = (maxX - minX) * (maxY - minY);
    if (area / (step * step) > kMaxSamples) step = std::sqrt(area / kMaxSamples);
    // Sample centres on the grid anchored at 0, so that at scale 1 the samples are the
    // screen's pixel centres and images that only share an edge do not collide.
    const double startX = (std::floor(minX / step) + 0.5) * step;
    const double startY = (std::floor(minY / step) + 0.5) * step;
    for (double Y = startY; Y < maxY; Y += step) {
        for (double X = startX; X < maxX; X += step) {
            if (a.opaqueAt(X, Y) && b.opaqueAt(X, Y)) return 1;
        }
    }
    return 0;
}
