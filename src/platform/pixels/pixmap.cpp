// Pixmaps: the six pixel formats, conversion between them, and loading a picture by its
// content (the PNG and JPEG codecs are png.cpp and jpeg.cpp).
//
// Sections: formats and pixel access | copy, paste, convert | loading by content
#include "platform/base/text.h"
#include "platform/pixels/pixels_internal.h"
#include "platform/pixels/pixmap.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

namespace pixels {

bool SizeAcceptable(uint64_t w, uint64_t h) {
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

std::string SizeText(uint64_t w, uint64_t h) { return std::to_string(w) + "x" + std::to_string(h); }

}  // namespace pixels

using pixels::SizeAcceptable;

// ---------------------------------------------------------------- formats and pixel access

int BytesPerPixel(int format) {
    switch (format) {
    case PF_I8:
    case PF_A8: return 1;
    case PF_BGR888:
    case PF_RGB888: return 3;
    case PF_BGRA8888:
    case PF_RGBA8888: return 4;
    default: return 0;
    }
}

bool FormatHasAlpha(int format) {
    return format == PF_A8 || format == PF_BGRA8888 || format == PF_RGBA8888;
}

namespace {

inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

inline uint32_t Decode(const uint8_t* p, int format) {
    switch (format) {
    case PF_I8: return Argb(255, p[0], p[0], p[0]);
    case PF_A8: return Argb(p[0], 255, 255, 255);
    case PF_BGR888: return Argb(255, p[2], p[1], p[0]);
    case PF_RGB888: return Argb(255, p[0], p[1], p[2]);
    case PF_BGRA8888: return Argb(p[3], p[2], p[1], p[0]);
    case PF_RGBA8888: return Argb(p[3], p[0], p[1], p[2]);
    default: return 0;
    }
}

inline void Encode(uint8_t* p, int format, uint32_t argb) {
    const uint8_t a = argb >> 24, r = argb >> 16, g = argb >> 8, b = argb;
    switch (format) {
    case PF_I8: p[0] = static_cast<uint8_t>((r + g + b) / 3); break;
    case PF_A8: p[0] = a; break;
    case PF_BGR888: p[0] = b; p[1] = g; p[2] = r; break;
    case PF_RGB888: p[0] = r; p[1] = g; p[2] = b; break;
    case PF_BGRA8888: p[0] = b; p[1] = g; p[2] = r; p[3] = a; break;
    case PF_RGBA8888: p[0] = r; p[1] = g; p[2] = b; p[3] = a; break;
    default: break;
    }
}

}  // namespace

uint32_t TPixmap::ReadPixel(int x, int y) const {
    const int bpp = BytesPerPixel(format);
    if (x < 0 || y < 0 || x >= width || y >= height || bpp == 0) return 0;
    const size_t at = static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * bpp;
    if (at + bpp > pixels.size()) return 0;
    return Decode(pixels.data() + at, format);
}

void TPixmap::WritePixel(int x, int y, uint32_t argb) {
    const int bpp = BytesPerPixel(format);
    if (x < 0 || y < 0 || x >= width || y >= height || bpp == 0) return;
    const size_t at = static_cast<size_t>(y) * pitch + static_cast<size_t>(x) * bpp;
    if (at + bpp > pixels.size()) return;
    Encode(pixels.data() + at, format, argb);
}

void TPixmap::ClearPixels(uint32_t argb) {
    const int bpp = BytesPerPixel(format);
    if (bpp == 0 || width <= 0 || height <= 0) return;
    uint8_t one[4];
    Encode(one, format, argb);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = row(y);
        for (int x = 0; x < width; ++x, p += bpp) std::memcpy(p, one, bpp);
    }
}

TPixmapPtr CreatePixmap(int width, int height, int format, int align) {
    const int bpp = BytesPerPixel(format);
    if (width <= 0 || height <= 0 || bpp == 0 || !SizeAcceptable(width, height)) return nullptr;
    if (align < 1) align = 1;
    auto p = std::make_shared<TPixmap>();
    p->width = width;
    p->height = height;
    p->format = format;
    p->pitch = (width * bpp + align - 1) / align * align;
    p->pixels.assign(static_cast<size_t>(p->pitch) * height, 0);
    return p;
}

// ---------------------------------------------------------------- copy, paste, convert

TPixmapPtr PixmapWindow(const TPixmap& src, int x, int y, int w, int h) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, src.width), y1 = std::min(y + h, src.height);
    if (x1 <= x0 || y1 <= y0) return nullptr;
    auto out = CreatePixmap(x1 - x0, y1 - y0, src.format);
    if (!out) return nullptr;
    const int bpp = BytesPerPixel(src.format);
    for (int yy = y0; yy < y1; ++yy)
        std::memcpy(out->row(yy - y0), src.row(yy) + static_cast<size_t>(x0) * bpp,
                    static_cast<size_t>(x1 - x0) * bpp);
    return out;
}

TPixmapPtr CopyPixmap(const TPixmap& src) {
    if (BytesPerPixel(src.format) == 0 || src.width <= 0 || src.height <= 0) return nullptr;
    return std::make_shared<TPixmap>(src);
}

namespace {

// Row converters for the conversions every loaded picture goes through (to RGBA for its
// texture); they give what the pixel-by-pixel path through 0xAARRGGBB gives.
using RowConverter = void (*)(const uint8_t* s, uint8_t* d, int n);

RowConverter ToRgbaRow(int from) {
    switch (from) {
    case PF_RGB888:
        return [](const uint8_t* s, uint8_t* d, int n) {
            for (int i = 0; i < n; ++i, s += 3, d += 4) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
                d[3] = 255;
            }
        };
    case PF_BGR888:
        return [](const uint8_t* s, uint8_t* d, int n) {
            for (int i = 0; i < n; ++i, s += 3, d += 4) {
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
                d[3] = 255;
            }
        };
    case PF_BGRA8888:
        return [](const uint8_t* s, uint8_t* d, int n) {
            for (int i = 0; i < n; ++i, s += 4, d += 4) {
                d[0] = s[2];
                d[1] = s[1];
                d[2] = s[0];
                d[3] = s[3];
            }
        };
    case PF_I8:
        return [](const uint8_t* s, uint8_t* d, int n) {
            for (int i = 0; i < n; ++i, ++s, d += 4) {
                d[0] = d[1] = d[2] = s[0];
                d[3] = 255;
            }
        };
    case PF_A8:
        return [](const uint8_t* s, uint8_t* d, int n) {
            for (int i = 0; i < n; ++i, ++s, d += 4) {
                d[0] = d[1] = d[2] = 255;
                d[3] = s[0];
            }
        };
    default: return nullptr;
    }
}

}  // namespace

void PastePixmap(const TPixmap& src, TPixmap& dst, int x, int y) {
    const int sb = BytesPerPixel(src.format), db = BytesPerPixel(dst.format);
    if (sb == 0 || db == 0) return;
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(dst.width, x + src.width), y1 = std::min(dst.height, y + src.height);
    if (x1 <= x0 || y1 <= y0) return;
    const RowConverter fast = dst.format == PF_RGBA8888 ? ToRgbaRow(src.format) : nullptr;
    for (int dy = y0; dy < y1; ++dy) {
        const uint8_t* s = src.row(dy - y) + static_cast<size_t>(x0 - x) * sb;
        uint8_t* d = dst.row(dy) + static_cast<size_t>(x0) * db;
        if (src.format == dst.format) {
            std::memcpy(d, s, static_cast<size_t>(x1 - x0) * sb);
            continue;
        }
        if (fast) {
            fast(s, d, x1 - x0);
            continue;
        }
        for (int dx = x0; dx < x1; ++dx, s += sb, d += db) Encode(d, dst.format, Decode(s, src.format));
    }
}

TPixmapPtr ConvertPixmap(const TPixmap& src, int format) {
    auto out = CreatePixmap(src.width, src.height, format);
    if (!out) return nullptr;
    PastePixmap(src, *out, 0, 0);
    return out;
}

// ---------------------------------------------------------------- loading by content

TPixmapPtr LoadPixmapFromMemory(const uint8_t* data, size_t size, std::string* problem) {
    std::string why;
    TPixmapPtr out;
    if (!data || size == 0)
        why = "empty file";
    else if (pixels::IsPng(data, size))
        out = pixels::DecodePng(data, size, why);
    else if (pixels::IsJpeg(data, size))
        out = pixels::DecodeJpeg(data, size, why);
    else
        why = "not a PNG or JPEG picture";
    if (!out && problem) *problem = why.empty() ? "unreadable picture" : why;
    return out;
}

TPixmapPtr LoadPixmap(const std::string& path, std::string* problem) {
    std::ifstream in(NativePath(path), std::ios::binary);
    if (!in) {
        if (problem) *problem = "missing";
        return nullptr;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        if (problem) *problem = "could not be read";
        return nullptr;
    }
    return LoadPixmapFromMemory(bytes.data(), bytes.size(), problem);
}
