// The render state (colour, alpha, blend, rotation and scale, viewport, origin, mask and
// clear colours) and the trace of what it is when something is drawn.
#include "platform/session/trace.h"
#include "platform/video/display.h"
#include "platform/video/drawing.h"
#include "platform/video/render.h"
#include "platform/video/video_internal.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

namespace {

drawing::RenderState state;

void UpdateColour() { gfx::SetVertexColour(state.r, state.g, state.b, state.alpha); }

int ClampByte(int v) { return std::clamp(v, 0, 255); }

void UpdateTransform() {
    const double r = state.rotation * M_PI / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    state.ix = static_cast<float>(c * state.sx);
    state.iy = static_cast<float>(-s * state.sy);
    state.jx = static_cast<float>(s * state.sx);
    state.jy = static_cast<float>(c * state.sy);
}

}  // namespace

namespace video {

// The viewport in the picture's own pixels: columns x0..x1 - 1, rows y0..y1 - 1 from the top.
void ViewportPixels(int dw, int dh, int& x0, int& y0, int& x1, int& y1) {
    const double kx = static_cast<double>(dw) / std::max(video::Shown().width, 1);
    const double ky = static_cast<double>(dh) / std::max(video::Shown().height, 1);
    x0 = static_cast<int>(std::lround(state.vpX * kx));
    x1 = static_cast<int>(std::lround((state.vpX + std::max(state.vpW, 0)) * kx));
    y0 = static_cast<int>(std::lround(state.vpY * ky));
    y1 = static_cast<int>(std::lround((state.vpY + std::max(state.vpH, 0)) * ky));
}

void ApplyScissor() {
    if (!video::Shown().gl) return;
    int px, py, dw, dh, fw, fh;
    PictureInDrawable(px, py, dw, dh);
    FullDrawableSize(fw, fh);
    int x0, y0, x1, y1;
    ViewportPixels(dw, dh, x0, y0, x1, y1);
    glScissor(px + x0, fh - py - y1, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
}

void ResetRenderState() {
    state = drawing::RenderState{};
    state.vpW = video::Shown().width;
    state.vpH = video::Shown().height;
    UpdateTransform();
    UpdateColour();
}

void ClearViewport() {
    drawing::Flush();
    if (!video::Shown().gl || display::Skipping()) return;
    glClearColor(state.clsR / 255.f, state.clsG / 255.f, state.clsB / 255.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace video

using video::ApplyScissor;
using video::ClearViewport;

namespace drawing {

RenderState& State() { return state; }


void AddState(rig::Record& record, const float* handle) {
    record.addList("rgb", {state.r, state.g, state.b});
    record.add("alpha", state.alpha / 255.0);
    record.add("blend", state.blend);
    record.add("rot", static_cast<double>(state.rotation));
    record.addList("scale", {static_cast<double>(state.sx), static_cast<double>(state.sy)});
    if (handle) record.addList("handle", {static_cast<double>(handle[0]), static_cast<double>(handle[1])});
    record.addList("origin", {static_cast<double>(state.originX), static_cast<double>(state.originY)});
    record.addList("viewport", {state.vpX, state.vpY, state.vpW, state.vpH});
}

}  // namespace drawing

void Cls() {
    if (rig::Tracing()) {
        rig::Record r("cls");
        r.addList("rgb", {state.clsR, state.clsG, state.clsB});
        r.emit();
    }
    ClearViewport();
}

void SetBlend(int mode) { state.blend = mode; }
int GetBlend() { return state.blend; }

void SetColor(int r, int g, int b) {
    state.r = ClampByte(r);
    state.g = ClampByte(g);
    state.b = ClampByte(b);
    UpdateColour();
}
void GetColor(int& r, int& g, int& b) {
    r = state.r;
    g = state.g;
    b = state.b;
}

void SetAlpha(float alpha) {
    // NaN fails both comparisons and ends as 0.
    const float a = alpha >= 1.f ? 1.f : (alpha > 0.f ? alpha : 0.f);
    state.alpha = static_cast<uint8_t>(a * 255.f);
    UpdateColour();
}
float GetAlpha() { return state.alpha / 255.f; }

void SetClsColor(int r, int g, int b) {
    state.clsR = ClampByte(r);
    state.clsG = ClampByte(g);
    state.clsB = ClampByte(b);
}
void GetClsColor(int& r, int& g, int& b) {
    r = state.clsR;
    g = state.clsG;
    b = state.clsB;
}

void SetLineWidth(float width) { state.lineWidth = width; }
float GetLineWidth() { return state.lineWidth; }

void SetRotation(float degrees) {
    state.rotation = degrees;
    UpdateTransform();
}
float GetRotation() { return state.rotation; }

void SetScale(float sx, float sy) {
    state.sx = sx;
    state.sy = sy;
    UpdateTransform();
}
void GetScale(float& sx, float& sy) {
    sx = state.sx;
    sy = state.sy;
}

void SetTransform(float degrees, float sx, float sy) {
    state.rotation = degrees;
    state.sx = sx;
    state.sy = sy;
    UpdateTransform();
}

void SetMaskColor(int r, int g, int b) {
    state.maskR = ClampByte(r);
    state.maskG = ClampByte(g);
    state.maskB = ClampByte(b);
}
void GetMaskColor(int& r, int& g, int& b) {
    r = state.maskR;
    g = state.maskG;
    b = state.maskB;
}

void SetViewport(int x, int y, int w, int h) {
    drawing::Flush();
    state.vpX = x;
    state.vpY = y;
    state.vpW = w;
    state.vpH = h;
    ApplyScissor();
}
void GetViewport(int& x, int& y, int& w, int& h) {
    x = state.vpX;
    y = state.vpY;
    w = state.vpW;
    h = state.vpH;
}

void SetOrigin(float x, float y) {
    state.originX = x;
    state.originY = y;
}
void GetOrigin(float& x, float& y) {
    x = state.originX;
    y = state.originY;
}

void FlushDrawing() { drawing::Flush(); }

