// The display: opening and closing the window and its GL context, the logical screen the
// game computes with and the window it is shown in, the projection of the virtual screen
// onto the picture, reading pixels back, and presenting a finished frame.
//
// Sections: the display | opening and closing | projection | read-back and presenting
#include "platform/base/errors.h"
#include "platform/session/clock.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"
#include "platform/video/display.h"
#include "platform/video/drawing.h"
#include "platform/video/letterbox.h"
#include "platform/video/render.h"
#include "platform/video/retrace.h"
#include "platform/video/scaling.h"
#include "platform/video/video_internal.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

// gcc 12 warns falsely about overlapping copies inside std::string's operator+ when it
// inlines them at -O2 and above (its bug 105329); the trace text below is built that way.
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

// ---------------------------------------------------------------- the display

namespace {
video::Display shown;  // the open display (or none)
}  // namespace

namespace video {

Display& Shown() { return shown; }

void WindowDrawableSize(int& w, int& h) {
    w = shown.windowW;
    h = shown.windowH;
    if (shown.window) SDL_GL_GetDrawableSize(shown.window, &w, &h);
    if (w <= 0) w = 1;
    if (h <= 0) h = 1;
}

TPictureBox PictureBoxOf(int windowW, int windowH) {
    return KeepAspect() ? FitFourThree(windowW, windowH) : TPictureBox{0, 0, windowW, windowH};
}

void FollowWindowSize() {
    if (!shown.window) return;
    int w = 0, h = 0;
    SDL_GetWindowSize(shown.window, &w, &h);
    if (w <= 0 || h <= 0 || (w == shown.windowW && h == shown.windowH)) return;
    drawing::Flush();
    shown.windowW = w;
    shown.windowH = h;
    // The game goes on computing with its logical screen; only where it is shown moves.
    shown.box = PictureBoxOf(w, h);
    const bool small = shown.target != 0;
    CloseScaledTarget();
    if (OpenScaledTarget() && !small)
        std::printf("Dibujo reducido: %dx%d escalado a %dx%d (%s)\n", shown.targetW, shown.targetH, w, h,
                    RendererName().c_str());
    SetVirtualResolution(shown.virtW, shown.virtH);
}

void PictureInWindow(int& x, int& y, int& w, int& h) {
    int dw, dh;
    WindowDrawableSize(dw, dh);
    const TPictureBox& box = shown.box;
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

void FullDrawableSize(int& w, int& h) {
    if (shown.target) {
        w = shown.targetW;
        h = shown.targetH;
        return;
    }
    WindowDrawableSize(w, h);
}

void PictureInDrawable(int& x, int& y, int& w, int& h) {
    if (shown.target) {
        x = y = 0;
        w = shown.targetW;
        h = shown.targetH;
        return;
    }
    PictureInWindow(x, y, w, h);
}

}  // namespace video

using video::FullDrawableSize;
using video::PictureInDrawable;

namespace drawing {
bool ContextReady() { return shown.gl != nullptr; }
bool WillDraw() { return shown.gl != nullptr && !display::Skipping(); }

}  // namespace drawing

// ---------------------------------------------------------------- opening and closing

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

// An X server now and then refuses a new connection for a moment ("Resource temporarily
// unavailable", "Connection reset by peer"; Xvfb on a busy machine does it to one
// connection in ten). SDL then calls its driver unavailable, or falls back on drawing
// offscreen, and the start would open a smaller window or none at all. So the video
// subsystem is started again a few times, briefly apart, before the display counts as
// missing. False when it never started on a driver that shows the game.
constexpr int kVideoAttempts = 12;
constexpr int kVideoRetryMs = 25;
bool StartVideo() {
    for (int attempt = 0; attempt < kVideoAttempts; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(kVideoRetryMs));
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) continue;
        if (!UnseenUnasked()) return true;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    return false;
}
}  // namespace

bool GLMax2DDriverAvailable() {
    return journal::Driver([] {
        if (!StartVideo()) return false;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return true;
    });
}

void SetGraphicsDriverFlags(int flags) { shown.driverFlags = flags; }

namespace {
bool OpenDisplay(int width, int height, int hz);
}

// Whether the mode opened and the logical screen's size are outside facts. A replay
// shows the recording in the window this player asks for (resolucion.cfg, --window, the
// letterbox choice), or in one of the recording's size when that cannot be opened, and
// goes on computing with the recorded screen: the game sees the same session whatever
// the window.
bool Graphics(int width, int height, int depth, int hz, int flags) {
    (void)depth;  // always 32-bit colour
    (void)flags;
    const auto open = [&] {
        journal::DisplayFact fact;
        fact.open = OpenDisplay(width, height, hz);
        fact.width = shown.width;
        fact.height = shown.height;
        return fact;
    };
    const auto openRecorded = [&](const journal::DisplayFact& fact) {
        if (!fact.open) {
            EndGraphics();
            return;
        }
        if (!OpenDisplay(width, height, hz) && !OpenDisplay(fact.width, fact.height, hz))
            throw GameError("No se puede abrir la pantalla de " + std::to_string(fact.width) + "x" +
                            std::to_string(fact.height) + " que tenia la grabacion");
        if (shown.width != fact.width || shown.height != fact.height) {
            shown.width = fact.width;
            shown.height = fact.height;
            video::ResetRenderState();
            SetVirtualResolution(static_cast<float>(shown.width), static_cast<float>(shown.height));
        }
    };
    return journal::Display(width, height, hz, open, openRecorded).open;
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
    // SDL chooses its driver again at every start: a display that went away since the
    // driver check must not leave the game drawing unseen.
    if (!StartVideo()) return false;

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

    // Full screen, the window is made at the size of the mode it will be shown in. SDL
    // counts on the window manager to stretch a full-screen window over the mode; without
    // one (a bare X server, Xvfb) the window keeps the size it was made with, and a
    // 1024x768 window sat in the middle of a 1920x1080 screen showing a corner of the
    // picture while SDL reported the screen's size.
    SDL_DisplayMode mode{SDL_PIXELFORMAT_RGB888, width, height, hz, nullptr};
    int madeW = width, madeH = height;
    if (!windowed) {
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(0, &mode, &closest) || SDL_GetDesktopDisplayMode(0, &closest) == 0) {
            madeW = closest.w;
            madeH = closest.h;
        }
    }
    SDL_Window* window = SDL_CreateWindow("Frikipartida", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, madeW, madeH,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    if (!windowed) {
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
    // The window's size is read once the server has dealt with the showing (the size
    // SDL had in mind may not be the one the window got), and again at every flip after.
    SDL_PumpEvents();
    SDL_GetWindowSize(window, &shown.windowW, &shown.windowH);
    shown.box = video::PictureBoxOf(shown.windowW, shown.windowH);
    // Live, the logical screen is the picture; a replay sets the recorded one after this.
    shown.width = shown.box.w;
    shown.height = shown.box.h;
    shown.hz = hz;
    shown.swapInterval = -1;
    ++shown.generation;
    gfx::DiscardBatches();

    video::ResetRenderState();
    video::InitContextState();
    if (video::OpenScaledTarget())
        std::printf("Dibujo reducido: %dx%d escalado a %dx%d (%s)\n", shown.targetW, shown.targetH,
                    shown.windowW, shown.windowH, RendererName().c_str());
    SetVirtualResolution(static_cast<float>(shown.width), static_cast<float>(shown.height));
    // The two opening clears and flips are not the game's: they are not traced and not
    // counted as flips.
    for (int i = 0; i < 2; ++i) {
        video::ClearViewport();
        display::PresentFrame(false);
    }
    return true;
}
}  // namespace

void EndGraphics() {
    if (!shown.window) return;
    drawing::Flush();
    video::CloseScaledTarget();
    SDL_GL_MakeCurrent(shown.window, nullptr);
    SDL_GL_DeleteContext(shown.gl);
    SDL_DestroyWindow(shown.window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    shown.window = nullptr;
    shown.gl = nullptr;
    video::ForgetGLState();
}

bool GraphicsOpen() { return shown.window != nullptr; }
bool FrameWillBeSeen() { return drawing::WillDraw(); }
int GraphicsWidth() { return shown.width; }
int GraphicsHeight() { return shown.height; }
int GraphicsGeneration() { return shown.generation; }

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
    video::ApplyScissor();
}

float VirtualWidth() { return shown.virtW > 0 ? shown.virtW : static_cast<float>(shown.width); }
float VirtualHeight() {
    return shown.virtH > 0 ? shown.virtH : static_cast<float>(shown.height);
}

// ---------------------------------------------------------------- read-back and presenting

namespace {

// Reads pixels of the bound drawable of dw x dh (top-left origin) into an RGBA pixmap.
TPixmapPtr ReadPixels(int x, int y, int w, int h, int dw, int dh) {
    drawing::Flush();
    if (!shown.gl || w <= 0 || h <= 0) return nullptr;
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
    int fw, fh;
    FullDrawableSize(fw, fh);
    auto pixels = ReadPixels(ox + px, oy + py, pw, ph, fw, fh);
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

namespace video {

void PaintBars() {
    if (!shown.gl) return;
    int px, py, pw, ph, fw, fh;
    PictureInWindow(px, py, pw, ph);
    WindowDrawableSize(fw, fh);
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

}  // namespace video

namespace display {

namespace {
bool skipping = false;
video::RetracePacer pacer;
}  // namespace
void SetSkipping(bool skip) { skipping = skip; }
bool Skipping() { return skipping; }

void PresentFrame(bool waitRetrace) {
    drawing::Flush();
    if (!shown.window || skipping) {
        pacer.Unpaced();
        return;
    }
    // Virtual-clock runs and replays never block on the retrace. A headless run on the
    // real clock (a host serving its followers) keeps the display's pace like a window:
    // its frame timer paces it, as the offscreen swap waits for nothing.
    const bool live = !clockseam::IsVirtual() && !journal::Replaying();
    const bool wait = waitRetrace && !clockseam::IsVirtual() && (!session::Current().headless || live);
    // Headless, no swap ever waits: the frame timer paces from the first frame, and a
    // frame paced by Flip's own timer keeps the beat going rather than starting it again.
    const bool headlessLive = session::Current().headless && live;
    if (headlessLive && !pacer.Software()) pacer.DriverRefused();
    if (!wait && !headlessLive) pacer.Unpaced();
    // The driver waits for the retrace, or the frame timer does when the driver does not;
    // a network follower keeps the host's pace instead (net/compas.h).
    const int interval = wait && !pacer.Software() ? 1 : 0;
    const bool beat = wait && pacer.Software() && !session::FollowsStream();
    if (interval != shown.swapInterval) {
        if (SDL_GL_SetSwapInterval(interval) != 0 && interval == 1) pacer.DriverRefused();
        shown.swapInterval = interval;
    }
    if (shown.target)
        video::ComposeScaled();  // the picture drawn small, scaled onto the window, and the bars
    else
        video::PaintBars();
    // An offscreen surface is never shown, so nothing would make the driver finish the
    // frame: finish it here, so a frame's cost lands in that frame (frame times, benches).
    if (session::Current().headless) glFinish();
    if (beat) {
        // The frame is finished before its beat is waited for; else the renderer would
        // finish it in the swap, after the beat, later the more there is to draw.
        glFinish();
        const double ahead = pacer.WaitBefore(clockseam::MonotonicMs());
        if (ahead > 0) std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ahead));
    }
    SDL_GL_SwapWindow(shown.window);
    if (wait || headlessLive) pacer.Swapped(clockseam::MonotonicMs(), shown.hz);
    // The next frame is drawn for the window as it is now (the server may have resized it).
    video::FollowWindowSize();
    video::ResumeScaled();
}

bool SaveBackBufferPNG(const std::string& path) {
    if (!shown.gl) return false;
    // The shot shows what the player sees: the window, bars included (a picture drawn
    // small is scaled onto it first).
    video::ComposeScaled();
    int dw, dh;
    video::WindowDrawableSize(dw, dh);
    auto pixels = ReadPixels(0, 0, dw, dh, dw, dh);
    video::ResumeScaled();
    if (!pixels) return false;
    auto rgb = ConvertPixmap(*pixels, PF_RGB888);
    return rgb && SavePixmapPNG(*rgb, path);
}

SDL_Window* Window() { return shown.window; }

int RefreshRate() { return shown.hz; }

void WindowToLogical(int& x, int& y) {
    const TPictureBox& b = shown.box;
    if (b.w <= 0 || b.h <= 0) return;  // no display yet: nothing to measure from
    if (b.w < shown.windowW || b.h < shown.windowH) {
        // Beside a kept 4:3 picture: onto it, the bars mapping to its nearest edge.
        x = std::clamp(x - b.x, 0, b.w - 1);
        y = std::clamp(y - b.y, 0, b.h - 1);
    }
    if (b.w != shown.width) x = static_cast<int>(std::floor(static_cast<double>(x) * shown.width / b.w));
    if (b.h != shown.height) y = static_cast<int>(std::floor(static_cast<double>(y) * shown.height / b.h));
}

void LogicalToWindow(int& x, int& y) {
    const TPictureBox& b = shown.box;
    if (b.w <= 0 || b.h <= 0 || shown.width <= 0 || shown.height <= 0) return;
    if (b.w != shown.width) x = static_cast<int>(std::floor(static_cast<double>(x) * b.w / shown.width));
    if (b.h != shown.height) y = static_cast<int>(std::floor(static_cast<double>(y) * b.h / shown.height));
    if (b.w < shown.windowW || b.h < shown.windowH) {
        x += b.x;
        y += b.y;
    }
}

}  // namespace display
