// The shapes: rectangles, ovals, lines, points and polygons, traced and then drawn through
// the batches under the render state.
#include "platform/session/trace.h"
#include "platform/video/drawing.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

void TraceShape(rig::Record& r) {
    drawing::AddState(r);
    r.emit();
}

}  // namespace

void DrawRect(float x, float y, float w, float h) {
    if (rig::Tracing()) {
        rig::Record r("rect");
        r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
        r.add("w", static_cast<double>(w)).add("h", static_cast<double>(h));
        TraceShape(r);
    }
    if (!drawing::WillDraw()) return;
    drawing::Begin(drawing::Prim::Quads, 0);
    drawing::TransformedQuad(x, y, 0, 0, w, h, 0, 0, 0, 0);
}

void DrawOval(float x, float y, float w, float h) {
    const drawing::RenderState& state = drawing::State();
    if (rig::Tracing()) {
        rig::Record r("oval");
        r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
        r.add("w", static_cast<double>(w)).add("h", static_cast<double>(h));
        TraceShape(r);
    }
    if (!drawing::WillDraw()) return;
    // Enough segments that the outline looks round at the drawn size.
    const float size = (std::fabs(w * state.sx) + std::fabs(h * state.sy)) * 0.5f;
    const int segments = std::clamp(static_cast<int>(size * 0.75f), 12, 180);
    const float rx = w * 0.5f, ry = h * 0.5f;
    const float px = x + state.originX, py = y + state.originY;
    auto put = [&](float lx, float ly) {
        drawing::Vertex(px + lx * state.ix + ly * state.iy, py + lx * state.jx + ly * state.jy);
    };
    drawing::Begin(drawing::Prim::Triangles, 0);
    float prevX = rx + rx, prevY = ry;
    for (int i = 1; i <= segments; ++i) {
        const double a = 2.0 * M_PI * i / segments;
        const float cx = rx + rx * static_cast<float>(std::cos(a));
        const float cy = ry + ry * static_cast<float>(std::sin(a));
        put(rx, ry);
        put(prevX, prevY);
        put(cx, cy);
        prevX = cx;
        prevY = cy;
    }
}

void DrawLine(float x1, float y1, float x2, float y2) {
    const drawing::RenderState& state = drawing::State();
    if (rig::Tracing()) {
        rig::Record r("line");
        r.add("x1", static_cast<double>(x1)).add("y1", static_cast<double>(y1));
        r.add("x2", static_cast<double>(x2)).add("y2", static_cast<double>(y2));
        TraceShape(r);
    }
    if (!drawing::WillDraw()) return;
    // Through pixel centres, so a line from (0, 0) to (9, 0) lights pixels 0..9 at 1:1.
    drawing::Begin(drawing::Prim::Lines, 0);
    drawing::Vertex(x1 + state.originX + 0.5f, y1 + state.originY + 0.5f);
    drawing::Vertex(x2 + state.originX + 0.5f, y2 + state.originY + 0.5f);
}

void Plot(float x, float y) {
    const drawing::RenderState& state = drawing::State();
    if (rig::Tracing()) {
        rig::Record r("plot");
        r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
        TraceShape(r);
    }
    if (!drawing::WillDraw()) return;
    drawing::Begin(drawing::Prim::Points, 0);
    drawing::Vertex(x + state.originX + 0.5f, y + state.originY + 0.5f);
}

void DrawPoly(const std::vector<float>& xy) {
    const drawing::RenderState& state = drawing::State();
    if (rig::Tracing()) {
        rig::Record r("poly");
        std::string pts = "[";
        for (size_t i = 0; i < xy.size(); ++i) pts += (i ? "," : "") + rig::Json(xy[i]);
        r.addRaw("points", pts + "]");
        TraceShape(r);
    }
    if (!drawing::ContextReady() || xy.size() < 6) return;
    // A fan from the first point: right for the convex polygons the game draws.
    const size_t n = xy.size() / 2;
    const float ox = state.originX, oy = state.originY;
    drawing::Begin(drawing::Prim::Triangles, 0);
    for (size_t i = 1; i + 1 < n; ++i) {
        drawing::Vertex(xy[0] + ox, xy[1] + oy);
        drawing::Vertex(xy[2 * i] + ox, xy[2 * i + 1] + oy);
        drawing::Vertex(xy[2 * i + 2] + ox, xy[2 * i + 3] + oy);
    }
}

