#pragma once
// The video room's own header: what its files share (the display, the render state, the
// GL state cache and the batching of primitives). Nothing outside the video room
// includes it.
#include "platform/video/drawing.h"
#include "platform/video/letterbox.h"

struct SDL_Window;
typedef void* SDL_GLContext;

namespace video {

// ---- display.cpp
// The open display. The game computes with the logical screen (width x height): the
// picture's size when the run is live, the recorded one when it is replayed. The window
// shows it in its picture box, which may be of another size (a replay in another
// window) and may sit between black bars (the 4:3 shape kept).
struct Display {
    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
    int width = 0, height = 0;     // the logical screen
    int windowW = 0, windowH = 0;  // the whole window
    TPictureBox box;               // where the picture lies in the window
    int hz = 0;
    int generation = 0;
    int driverFlags = 2;
    int swapInterval = -1;  // last value given to SDL, -1 unknown
    float virtW = 0, virtH = 0;
    // Drawing small (scaling.h): the offscreen target the picture is drawn into and its
    // size, or 0 when it is drawn straight into the window; whether this frame's target
    // has been scaled onto the window yet.
    unsigned target = 0, targetTexture = 0;
    int targetW = 0, targetH = 0;
    bool composed = false;
};
Display& Shown();
// What drawing goes into: the whole drawable in pixels (the window's, or the offscreen
// target's), and the picture's rectangle in it (top-left origin).
void FullDrawableSize(int& w, int& h);
void PictureInDrawable(int& x, int& y, int& w, int& h);
// The window's own drawable and the picture's rectangle in it, whatever is drawn into.
void WindowDrawableSize(int& w, int& h);
void PictureInWindow(int& x, int& y, int& w, int& h);
// Where the picture lies in a window of that size: the whole window, or its centred 4:3
// box when the shape is kept.
TPictureBox PictureBoxOf(int windowW, int windowH);
// Follows the window's size as SDL now reports it: the picture box, the offscreen target
// and the projection are made again for it. The logical screen stays as it is.
void FollowWindowSize();
// With the 4:3 shape kept on a screen of another shape: black on both sides of the box.
void PaintBars();

// ---- scaling.cpp
// Makes and binds the offscreen target when this display draws small; false when it
// draws into the window.
bool OpenScaledTarget();
void CloseScaledTarget();
// Scales the target onto the window (once a frame) and paints the bars; the window's
// framebuffer is bound afterwards.
void ComposeScaled();
// Binds the target again for the next frame's drawing.
void ResumeScaled();

// ---- render_state.cpp
// The render state's defaults, with the viewport over the whole logical screen.
void ResetRenderState();
// The GL scissor from the viewport (logical pixels) onto the picture's drawable pixels.
void ApplyScissor();
// Fills the viewport with the clear colour (flushing what is pending first).
void ClearViewport();
// The viewport in the picture's own pixels (dw x dh): columns x0..x1 - 1, rows y0..y1 - 1
// from the top.
void ViewportPixels(int dw, int dh, int& x0, int& y0, int& x1, int& y1);

// ---- gl_state.cpp
// One-time GL set-up of a new context: everything not driven per draw.
void InitContextState();
// The context is gone: nothing of the cache holds any more.
void ForgetGLState();

}  // namespace video

namespace gfx {

// The current colour and alpha of new vertices, from the render state.
void SetVertexColour(int r, int g, int b, uint8_t alpha);
// Drops every pending primitive without drawing it (a new display).
void DiscardBatches();
// True once the batches are gone at program exit (images held in statics may still free
// their textures then).
bool BatchesGone();
// True when a pending primitive reads the texture.
bool BatchUsesTexture(unsigned id);

// gl_state.cpp: applies a blend mode / binds a texture (0 = untextured) through the GL
// state cache; sets the line width and point size.
void ApplyBlend(int mode);
void ApplyTexture(unsigned id);
void ApplyLineWidth(float width);
void ApplyPointSize(float size);
// gl_state.cpp: the filters of the bound texture.
void ApplyFilters(bool filtered, bool mipmapped);
// gl_state.cpp: the picture's pixels per virtual unit, and the pixels drawing may change
// (the clipping rectangle within the picture; inclusive, empty when x0 > x1).
struct PixelGrid {
    float kx = 1, ky = 1;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
PixelGrid Grid();

}  // namespace gfx
