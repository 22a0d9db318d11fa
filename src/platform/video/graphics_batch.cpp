// Batching of primitives into few draw calls.
//
// Drawing calls transform their corners on the CPU; each primitive is kept aside until the
// next one starts, then joins a batch of client-side vertices with the same texture,
// primitive kind, blend mode and line width. A software rasteriser pays for every change
// of texture, so a primitive may join an earlier batch than the last one, jumping over
// the batches opened since, when it shares no pixel with any primitive in them: the pixels
// come out the same as in call order. A primitive that cannot touch a pixel inside the
// clipping rectangle is dropped. Every batch is drawn, in order, before anything that
// reads pixels, clears, presents, changes the projection, the clipping or a texture in use.
#include "platform/video/display.h"
#include "platform/video/video_internal.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Vtx {
    float x, y, u, v;
    uint8_t rgba[4];
};

// Where primitives may draw: the window pixels (inclusive ranges of columns and rows)
// whose centres they may cover, empty when first > last; and their extent in virtual
// units. Primitives whose pixel ranges are apart share no pixel. Upright rectangles that
// only touch along an edge share none either: the rasteriser gives every pixel centre on
// a shared edge to one side only, and the projection maps equal or ordered coordinates to
// equal or ordered window positions.
struct PixelBox {
    int x0 = 1, y0 = 1, x1 = 0, y1 = 0;
    float minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool upright = true;  // every primitive in it is an axis-aligned rectangle
    bool empty() const { return x0 > x1 || y0 > y1; }
    bool meets(const PixelBox& o) const {
        if (empty() || o.empty() || x0 > o.x1 || o.x0 > x1 || y0 > o.y1 || o.y0 > y1) return false;
        // Turned or slanted shapes share no pixel only when their pixel ranges are apart:
        // clipping their corners can move their edges, so touching edges prove nothing.
        if (!upright || !o.upright) return true;
        return !(minX >= o.maxX || o.minX >= maxX || minY >= o.maxY || o.minY >= maxY);
    }
    void add(const PixelBox& o) {
        if (o.empty()) return;
        if (empty()) {
            *this = o;
            return;
        }
        x0 = std::min(x0, o.x0);
        y0 = std::min(y0, o.y0);
        x1 = std::max(x1, o.x1);
        y1 = std::max(y1, o.y1);
        minX = std::min(minX, o.minX);
        minY = std::min(minY, o.minY);
        maxX = std::max(maxX, o.maxX);
        maxY = std::max(maxY, o.maxY);
        upright = upright && o.upright;
    }
};

// How a batch samples its texture. A quad showing its texture one texel to a pixel
// samples only the full-size level: at that scale the magnification filter applies, so
// the minification filter and the smaller levels are never read. When its texels also
// sit on the pixels, bilinear filtering reads each texel at its centre and nearest
// sampling gives the same pixels for less work.
enum Sampling : uint8_t { kAsMade, kFullSizeLevel, kNearest };
// Texels at least this many pixels across in every direction are magnified, whatever the
// renderer's estimate of the level of detail.
constexpr double kMagnified = 2;

struct Key {
    drawing::Prim prim = drawing::Prim::Quads;
    unsigned texture = 0;
    int blend = SOLIDBLEND;
    float lineWidth = 1;
    Sampling sampling = kAsMade;
    bool operator==(const Key& o) const {
        return prim == o.prim && texture == o.texture && blend == o.blend && sampling == o.sampling &&
               (prim != drawing::Prim::Lines || lineWidth == o.lineWidth);
    }
};

struct Batch {
    Key key;
    drawing::Sampling texture;  // the filters its texture was made with
    std::vector<Vtx> v;
    PixelBox box;  // union of its primitives
    // The box of each primitive while there are few; beyond that the union stands for them.
    std::vector<PixelBox> parts;
    bool partsComplete = true;

    // Whether a primitive drawn after this batch could share a pixel with it.
    bool meets(const PixelBox& o) const {
        if (!box.meets(o)) return false;
        if (!partsComplete) return true;
        for (const PixelBox& p : parts)
            if (p.meets(o)) return true;
        return false;
    }
    void add(const PixelBox& o) {
        box.add(o);
        if (!partsComplete) return;
        if (parts.size() == kMaxParts) {
            partsComplete = false;
            parts.clear();
        } else if (!o.empty()) {
            parts.push_back(o);
        }
    }
    static constexpr size_t kMaxParts = 64;
};

struct Batches {
    std::vector<Batch> open;    // in drawing order; the first `used` hold primitives
    size_t used = 0;
    size_t vertices = 0;        // in all open batches
    Key stagedKey;              // the primitive being given its vertices
    drawing::Sampling stagedSampling;
    std::vector<Vtx> staged;
    uint8_t colour[4] = {255, 255, 255, 255};
    ~Batches() { gone = true; }
    static inline bool gone = false;
};
Batches batches;

constexpr size_t kVertexLimit = 48000;
constexpr size_t kMaxOpen = 512;  // batches searched for a join; more are drawn first

GLenum GLPrim(drawing::Prim p) {
    switch (p) {
    case drawing::Prim::Quads: return GL_QUADS;
    case drawing::Prim::Triangles: return GL_TRIANGLES;
    case drawing::Prim::Lines: return GL_LINES;
    case drawing::Prim::Points: return GL_POINTS;
    }
    return GL_QUADS;
}

// The pixel centres the staged vertices may touch, with a margin for the rounding of the
// projection and for the width of lines and points.
PixelBox StagedBox(float kx, float ky) {
    float minX = batches.staged[0].x, maxX = minX, minY = batches.staged[0].y, maxY = minY;
    for (const Vtx& t : batches.staged) {
        minX = std::min(minX, t.x);
        maxX = std::max(maxX, t.x);
        minY = std::min(minY, t.y);
        maxY = std::max(maxY, t.y);
    }
    float margin = 0.01f;
    if (batches.stagedKey.prim == drawing::Prim::Lines)
        margin += std::max(batches.stagedKey.lineWidth, 1.f) * 0.5f + 1;
    else if (batches.stagedKey.prim == drawing::Prim::Points)
        margin += 1.5f;
    // Column i has its centre at i + 0.5.
    const double lx = std::ceil(minX * kx - margin - 0.5), hx = std::floor(maxX * kx + margin - 0.5);
    const double ly = std::ceil(minY * ky - margin - 0.5), hy = std::floor(maxY * ky + margin - 0.5);

    // An upright rectangle: one quad whose corners run along the axes.
    const auto& q = batches.staged;
    const bool upright = batches.stagedKey.prim == drawing::Prim::Quads && q.size() == 4 &&
                         ((q[0].y == q[1].y && q[1].x == q[2].x && q[2].y == q[3].y && q[3].x == q[0].x) ||
                          (q[0].x == q[1].x && q[1].y == q[2].y && q[2].x == q[3].x && q[3].y == q[0].y));
    // Anything non-finite or far outside the window meets everything. Other shapes are
    // trusted nearer: the rounding of a corner moved by clipping grows with its distance.
    const double far = upright ? 1 << 24 : 1 << 14;
    if (!(lx > -far && hx < far && ly > -far && hy < far))
        return {-(1 << 24), -(1 << 24), 1 << 24, 1 << 24, 0, 0, 0, 0, false};
    return PixelBox{static_cast<int>(lx), static_cast<int>(ly), static_cast<int>(hx), static_cast<int>(hy),
                    minX, minY, maxX, maxY, upright};
}

// The least a triangle of the staged primitive (corners a, b, c) stretches a texel, in
// pixels: the smaller singular value of the map from texels to pixels; 0 when the
// triangle or its texture coordinates are degenerate.
double LeastStretch(const Vtx& a, const Vtx& b, const Vtx& c, float kx, float ky, int width, int height) {
    // Texel steps along two edges, and the pixel steps they make.
    const double t00 = (b.u - a.u) * static_cast<double>(width), t01 = (c.u - a.u) * static_cast<double>(width);
    const double t10 = (b.v - a.v) * static_cast<double>(height), t11 = (c.v - a.v) * static_cast<double>(height);
    const double p00 = (b.x - a.x) * static_cast<double>(kx), p01 = (c.x - a.x) * static_cast<double>(kx);
    const double p10 = (b.y - a.y) * static_cast<double>(ky), p11 = (c.y - a.y) * static_cast<double>(ky);
    const double det = t00 * t11 - t01 * t10;
    if (!std::isfinite(det) || std::abs(det) < 1e-9) return 0;
    // M = P * T^-1.
    const double m00 = (p00 * t11 - p01 * t10) / det, m01 = (p01 * t00 - p00 * t01) / det;
    const double m10 = (p10 * t11 - p11 * t10) / det, m11 = (p11 * t00 - p10 * t01) / det;
    const double sum = m00 * m00 + m01 * m01 + m10 * m10 + m11 * m11;
    const double d = m00 * m11 - m01 * m10;
    const double least2 = (sum - std::sqrt(std::max(0.0, sum * sum - 4 * d * d))) / 2;
    return std::isfinite(least2) ? std::sqrt(std::max(0.0, least2)) : 0;
}

// The cheapest sampling that gives the staged quad the pixels its texture's own filters
// would. A quad exactly as many pixels wide and high as its texture, upright, unmirrored
// and showing all of it reads the full-size level only, and where its texels also sit on
// the pixels, reads them nearest. A mipmapped texture shown magnified reads the full-size
// level only too: at a level of detail below zero the magnification filter applies and
// the smaller levels are never read. Twice the size is asked for, so that the renderer's
// estimate of the level (which may overstate the texels per pixel by up to a square root
// of two) stays below zero: the zoom into a minigame turns the board's squares at four
// times their size, and the level it saves computing is a third of their cost.
Sampling CheapestSampling(float kx, float ky) {
    const drawing::Sampling& s = batches.stagedSampling;
    const auto& q = batches.staged;
    if (batches.stagedKey.texture == 0 || s.width <= 0 || s.height <= 0 || (!s.filtered && !s.mipmapped) ||
        batches.stagedKey.prim != drawing::Prim::Quads || q.size() != 4)
        return kAsMade;
    if (s.mipmapped) {
        // Every corner's triangle, whichever way the quad is cut in two.
        bool magnified = true;
        for (size_t i = 0; i < 4 && magnified; ++i)
            magnified = LeastStretch(q[i], q[(i + 1) % 4], q[(i + 3) % 4], kx, ky, s.width, s.height) >= kMagnified;
        if (magnified) return kFullSizeLevel;
    }
    const bool rectangle = q[0].y == q[1].y && q[1].x == q[2].x && q[2].y == q[3].y && q[3].x == q[0].x &&
                           q[0].x < q[1].x && q[0].y < q[3].y;
    const bool wholeTexture = q[0].u == 0 && q[0].v == 0 && q[1].u == 1 && q[1].v == 0 && q[2].u == 1 &&
                              q[2].v == 1 && q[3].u == 0 && q[3].v == 1;
    if (!rectangle || !wholeTexture || (q[1].x - q[0].x) * kx != static_cast<float>(s.width) ||
        (q[3].y - q[0].y) * ky != static_cast<float>(s.height))
        return kAsMade;
    const float left = q[0].x * kx, top = q[0].y * ky;
    if (left == std::floor(left) && top == std::floor(top)) return kNearest;
    return s.mipmapped ? kFullSizeLevel : kAsMade;
}

void DrawBatch(Batch& b) {
    gfx::ApplyBlend(b.key.blend);
    gfx::ApplyTexture(b.key.texture);
    if (b.key.prim == drawing::Prim::Lines) gfx::ApplyLineWidth(b.key.lineWidth);
    if (b.key.prim == drawing::Prim::Points) gfx::ApplyPointSize(1.f);
    if (b.key.sampling != kAsMade) gfx::ApplyFilters(b.texture.filtered && b.key.sampling != kNearest, false);
    const Vtx* v = b.v.data();
    glVertexPointer(2, GL_FLOAT, sizeof(Vtx), &v->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(Vtx), &v->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vtx), v->rgba);
    glDrawArrays(GLPrim(b.key.prim), 0, static_cast<GLsizei>(b.v.size()));
    if (b.key.sampling != kAsMade) gfx::ApplyFilters(b.texture.filtered, b.texture.mipmapped);
}

void DrawOpen() {
    if (drawing::ContextReady() && !display::Skipping())
        for (size_t i = 0; i < batches.used; ++i) DrawBatch(batches.open[i]);
    for (size_t i = 0; i < batches.used; ++i) batches.open[i].v.clear();
    batches.used = 0;
    batches.vertices = 0;
}

// True when the box lies wholly outside the clipping rectangle, by more than a pixel so
// that no rounding of the rasteriser can bring it in.
bool OutsideClip(const PixelBox& box, const gfx::PixelGrid& g) {
    return box.x1 < g.x0 - 1 || box.x0 > g.x1 + 1 || box.y1 < g.y0 - 1 || box.y0 > g.y1 + 1;
}

// Puts the staged primitive into a batch.
void Commit() {
    if (batches.staged.empty()) return;
    const gfx::PixelGrid grid = gfx::Grid();
    const PixelBox box = StagedBox(grid.kx, grid.ky);
    if (OutsideClip(box, grid)) {
        batches.staged.clear();
        return;
    }
    if (batches.vertices + batches.staged.size() > kVertexLimit) DrawOpen();
    batches.stagedKey.sampling = CheapestSampling(grid.kx, grid.ky);
    // The latest batch of the same kind, if no batch after it shares a pixel with this one.
    size_t target = batches.used;
    for (size_t i = batches.used; i-- > 0;) {
        if (batches.open[i].key == batches.stagedKey) {
            target = i;
            break;
        }
        if (batches.open[i].meets(box)) break;
    }
    if (target == batches.used) {
        if (batches.used == kMaxOpen) {
            DrawOpen();
            target = 0;
        }
        if (batches.open.size() <= target) batches.open.resize(target + 1);
        Batch& fresh = batches.open[target];
        fresh.key = batches.stagedKey;
        fresh.texture = batches.stagedSampling;
        fresh.box = PixelBox{};
        fresh.parts.clear();
        fresh.partsComplete = true;
        ++batches.used;
    }
    Batch& b = batches.open[target];
    b.v.insert(b.v.end(), batches.staged.begin(), batches.staged.end());
    b.add(box);
    batches.vertices += batches.staged.size();
    batches.staged.clear();
}

}  // namespace

namespace gfx {

void SetVertexColour(int r, int g, int b, uint8_t alpha) {
    batches.colour[0] = static_cast<uint8_t>(r);
    batches.colour[1] = static_cast<uint8_t>(g);
    batches.colour[2] = static_cast<uint8_t>(b);
    batches.colour[3] = alpha;
}

void DiscardBatches() {
    batches.staged.clear();
    for (size_t i = 0; i < batches.used; ++i) batches.open[i].v.clear();
    batches.used = 0;
    batches.vertices = 0;
}

bool BatchesGone() { return Batches::gone; }

bool BatchUsesTexture(unsigned id) {
    if (!batches.staged.empty() && batches.stagedKey.texture == id) return true;
    for (size_t i = 0; i < batches.used; ++i)
        if (batches.open[i].key.texture == id) return true;
    return false;
}

}  // namespace gfx

namespace drawing {

void Begin(Prim prim, unsigned texture, bool opaque, const Sampling& sampling) {
    Commit();
    const RenderState& state = State();
    int blend = state.blend >= MASKBLEND && state.blend <= SHADEBLEND ? state.blend : SOLIDBLEND;
    // An opaque picture at full alpha covers what is under it whether blended or not; left
    // unblended, the rasteriser neither reads the pixels under it nor keeps what it hides.
    if (opaque && state.alpha == 255 && (blend == ALPHABLEND || blend == MASKBLEND))
        blend = SOLIDBLEND;
    batches.stagedKey = Key{prim, texture, blend, state.lineWidth, kAsMade};
    batches.stagedSampling = sampling;
}

void Vertex(float x, float y, float u, float v) {
    const uint8_t* c = batches.colour;
    batches.staged.push_back(Vtx{x, y, u, v, {c[0], c[1], c[2], c[3]}});
}

void TransformedQuad(float x, float y, float lx0, float ly0, float lx1, float ly1, float u0,
                     float v0, float u1, float v1) {
    const RenderState& state = State();
    const float px = x + state.originX, py = y + state.originY;
    const float ix = state.ix, iy = state.iy, jx = state.jx, jy = state.jy;
    auto put = [&](float lx, float ly, float u, float v) {
        Vertex(px + lx * ix + ly * iy, py + lx * jx + ly * jy, u, v);
    };
    put(lx0, ly0, u0, v0);
    put(lx1, ly0, u1, v0);
    put(lx1, ly1, u1, v1);
    put(lx0, ly1, u0, v1);
}

void Flush() {
    if (Batches::gone) return;
    Commit();
    DrawOpen();
}

}  // namespace drawing
