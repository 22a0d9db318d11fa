// Pixmaps: the six pixel formats, conversion between them, and PNG/JPEG files.
//
// Sections: formats and pixel access | copy, paste, convert | PNG | JPEG | loading by content
#include "platform/base/text.h"
#include "platform/pixels/pixmap.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace {

// Largest picture we agree to decode: far above any artwork, low enough that a forged
// header cannot make us allocate gigabytes.
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 16u * 1024u * 1024u;

bool SizeAcceptable(uint64_t w, uint64_t h) {
    return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide && w * h <= kMaxPixels;
}

}  // namespace

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

// ---------------------------------------------------------------- PNG

namespace {

bool IsPng(const uint8_t* data, size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

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

std::string SizeText(uint64_t w, uint64_t h) { return std::to_string(w) + "x" + std::to_string(h); }

// libpng's simplified reader reports every failure through its return value, so no
// longjmp crosses our frames.
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

// ---------------------------------------------------------------- JPEG

namespace {

bool IsJpeg(const uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

struct JpegError {
    jpeg_error_mgr mgr;
    jmp_buf jump;
    bool cut;                       // the data ended early
    char message[JMSG_LENGTH_MAX];  // otherwise what stopped the decoder
};

void JpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    err->cut = cinfo->err->msg_code == JWRN_JPEG_EOF;
    cinfo->err->format_message(cinfo, err->message);
    longjmp(err->jump, 1);
}

// libjpeg repairs damaged data with warnings (a truncated file gets a fake end marker
// and grey rows). A picture it had to repair counts as unreadable.
void JpegMessage(j_common_ptr cinfo, int level) {
    if (level >= 0) return;  // trace messages
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_MUST_RESYNC:
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_NOT_SEQUENTIAL: JpegErrorExit(cinfo); break;
    default: break;
    }
}

// A forged progressive file can ask for an endless number of scans.
void JpegProgress(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (cinfo->is_decompressor && d->input_scan_number > 200) JpegErrorExit(cinfo);
}

struct JpegReadJob {
    const uint8_t* data = nullptr;
    size_t size = 0;
    TPixmapPtr* out = nullptr;  // owned by the caller, so a longjmp leaks nothing
    std::string* why = nullptr;  // the caller's too
};

bool ReadJpeg(const JpegReadJob& job) {
    jpeg_decompress_struct cinfo;
    JpegError err;
    jpeg_progress_mgr progress;
    std::memset(&progress, 0, sizeof progress);
    progress.progress_monitor = JpegProgress;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.emit_message = JpegMessage;
    err.cut = false;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        *job.why = err.cut ? std::string("JPEG cut short") : std::string("damaged JPEG (") + err.message + ")";
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, job.data, static_cast<unsigned long>(job.size));
    jpeg_read_header(&cinfo, TRUE);
    int format;
    if (cinfo.jpeg_color_space == JCS_GRAYSCALE) {
        cinfo.out_color_space = JCS_GRAYSCALE;
        format = PF_I8;
    } else if (cinfo.jpeg_color_space == JCS_YCbCr || cinfo.jpeg_color_space == JCS_RGB) {
        cinfo.out_color_space = JCS_RGB;
        format = PF_RGB888;
    } else {
        jpeg_destroy_decompress(&cinfo);
        *job.why = "JPEG colour space not supported";
        return false;  // CMYK and friends: not used by the game
    }
    if (!SizeAcceptable(cinfo.image_width, cinfo.image_height)) {
        jpeg_destroy_decompress(&cinfo);
        *job.why = "picture too large (" + SizeText(cinfo.image_width, cinfo.image_height) + ")";
        return false;
    }
    jpeg_start_decompress(&cinfo);
    const int comps = format == PF_I8 ? 1 : 3;
    if (cinfo.output_components != comps ||
        !SizeAcceptable(cinfo.output_width, cinfo.output_height)) {
        jpeg_destroy_decompress(&cinfo);
        *job.why = "damaged JPEG (unexpected output shape)";
        return false;
    }
    *job.out = CreatePixmap(static_cast<int>(cinfo.output_width),
                            static_cast<int>(cinfo.output_height), format, 1);
    if (!*job.out) {
        jpeg_destroy_decompress(&cinfo);
        *job.why = "picture too large (" + SizeText(cinfo.output_width, cinfo.output_height) + ")";
        return false;
    }
    TPixmap& pm = **job.out;
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rowp = pm.row(static_cast<int>(cinfo.output_scanline));
        if (jpeg_read_scanlines(&cinfo, &rowp, 1) != 1) {
            jpeg_destroy_decompress(&cinfo);
            *job.why = "JPEG cut short";
            return false;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

TPixmapPtr DecodeJpeg(const uint8_t* data, size_t size, std::string& why) {
    TPixmapPtr out;
    JpegReadJob job;
    job.data = data;
    job.size = size;
    job.out = &out;
    job.why = &why;
    if (!ReadJpeg(job)) return nullptr;
    return out;
}

struct JpegWriteJob {
    FILE* file = nullptr;
    const TPixmap* rgb = nullptr;  // PF_RGB888
    int quality = 90;
};

bool WriteJpeg(const JpegWriteJob& job) {
    jpeg_compress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, job.file);
    cinfo.image_width = static_cast<JDIMENSION>(job.rgb->width);
    cinfo.image_height = static_cast<JDIMENSION>(job.rgb->height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rowp = const_cast<JSAMPROW>(job.rgb->row(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &rowp, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

bool SavePixmapJPEG(const TPixmap& pixmap, const std::string& path, int quality) {
    auto rgb = ConvertPixmap(pixmap, PF_RGB888);
    if (!rgb) return false;
    FILE* f = std::fopen(NativePath(path).c_str(), "wb");
    if (!f) return false;
    JpegWriteJob job;
    job.file = f;
    job.rgb = rgb.get();
    job.quality = std::clamp(quality, 1, 100);
    const bool ok = WriteJpeg(job);
    const bool closed = std::fclose(f) == 0;
    if (!ok || !closed) std::remove(path.c_str());
    return ok && closed;
}

// ---------------------------------------------------------------- loading by content

TPixmapPtr LoadPixmapFromMemory(const uint8_t* data, size_t size, std::string* problem) {
    std::string why;
    TPixmapPtr out;
    if (!data || size == 0)
        why = "empty file";
    else if (IsPng(data, size))
        out = DecodePng(data, size, why);
    else if (IsJpeg(data, size))
        out = DecodeJpeg(data, size, why);
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
