// JPEG files: decoding and writing through libjpeg, its errors turned into messages.
#include "platform/base/text.h"
#include "platform/pixels/pixels_internal.h"
#include "platform/pixels/pixmap.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

using pixels::SizeAcceptable;
using pixels::SizeText;

namespace {

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

namespace pixels {
bool IsJpeg(const uint8_t* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
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

}  // namespace pixels

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
