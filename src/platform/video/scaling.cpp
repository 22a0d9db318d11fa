// Drawing small and scaling: the offscreen target the picture is drawn into, and the one
// pass that shows it in the window (with the letterbox's bars).
#include "platform/video/scaling.h"

#include "platform/video/drawing.h"
#include "platform/video/render.h"
#include "platform/video/video_internal.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

namespace {

DrawSize chosen = DrawSize::Auto;

// The framebuffer calls are not in OpenGL 1.1's headers' prototypes: taken from the
// driver when a target is first made.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC gen = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC remove = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bind = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DPROC attach = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC status = nullptr;
    bool asked = false, usable = false;
    bool Usable() {
        if (!asked) usable = Load();
        asked = true;
        return usable;
    }
    bool Load() {
        gen = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glGenFramebuffers"));
        remove = reinterpret_cast<PFNGLDELETEFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glDeleteFramebuffers"));
        bind = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
        attach = reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DPROC>(SDL_GL_GetProcAddress("glFramebufferTexture2D"));
        status = reinterpret_cast<PFNGLCHECKFRAMEBUFFERSTATUSPROC>(SDL_GL_GetProcAddress("glCheckFramebufferStatus"));
        return gen && remove && bind && attach && status;
    }
};
FramebufferCalls fb;

// The scaling pass's fragment program: the texel as it is, read at the texture
// coordinate as interpolated. Mesa's software renderer has a fast path for such a copy
// from a BGRA texture into a BGRA buffer (less than half the cost of the scaling pass at
// 1920x1080) that it does not take for the fixed-function texture stage, which computes
// the same. Its bilinear filter rounds a little differently: at most a few units per
// channel, a fifth of a unit darker on average.
constexpr char kScaleProgram[] = "!!ARBfp1.0\nTEX result.color, fragment.texcoord[0], texture[0], 2D;\nEND\n";

struct ProgramCalls {
    PFNGLGENPROGRAMSARBPROC gen = nullptr;
    PFNGLDELETEPROGRAMSARBPROC remove = nullptr;
    PFNGLBINDPROGRAMARBPROC bind = nullptr;
    PFNGLPROGRAMSTRINGARBPROC source = nullptr;
    bool Load() {
        if (!SDL_GL_ExtensionSupported("GL_ARB_fragment_program")) return false;
        gen = reinterpret_cast<PFNGLGENPROGRAMSARBPROC>(SDL_GL_GetProcAddress("glGenProgramsARB"));
        remove = reinterpret_cast<PFNGLDELETEPROGRAMSARBPROC>(SDL_GL_GetProcAddress("glDeleteProgramsARB"));
        bind = reinterpret_cast<PFNGLBINDPROGRAMARBPROC>(SDL_GL_GetProcAddress("glBindProgramARB"));
        source = reinterpret_cast<PFNGLPROGRAMSTRINGARBPROC>(SDL_GL_GetProcAddress("glProgramStringARB"));
        return gen && remove && bind && source;
    }
};
ProgramCalls programs;
GLuint scaleProgram = 0;  // of the current context; 0: the fixed-function pipeline scales

// Makes the scaling pass's program in the current context; 0 when the driver has none.
GLuint MakeScaleProgram() {
    if (!programs.Load()) return 0;
    // Errors left by earlier calls must not be taken for the program's.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) continue;
    GLuint id = 0;
    programs.gen(1, &id);
    programs.bind(GL_FRAGMENT_PROGRAM_ARB, id);
    programs.source(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB, sizeof kScaleProgram - 1, kScaleProgram);
    if (glGetError() != GL_NO_ERROR) {
        programs.remove(1, &id);
        return 0;
    }
    return id;
}

constexpr int kVirtualW = 1024, kVirtualH = 768;


}  // namespace

void SetDrawSize(DrawSize mode) { chosen = mode; }
DrawSize GetDrawSize() { return chosen; }
bool DrawingSmall() { return video::Shown().target != 0; }

bool SoftwareRenderer(const std::string& name) {
    return name.find("llvmpipe") != std::string::npos || name.find("softpipe") != std::string::npos;
}

std::string RendererName() {
    if (!video::Shown().gl) return {};
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return name ? name : "";
}

namespace video {

bool OpenScaledTarget() {
    Display& d = Shown();
    int x, y, w, h;
    PictureInWindow(x, y, w, h);
    if (w <= kVirtualW && h <= kVirtualH) return false;  // small already: drawn as always
    if (chosen == DrawSize::Window) return false;
    // Automatic draws small only on a software renderer, which pays for every pixel; a
    // graphics card draws the window's pixels for free and keeps its sharpness.
    if (chosen == DrawSize::Auto && !SoftwareRenderer(RendererName())) return false;
    if (!fb.Usable()) return false;
    const int tw = std::min(w, kVirtualW), th = std::min(h, kVirtualH);
    GLuint texture = 0, target = 0;
    glGenTextures(1, &texture);
    gfx::ApplyTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    // The target is kept in the window's own byte order (BGRA): Mesa's software renderer
    // takes its fast paths (fills, untextured blends, the scaling pass's copy) only into
    // and out of such a buffer. A sized GL_RGBA8 makes the driver choose RGBA whatever the
    // pixels are given as; the unsized GL_RGBA lets it follow the BGRA given.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, tw, th, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, 0);
    ForgetGLState();
    fb.gen(1, &target);
    fb.bind(GL_FRAMEBUFFER, target);
    fb.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    if (fb.status(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        fb.bind(GL_FRAMEBUFFER, 0);
        fb.remove(1, &target);
        glDeleteTextures(1, &texture);
        ForgetGLState();
        return false;
    }
    scaleProgram = MakeScaleProgram();
    d.target = target;
    d.targetTexture = texture;
    d.targetW = tw;
    d.targetH = th;
    d.composed = false;
    return true;
}

void CloseScaledTarget() {
    Display& d = Shown();
    if (!d.target) return;
    fb.bind(GL_FRAMEBUFFER, 0);
    GLuint target = d.target, texture = d.targetTexture;
    fb.remove(1, &target);
    glDeleteTextures(1, &texture);
    if (scaleProgram) programs.remove(1, &scaleProgram);
    scaleProgram = 0;
    d.target = d.targetTexture = 0;
    d.targetW = d.targetH = 0;
    ForgetGLState();
}

void ComposeScaled() {
    Display& d = Shown();
    if (!d.target || d.composed) return;
    drawing::Flush();
    fb.bind(GL_FRAMEBUFFER, 0);
    int fw, fh, px, py, pw, ph;
    WindowDrawableSize(fw, fh);
    PictureInWindow(px, py, pw, ph);
    glViewport(0, 0, fw, fh);
    glScissor(px, fh - py - ph, pw, ph);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, fw, fh, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gfx::ApplyBlend(SOLIDBLEND);
    gfx::ApplyTexture(d.targetTexture);
    // The target's rows run bottom-up, as GL's do.
    const float x0 = static_cast<float>(px), y0 = static_cast<float>(py);
    const float x1 = static_cast<float>(px + pw), y1 = static_cast<float>(py + ph);
    // The texels as they are: no colour to multiply them by (a third less work for a
    // software renderer).
    if (scaleProgram) {
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
        programs.bind(GL_FRAGMENT_PROGRAM_ARB, scaleProgram);
    } else {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    }
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(x0, y0);
    glTexCoord2f(1, 1);
    glVertex2f(x1, y0);
    glTexCoord2f(1, 0);
    glVertex2f(x1, y1);
    glTexCoord2f(0, 0);
    glVertex2f(x0, y1);
    glEnd();
    if (scaleProgram)
        glDisable(GL_FRAGMENT_PROGRAM_ARB);
    else
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    // The target's texture must not stay bound while the next frame draws into it: a
    // driver then has to guard every draw against reading what it writes.
    glBindTexture(GL_TEXTURE_2D, 0);
    ForgetGLState();
    PaintBars();
    d.composed = true;
}

void ResumeScaled() {
    Display& d = Shown();
    if (!d.target) return;
    fb.bind(GL_FRAMEBUFFER, d.target);
    glViewport(0, 0, d.targetW, d.targetH);
    ApplyScissor();
    d.composed = false;
}

}  // namespace video
