#pragma once
// What the video room offers the pictures room: the render state, batching of
// primitives and textures. Game code never includes this; it draws through render.h and
// the pictures room.
#include "platform/pixels/pixmap.h"
#include "platform/session/trace.h"
#include "platform/video/render.h"

#include <cstdint>
#include <memory>

class TImageFont;
using TImageFontPtr = std::shared_ptr<TImageFont>;

namespace drawing {

// The one render state of the open display (defaults as after Graphics).
struct RenderState {
    int blend = MASKBLEND;
    int r = 255, g = 255, b = 255;
    uint8_t alpha = 255;  // Int(clamp(a, 0, 1) * 255)
    int clsR = 0, clsG = 0, clsB = 0;
    float lineWidth = 1;
    float rotation = 0, sx = 1, sy = 1;
    // Derived from rotation and scale: a point (x, y) relative to the pivot lands at
    // (x * ix + y * iy, x * jx + y * jy) relative to the draw position.
    float ix = 1, iy = 0, jx = 0, jy = 1;
    int vpX = 0, vpY = 0, vpW = 0, vpH = 0;  // logical screen pixels
    float originX = 0, originY = 0;
    int maskR = 0, maskG = 0, maskB = 0;
    TImageFontPtr font;  // nullptr: the built-in font
};
RenderState& State();

// True while a GL context exists (textures can be made and drawn).
bool ContextReady();
// True while drawing calls are to draw: a context exists and frames are shown (a follower
// hurrying to catch up shows none, and its drawing calls stop once traced).
bool WillDraw();

// ---- batching: consecutive primitives with the same texture, kind and blend mode
// are drawn with one call.
enum class Prim { Quads, Triangles, Lines, Points };
// How a texture samples: its size and filters, as MakeTexture made it.
struct Sampling {
    int width = 0, height = 0;  // 0: unknown, sampled as it is
    bool filtered = false, mipmapped = false;
};
// Starts one primitive; flushes the batch first when it cannot join it. texture 0 draws
// untextured; `opaque` says every texel of the texture has alpha 255. With the sampling
// given, a quad showing its texture one texel to a pixel samples it the cheapest way
// that gives the same pixels.
void Begin(Prim prim, unsigned texture, bool opaque = false, const Sampling& sampling = {});
// Appends a vertex with the current colour and alpha.
void Vertex(float x, float y, float u = 0, float v = 0);
// A quad whose corners are given relative to the pivot (x, y) + origin, under the
// current rotation and scale; (u0, v0)-(u1, v1) is the texture rectangle.
void TransformedQuad(float x, float y, float lx0, float ly0, float lx1, float ly1, float u0,
                     float v0, float u1, float v1);
// Draws what is pending. Called before anything that reads or changes GL state.
void Flush();

// ---- textures. Both need a context.
// A texture holding the pixmap (converted to RGBA when needed); 0 on failure.
unsigned MakeTexture(const TPixmap& pixmap, bool filtered, bool mipmapped);
// Replaces the pixels of a texture made by MakeTexture from a pixmap of the same size;
// false when it could not.
bool UpdateTexture(unsigned id, const TPixmap& pixmap);
// Deletes a texture of the current context (flushes first).
void DeleteTexture(unsigned id);

// ---- trace
// Appends the render state in force: rgb, alpha, blend, rot, scale, [handle], origin,
// viewport.
void AddState(rig::Record& record, const float* handle = nullptr);

}  // namespace drawing
