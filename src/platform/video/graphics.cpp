// The display and the render state on OpenGL's fixed-function pipeline.
//
// Sections: display | render state | GL state cache | textures | projection and viewport |
//           read-back and presenting | trace
//
// The shapes are drawn by graphics_primitives.cpp, and batched into few draw calls by
// graphics_batch.cpp.
#include "platform/base/errors.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/video/display.h"
#include "platform/video/drawing.h"
#include "platform/video/letterbox.h"
#include "platform/video/render.h"
#include "platform/video/video_internal.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

// gcc 12 warns falsely about overlapping copies inside std::string's operator+ when it
// inlines them at -O2 and above (its bug 105329); the trace text below is built that way.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

namespace {

// ---------------------------------------------------------------- display

struct Display {
    SDL_Window* window = nullptr;
    SDL_GLContext gl = nullptr;
    int width = 0, height = 0;  // picture size: the window, or its 4:3 box (letterbox.h)
    int windowW = 0, windowH = 0;  // the whole window
    int hz = 0;
    int generation = 0;
    int driverFlags = 2;
    int swapInterval = -1;  // last value given to SDL, -1 unknown
    float virtW = 0, virtH = 0;
};
Display shown;  // the open display (or none)
drawing::RenderState state;

// The whole drawable, in pixels.
void FullDrawableSize(int& w, int& h) {
    w = shown.windowW;
    h = shown.windowH;
    if (shown.window) SDL_GL_GetDrawableSize(shown.window, &w, &h);
    if (w <= 0) w = 1;
    if (h <= 0) h = 1;
}

// The picture's rectangle in drawable pixels (top-left origin): all of it, or the 4:3
// box when the shape is kept.
void PictureInDrawable(int& x, int& y, int& w, int& h) {
    int dw, dh;
    FullDrawableSize(dw, dh);
    const TPictureBox& box = letterbox::PictureBox();
    if (shown.windowW <= 0 || shown.windowH <= 0 ||
        (box.w >= shown.windowW && box.h >= shown.windowH)) {
        x = y = 0;
        w = dw;
        h = dh;
        return;
    }
    const double kx = static_cast<double>(dw) / shown.windowW, ky = static_cast<double>(dh) / shown.windowH;
    x = static_cast<int>(std::lround(box.x * kx));
    y = static_cast<int>(std::lround(box.y * ky));
    w = std::max(1, static_cast<int>(std::lround(box.w * kx)));
    h = std::max(1, static_cast<int>(std::lround(box.h * ky)));
}


// ---------------------------------------------------------------- GL state cache

struct GLCache {
    int blend = -1;            // blend mode as applied to GL
    unsigned texture = ~0u;    // bound texture (0 = texturing off)
    float lineWidth = -1;
    float pointSize = -1;
};
GLCache cache;

void ApplyBlendNow(int mode) {
    if (cache.blend == mode) return;
    cache.blend = mode;
    switch (mode) {
    case MASKBLEND:
        glDisable(GL_BLEND);
        glEnable(GL_ALPHA_TEST);
        glAlphaFunc(GL_GEQUAL, 0.5f);
        break;
    case ALPHABLEND:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        break;
    case LIGHTBLEND:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        break;
    case SHADEBLEND:
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        break;
    default:  // solid, and any unknown mode
        glDisable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
        break;
    }
}

int GLBlendKey(int mode) {
    return mode >= MASKBLEND && mode <= SHADEBLEND ? mode : SOLIDBLEND;
}

void ApplyTextureNow(unsigned id) {
    if (cache.texture == id) return;
    if (id == 0) {
        glDisable(GL_TEXTURE_2D);
    } else {
        if (cache.texture == 0 || cache.texture == ~0u) glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, id);
    }
    cache.texture = id;
}

void UpdateColour() { gfx::SetVertexColour(state.r, state.g, state.b, state.alpha); }

// ---------------------------------------------------------------- small helpers

int ClampByte(int v) { return std::clamp(v, 0, 255); }

void UpdateTransform() {
    const double r = state.rotation * M_PI / 180.0;
    const double c = std::cos(r), s = std::sin(r);
    state.ix = static_cast<float>(c * state.sx);
    state.iy = static_cast<float>(-s * state.sy);
    state.jx = static_cast<float>(s * state.sx);
    state.jy = static_cast<float>(c * state.sy);
}

// The viewport in the picture's own pixels: columns x0..x1 - 1, rows y0..y1 - 1 from the top.
void ViewportPixels(int dw, int dh, int& x0, int& y0, int& x1, int& y1) {
    const double kx = static_cast<double>(dw) / std::max(shown.width, 1);
    const double ky = static_cast<double>(dh) / std::max(shown.height, 1);
    x0 = static_cast<int>(std::lround(state.vpX * kx));
    x1 = static_cast<int>(std::lround((state.vpX + std::max(state.vpW, 0)) * kx));
    y0 = static_cast<int>(std::lround(state.vpY * ky));
    y1 = static_cast<int>(std::lround((state.vpY + std::max(state.vpH, 0)) * ky));
}

void ApplyScissor() {
    if (!shown.gl) return;
    int px, py, dw, dh, fw, fh;
    PictureInDrawable(px, py, dw, dh);
    FullDrawableSize(fw, fh);
    int x0, y0, x1, y1;
    ViewportPixels(dw, dh, x0, y0, x1, y1);
    glScissor(px + x0, fh - py - y1, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
}

void ResetRenderState() {
    state = drawing::RenderState{};
    state.vpW = shown.width;
    state.vpH = shown.height;
    UpdateTransform();
    UpdateColour();
}

// One-time GL set-up of a new context: everything we do not drive per draw.
void InitContextState() {
    cache = GLCache{};
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glEnable(GL_SCISSOR_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    ApplyBlendNow(GLBlendKey(state.blend));
    ApplyTextureNow(0);
}

void ClearViewport() {
    drawing::Flush();
    if (!shown.gl) return;
    glClearColor(state.clsR / 255.f, state.clsG / 255.f, state.clsB / 255.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace

// ---------------------------------------------------------------- drawing seams

namespace gfx {

void ApplyBlend(int mode) { ApplyBlendNow(mode); }
void ApplyTexture(unsigned id) { ApplyTextureNow(id); }

void ApplyLineWidth(float width) {
    if (cache.lineWidth == width) return;
    glLineWidth(std::max(width, 0.01f));
    cache.lineWidth = width;
}

void ApplyFilters(bool filtered, bool mipmapped) {
    const GLint mag = filtered ? GL_LINEAR : GL_NEAREST;
    GLint min = mag;
    if (mipmapped) min = filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
}

void ApplyPointSize(float size) {
    if (cache.pointSize == size) return;
    glPointSize(size);
    cache.pointSize = size;
}

PixelGrid Grid() {
    // The picture's own pixels: its box sits on whole pixels, so the grid is the same.
    int px, py, dw, dh;
    PictureInDrawable(px, py, dw, dh);
    PixelGrid g;
    g.kx = static_cast<float>(dw) / VirtualWidth();
    g.ky = static_cast<float>(dh) / VirtualHeight();
    ViewportPixels(dw, dh, g.x0, g.y0, g.x1, g.y1);
    // The projection's viewport is the picture: nothing lands outside it either.
    g.x0 = std::max(g.x0, 0);
    g.y0 = std::max(g.y0, 0);
    g.x1 = std::min(g.x1, dw) - 1;
    g.y1 = std::min(g.y1, dh) - 1;
    return g;
}

}  // namespace gfx

namespace drawing {

RenderState& State() { return state; }

bool ContextReady() { return shown.gl != nullptr; }

unsigned MakeTexture(const TPixmap& pixmap, bool filtered, bool mipmapped) {
    if (!shown.gl || pixmap.width <= 0 || pixmap.height <= 0) return 0;
    TPixmapPtr converted;
    const TPixmap* src = &pixmap;
    if (pixmap.format != PF_RGBA8888 || pixmap.pitch % 4 != 0) {
        converted = ConvertPixmap(pixmap, PF_RGBA8888);
        if (!converted) return 0;
        src = converted.get();
    }
    if (src->pixels.size() < static_cast<size_t>(src->pitch) * src->height) return 0;
    GLuint id = 0;
    glGenTextures(1, &id);
    if (id == 0) return 0;
    glBindTexture(GL_TEXTURE_2D, id);
    if (cache.texture == 0 || cache.texture == ~0u) glEnable(GL_TEXTURE_2D);
    cache.texture = id;
    gfx::ApplyFilters(filtered, mipmapped);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, mipmapped ? GL_TRUE : GL_FALSE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, src->pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, src->width, src->height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, src->pixels.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return id;
}

bool UpdateTexture(unsigned id, const TPixmap& pixmap) {
    if (!shown.gl || id == 0 || gfx::BatchesGone()) return false;
    TPixmapPtr converted;
    const TPixmap* src = &pixmap;
    if (pixmap.format != PF_RGBA8888 || pixmap.pitch % 4 != 0) {
        converted = ConvertPixmap(pixmap, PF_RGBA8888);
        if (!converted) return false;
        src = converted.get();
    }
    if (src->pixels.size() < static_cast<size_t>(src->pitch) * src->height) return false;
    // Quads waiting in the batch must still show the old pixels.
    if (gfx::BatchUsesTexture(id)) Flush();
    glBindTexture(GL_TEXTURE_2D, id);
    if (cache.texture == 0 || cache.texture == ~0u) glEnable(GL_TEXTURE_2D);
    cache.texture = id;
    // Mipmaps, when the texture has them, follow by GL_GENERATE_MIPMAP.
    glPixelStorei(GL_UNPACK_ROW_LENGTH, src->pitch / 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, src->width, src->height, GL_RGBA, GL_UNSIGNED_BYTE,
                    src->pixels.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    return true;
}

void DeleteTexture(unsigned id) {
    if (!shown.gl || id == 0 || gfx::BatchesGone()) return;
    Flush();
    GLuint gid = id;
    glDeleteTextures(1, &gid);
    if (cache.texture == id) cache.texture = ~0u;
}

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

// ---------------------------------------------------------------- display

namespace {
// With no display to open SDL falls back on drawing offscreen, and the game would run
// unseen; that is only right when asked for (--headless, or a driver named by the user).
// Asked of the video subsystem as it was just started.
bool UnseenUnasked() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool unseen = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
    const bool askedFor = session::Current().headless || SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr;
    return unseen && !askedFor;
}
}  // namespace

bool GLMax2DDriverAvailable() {
    if (journal::Replaying()) return journal::ReadDriver();
    bool available = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (available) {
        available = !UnseenUnasked();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    if (journal::Recording()) journal::WriteDriver(available);
    return available;
}

void SetGraphicsDriverFlags(int flags) { shown.driverFlags = flags; }

namespace {
bool OpenDisplay(int width, int height, int hz);
}

// Whether the mode opened and the window's size are outside facts: a replay opens the
// window the recording had, whatever this machine's resolucion.cfg asks for.
bool Graphics(int width, int height, int depth, int hz, int flags) {
    (void)depth;  // always 32-bit colour
    (void)flags;
    if (journal::Replaying()) {
        journal::DisplayFact fact = journal::ReadDisplay(width, height, hz);
        if (!fact.open) {
            EndGraphics();
            return false;
        }
        if (!OpenDisplay(fact.width, fact.height, hz))
            throw GameError("No se puede abrir la pantalla de " + std::to_string(fact.width) + "x" +
                            std::to_string(fact.height) + " que tenia la grabacion");
        if (shown.width != fact.width || shown.height != fact.height) {
            shown.width = fact.width;
            shown.height = fact.height;
            ResetRenderState();
            SetVirtualResolution(static_cast<float>(shown.width), static_cast<float>(shown.height));
        }
        return true;
    }
    journal::DisplayFact fact;
    fact.open = OpenDisplay(width, height, hz);
    fact.width = shown.width;
    fact.height = shown.height;
    if (journal::Recording()) journal::WriteDisplay(width, height, hz, fact);
    return fact.open;
}

namespace {
// Mesa's software rasteriser (llvmpipe) hands every frame to worker threads. For a small
// window the handing over and waking costs more than the drawing itself (half of a
// 64x48 frame), so there it draws on the calling thread; the pixels are the same either
// way. The driver reads the choice when the video subsystem starts it, once per opened
// display. A choice the user made in the environment is left alone.
constexpr long kSmallWindowPixels = 160 * 120;
void ChooseSoftwareRasterThreads(int width, int height) {
    static const bool userChose = std::getenv("LP_NUM_THREADS") != nullptr;
    if (userChose) return;
    if (static_cast<long>(width) * height <= kSmallWindowPixels)
        setenv("LP_NUM_THREADS", "0", 1);
    else
        unsetenv("LP_NUM_THREADS");
}

bool OpenDisplay(int width, int height, int hz) {
    if (shown.window) EndGraphics();
    if (width <= 0 || height <= 0) return false;
    ChooseSoftwareRasterThreads(width, height);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    // SDL chooses its driver again at every start: a display that went away since the
    // driver check must not leave the game drawing unseen.
    if (UnseenUnasked()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);

    const session::Options& options = session::Current();
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool offscreen = driver && std::strcmp(driver, "offscreen") == 0;
    const bool windowed = options.window || options.headless || offscreen;

    SDL_Window* window = SDL_CreateWindow("Frikipartida", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (!windowed) {
        SDL_DisplayMode mode{SDL_PIXELFORMAT_RGB888, width, height, hz, nullptr};
        if (SDL_SetWindowDisplayMode(window, &mode) != 0 ||
            SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
            SDL_DestroyWindow(window);
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return false;
        }
    }
    SDL_GLContext gl = SDL_GL_CreateContext(window);
    if (!gl) {
        SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_GL_MakeCurrent(window, gl);
    if (!options.headless) SDL_ShowWindow(window);

    shown.window = window;
    shown.gl = gl;
    SDL_GetWindowSize(window, &shown.windowW, &shown.windowH);
    const TPictureBox box = KeepAspect() ? FitFourThree(shown.windowW, shown.windowH)
                                         : TPictureBox{0, 0, shown.windowW, shown.windowH};
    letterbox::SetPictureBox(box, shown.windowW, shown.windowH);
    shown.width = box.w;
    shown.height = box.h;
    shown.hz = hz;
    shown.swapInterval = -1;
    ++shown.generation;
    gfx::DiscardBatches();

    ResetRenderState();
    InitContextState();
    SetVirtualResolution(static_cast<float>(shown.width), static_cast<float>(shown.height));
    // The two opening clears and flips are not the game's: they are not traced and not
    // counted as flips.
    for (int i = 0; i < 2; ++i) {
        ClearViewport();
        display::PresentFrame(false);
    }
    return true;
}
}  // namespace

void EndGraphics() {
    if (!shown.window) return;
    drawing::Flush();
    SDL_GL_MakeCurrent(shown.window, nullptr);
    SDL_GL_DeleteContext(shown.gl);
    SDL_DestroyWindow(shown.window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    shown.window = nullptr;
    shown.gl = nullptr;
    cache = GLCache{};
}

bool GraphicsOpen() { return shown.window != nullptr; }
int GraphicsWidth() { return shown.width; }
int GraphicsHeight() { return shown.height; }
int GraphicsGeneration() { return shown.generation; }

// ---------------------------------------------------------------- render state

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

// ---------------------------------------------------------------- projection

void SetVirtualResolution(float w, float h) {
    drawing::Flush();
    shown.virtW = w;
    shown.virtH = h;
    if (!shown.gl) return;
    int px, py, dw, dh, fw, fh;
    PictureInDrawable(px, py, dw, dh);
    FullDrawableSize(fw, fh);
    glViewport(px, fh - py - dh, dw, dh);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyScissor();
}

float VirtualWidth() { return shown.virtW > 0 ? shown.virtW : static_cast<float>(shown.width); }
float VirtualHeight() {
    return shown.virtH > 0 ? shown.virtH : static_cast<float>(shown.height);
}

// ---------------------------------------------------------------- read-back and presenting

namespace {

// Reads drawable pixels (top-left origin of the whole window) into an RGBA pixmap.
TPixmapPtr ReadWindowPixels(int x, int y, int w, int h) {
    drawing::Flush();
    if (!shown.gl || w <= 0 || h <= 0) return nullptr;
    int dw, dh;
    FullDrawableSize(dw, dh);
    auto out = CreatePixmap(w, h, PF_RGBA8888);
    if (!out) return nullptr;
    // Only the part inside the drawable is read; the rest stays transparent black.
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, dw), y1 = std::min(y + h, dh);
    if (x1 <= x0 || y1 <= y0) return out;
    std::vector<uint8_t> buf(static_cast<size_t>(x1 - x0) * (y1 - y0) * 4);
    glReadPixels(x0, dh - y1, x1 - x0, y1 - y0, GL_RGBA, GL_UNSIGNED_BYTE, buf.data());
    const size_t rowBytes = static_cast<size_t>(x1 - x0) * 4;
    for (int yy = y0; yy < y1; ++yy) {
        // GL rows run bottom-up.
        const uint8_t* src = buf.data() + static_cast<size_t>(y1 - 1 - yy) * rowBytes;
        uint8_t* dst = out->row(yy - y) + static_cast<size_t>(x0 - x) * 4;
        std::memcpy(dst, src, rowBytes);
        for (int i = 0; i < x1 - x0; ++i) dst[i * 4 + 3] = 255;  // the window is opaque
    }
    return out;
}

}  // namespace

TPixmapPtr GrabPixmap(int x, int y, int w, int h) {
    if (!shown.gl || w <= 0 || h <= 0) return nullptr;
    int ox, oy, dw, dh;
    PictureInDrawable(ox, oy, dw, dh);
    const double kx = dw / static_cast<double>(VirtualWidth());
    const double ky = dh / static_cast<double>(VirtualHeight());
    const int px = static_cast<int>(std::floor(x * kx)), py = static_cast<int>(std::floor(y * ky));
    const int pw = std::max(1, static_cast<int>(std::lround(w * kx)));
    const int ph = std::max(1, static_cast<int>(std::lround(h * ky)));
    auto pixels = ReadWindowPixels(ox + px, oy + py, pw, ph);
    if (!pixels || (pw == w && ph == h)) return pixels;
    // The window is not at the virtual resolution: resample to the size asked for.
    auto out = CreatePixmap(w, h, PF_RGBA8888);
    if (!out) return nullptr;
    for (int yy = 0; yy < h; ++yy) {
        const int sy = std::min(ph - 1, static_cast<int>(yy * static_cast<int64_t>(ph) / h));
        for (int xx = 0; xx < w; ++xx) {
            const int sx = std::min(pw - 1, static_cast<int>(xx * static_cast<int64_t>(pw) / w));
            std::memcpy(out->row(yy) + xx * 4, pixels->row(sy) + sx * 4, 4);
        }
    }
    return out;
}

namespace {

// With the 4:3 shape kept on a screen of another shape: black on both sides of the box.
void PaintBars() {
    if (!shown.gl) return;
    int px, py, pw, ph, fw, fh;
    PictureInDrawable(px, py, pw, ph);
    FullDrawableSize(fw, fh);
    if (pw >= fw && ph >= fh) return;
    const bool sideBars = pw < fw;  // else above and below
    const int bars[2][4] = {{0, 0, sideBars ? px : fw, sideBars ? fh : py},
                            {sideBars ? px + pw : 0, sideBars ? 0 : py + ph,
                             sideBars ? fw - px - pw : fw, sideBars ? fh : fh - py - ph}};
    glClearColor(0, 0, 0, 1);
    for (const auto& b : bars) {
        if (b[2] <= 0 || b[3] <= 0) continue;
        glScissor(b[0], fh - b[1] - b[3], b[2], b[3]);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    ApplyScissor();
}

}  // namespace

namespace display {

void PresentFrame(bool waitRetrace) {
    drawing::Flush();
    if (!shown.window) return;
    // Headless and virtual-clock runs never block on the retrace.
    const bool wait = waitRetrace && !session::Current().headless && !clockseam::IsVirtual();
    const int interval = wait ? 1 : 0;
    if (interval != shown.swapInterval) {
        SDL_GL_SetSwapInterval(interval);
        shown.swapInterval = interval;
    }
    // An offscreen surface is never shown, so nothing would make the driver finish the
    // frame: finish it here, so a frame's cost lands in that frame (frame times, benches).
    PaintBars();
    if (session::Current().headless) glFinish();
    SDL_GL_SwapWindow(shown.window);
}

bool SaveBackBufferPNG(const std::string& path) {
    if (!shown.gl) return false;
    int dw, dh;
    FullDrawableSize(dw, dh);  // the shot shows what the player sees, bars included
    auto pixels = ReadWindowPixels(0, 0, dw, dh);
    if (!pixels) return false;
    auto rgb = ConvertPixmap(*pixels, PF_RGB888);
    return rgb && SavePixmapPNG(*rgb, path);
}

SDL_Window* Window() { return shown.window; }

int RefreshRate() { return shown.hz; }

}  // namespace display
