// PNG files: decoding through libpng's simplified API after checking the chunks are whole,
// and writing.
#include "platform/base/text.h"
#include "platform/pixels/pixels_internal.h"
#include "platform/pixels/pixmap.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using pixels::SizeAcceptable;
using pixels::SizeText;

namespace {

// Walks the chunk list up to IEND, adding up the compressed pixel data (IDAT) on the
// way. libpng stops reading once it has the pixels, so a file cut inside its last chunks
// would otherwise still load.
bool PngChunksComplete(const uint8_t* data, size_t size, uint64_t& pixelData) {
    size_t at = 8;
    pixelData = 0;
    while (size - at >= 12) {
        const uint32_t length = (uint32_t(data[at]) << 24) | (uint32_t(data[at + 1]) << 16) |
                                (uint32_t(data[at + 2]) << 8) | data[at + 3];
        if (length > 0x7FFFFFFFu || length > size - at - 12) return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) return true;
        if (std::memcmp(data + at + 4, "IDAT", 4) == 0) pixelData += length;
        at += 12 + static_cast<size_t>(length);
    }
    return false;
}

// One byte of deflate data comes out as at most 1032 bytes (runs of one value), and a
// row of the smallest pixels (one bit) takes (width + 7) / 8 bytes and a filter byte. A
// picture whose pixel data cannot make even that many bytes is damaged, and is refused
// before its pixels are allocated (a tiny file cannot make us fill 64 MB).
bool PngDataCanFill(uint64_t pixelData, uint64_t width, uint64_t height) {
    const uint64_t smallest = height * (1 + (width + 7) / 8);
    return pixelData * 1032 + 1024 >= smallest;
}


// libpng's simplified reader reports every failure through its return value, so no
// longjmp crosses our frames.
struct PngWriteJob {
    FILE* file = nullptr;
    int width = 0, height = 0;
    bool alpha = false;
    int compression = 5;
    const std::vector<png_bytep>* rows = nullptr;
};

// The only function with a setjmp: it holds nothing that needs destroying.
bool WritePngRows(const PngWriteJob& job) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, job.file);
    png_set_compression_level(png, job.compression);
    png_set_IHDR(png, info, job.width, job.height, 8,
                 job.alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, const_cast<png_bytepp>(job.rows->data()));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

namespace pixels {
bool IsPng(const uint8_t* data, size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

TPixmapPtr DecodePng(const uint8_t* data, size_t size, std::string& why) {
    uint64_t pixelData = 0;
    if (!PngChunksComplete(data, size, pixelData)) {
        why = "PNG cut short";
        return nullptr;
    }
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, data, size)) {
        why = std::string("damaged PNG (") + img.message + ")";
        return nullptr;
    }
    if (!SizeAcceptable(img.width, img.height)) {
        why = "picture too large (" + SizeText(img.width, img.height) + ")";
        png_image_free(&img);
        return nullptr;
    }
    if (!PngDataCanFill(pixelData, img.width, img.height)) {
        why = "damaged PNG (too little pixel data for " + SizeText(img.width, img.height) + ")";
        png_image_free(&img);
        return nullptr;
    }
    // Keep the file's own class: grey and colour pictures without alpha stay without
    // alpha (so the mask colour can apply to them), the rest becomes RGBA.
    int format;
    if (img.format & PNG_FORMAT_FLAG_ALPHA) {
        img.format = PNG_FORMAT_RGBA;
        format = PF_RGBA8888;
    } else if (img.format & PNG_FORMAT_FLAG_COLOR) {
        img.format = PNG_FORMAT_RGB;
        format = PF_RGB888;
    } else {
        img.format = PNG_FORMAT_GRAY;
        format = PF_I8;
    }
    auto out = CreatePixmap(static_cast<int>(img.width), static_cast<int>(img.height), format, 1);
    if (!out) {
        why = "picture too large (" + SizeText(img.width, img.height) + ")";
        png_image_free(&img);
        return nullptr;
    }
    if (!png_image_finish_read(&img, nullptr, out->pixels.data(), out->pitch, nullptr)) {
        why = std::string("damaged PNG (") + img.message + ")";
        png_image_free(&img);
        return nullptr;
    }
    return out;
}

}  // namespace pixels

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression) {
    if (BytesPerPixel(pixmap.format) == 0 || pixmap.width <= 0 || pixmap.height <= 0) return false;
    const bool alpha = FormatHasAlpha(pixmap.format);
    auto conv = ConvertPixmap(pixmap, alpha ? PF_RGBA8888 : PF_RGB888);
    if (!conv) return false;
    std::vector<png_bytep> rows(conv->height);
    for (int y = 0; y < conv->height; ++y) rows[y] = conv->row(y);
    FILE* f = std::fopen(NativePath(path).c_str(), "wb");
    if (!f) return false;
    PngWriteJob job;
    job.file = f;
    job.width = conv->width;
    job.height = conv->height;
    job.alpha = alpha;
    job.compression = std::clamp(compression, 0, 9);
    job.rows = &rows;
    const bool ok = WritePngRows(job);
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed) std::remove(path.c_str());
    return ok && closed;
}
