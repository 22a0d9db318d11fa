// OpenGL's own state, driven through a small cache so that unchanged state costs no call:
// blending, the bound texture, line width and point size; textures made from pixmaps;
// the set-up of a new context.
#include "platform/video/drawing.h"
#include "platform/video/video_internal.h"

#include <SDL_opengl.h>

#include <algorithm>

namespace {

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

}  // namespace

namespace video {

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
    ApplyBlendNow(GLBlendKey(drawing::State().blend));
    ApplyTextureNow(0);
}

void ForgetGLState() { cache = GLCache{}; }

}  // namespace video

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
    video::PictureInDrawable(px, py, dw, dh);
    PixelGrid g;
    g.kx = static_cast<float>(dw) / VirtualWidth();
    g.ky = static_cast<float>(dh) / VirtualHeight();
    video::ViewportPixels(dw, dh, g.x0, g.y0, g.x1, g.y1);
    // The projection's viewport is the picture: nothing lands outside it either.
    g.x0 = std::max(g.x0, 0);
    g.y0 = std::max(g.y0, 0);
    g.x1 = std::min(g.x1, dw) - 1;
    g.y1 = std::min(g.y1, dh) - 1;
    return g;
}

}  // namespace gfx

namespace drawing {

unsigned MakeTexture(const TPixmap& pixmap, bool filtered, bool mipmapped) {
    if (!video::Shown().gl || pixmap.width <= 0 || pixmap.height <= 0) return 0;
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
    if (!video::Shown().gl || id == 0 || gfx::BatchesGone()) return false;
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
    if (!video::Shown().gl || id == 0 || gfx::BatchesGone()) return;
    Flush();
    GLuint gid = id;
    glDeleteTextures(1, &gid);
    if (cache.texture == id) cache.texture = ~0u;
}

}  // namespace drawing
