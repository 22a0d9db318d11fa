#include "output.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <stdexcept>

namespace assetgen {

namespace {
std::string outDir = "data";
std::mutex mutex;
std::vector<Thumb> thumbs;
int done = 0;

void Check(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("cannot write " + what);
}

void KeepThumb(const Canvas& c, const std::string& rel) {
    double s = std::min({1.0, 200.0 / c.width(), 150.0 / c.height()});
    int tw = std::max(1, static_cast<int>(c.width() * s));
    int th = std::max(1, static_cast<int>(c.height() * s));
    cairo_surface_t* t = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, tw, th);
    cairo_t* cr = cairo_create(t);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, c.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    std::lock_guard<std::mutex> lock(mutex);
    thumbs.push_back({rel, c.width(), c.height(), t});
}
}  // namespace

void SetOutputDir(const std::string& dir) { outDir = dir; }
const std::string& OutputDir() { return outDir; }

std::string OutPath(const std::string& rel) {
    std::filesystem::path p = std::filesystem::path(outDir) / rel;
    std::filesystem::create_directories(p.parent_path());
    return p.string();
}

void Progress(const std::string& kind, const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex);
    ++done;
    static const auto start = std::chrono::steady_clock::now();
    double t = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[assetgen %3d %5.1fs] %s: %s\n", done, t, kind.c_str(), name.c_str());
    std::fflush(stdout);
}

TPixmapPtr CanvasPixmap(const Canvas& c, bool opaque) {
    cairo_surface_flush(c.surface());
    const unsigned char* data = cairo_image_surface_get_data(c.surface());
    int stride = cairo_image_surface_get_stride(c.surface());
    TPixmapPtr pm = CreatePixmap(c.width(), c.height(), opaque ? PF_RGB888 : PF_RGBA8888);
    for (int y = 0; y < c.height(); ++y) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(data + y * stride);
        uint8_t* dst = pm->row(y);
        for (int x = 0; x < c.width(); ++x) {
            uint32_t p = src[x];
            unsigned a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            if (opaque) {
                // Opaque pictures are drawn over an opaque base; fold any leftover
                // coverage onto black and keep clear of the mask colour.
                if (r == 0 && g == 0 && b == 0) r = g = b = 1;
                dst[0] = static_cast<uint8_t>(r);
                dst[1] = static_cast<uint8_t>(g);
                dst[2] = static_cast<uint8_t>(b);
                dst += 3;
            } else {
                if (a != 0 && a != 255) {  // un-premultiply
                    r = std::min(255u, (r * 255 + a / 2) / a);
                    g = std::min(255u, (g * 255 + a / 2) / a);
                    b = std::min(255u, (b * 255 + a / 2) / a);
                }
                if (a == 0) r = g = b = 0;
                dst[0] = static_cast<uint8_t>(r);
                dst[1] = static_cast<uint8_t>(g);
                dst[2] = static_cast<uint8_t>(b);
                dst[3] = static_cast<uint8_t>(a);
                dst += 4;
            }
        }
    }
    return pm;
}

void SavePng(const Canvas& c, const std::string& rel, bool opaque) {
    TPixmapPtr pm = CanvasPixmap(c, opaque);
    Check(SavePixmapPNG(*pm, OutPath(rel), 6), rel);
    KeepThumb(c, rel);
    Progress("picture", rel);
}

void SaveJpeg(const Canvas& c, const std::string& rel, int quality) {
    TPixmapPtr pm = CanvasPixmap(c, true);
    Check(SavePixmapJPEG(*pm, OutPath(rel), quality), rel);
    KeepThumb(c, rel);
    Progress("picture", rel);
}

const std::vector<Thumb>& Thumbs() { return thumbs; }

void SaveWav(const std::string& rel, const std::vector<int16_t>& samples, int channels) {
    std::FILE* f = std::fopen(OutPath(rel).c_str(), "wb");
    Check(f != nullptr, rel);
    auto u32 = [&](uint32_t v) {
        unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                              static_cast<unsigned char>(v >> 16),
                              static_cast<unsigned char>(v >> 24)};
        std::fwrite(b, 1, 4, f);
    };
    auto u16 = [&](uint16_t v) {
        unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8)};
        std::fwrite(b, 1, 2, f);
    };
    const uint32_t rate = 44100, bytes = static_cast<uint32_t>(samples.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    u32(36 + bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    u32(16);
    u16(1);
    u16(static_cast<uint16_t>(channels));
    u32(rate);
    u32(rate * 2 * channels);
    u16(static_cast<uint16_t>(2 * channels));
    u16(16);
    std::fwrite("data", 1, 4, f);
    u32(bytes);
    for (int16_t s : samples) u16(static_cast<uint16_t>(s));
    Check(std::fclose(f) == 0, rel);
    Progress("sound", rel);
}

}  // namespace assetgen
