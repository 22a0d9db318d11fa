#pragma once
// CPU-side pixel buffers. Pixels are exchanged with the game as 0xAARRGGBB.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum PixmapFormat : int {
    PF_I8 = 1,      // intensity: alpha 255, r = g = b = byte
    PF_A8 = 2,      // alpha: r = g = b = 255
    PF_BGR888 = 3,  // B, G, R
    PF_RGB888 = 4,  // R, G, B
    PF_BGRA8888 = 5,
    PF_RGBA8888 = 6,
};

// Bytes per pixel of a format (0 for an unknown format).
int BytesPerPixel(int format);
// True for the formats that carry an alpha channel (2, 5, 6).
bool FormatHasAlpha(int format);

class TPixmap {
public:
    int width = 0, height = 0;
    int pitch = 0;   // bytes per row, rows aligned to the creation alignment
    int format = PF_RGBA8888;
    std::vector<uint8_t> pixels;  // height * pitch bytes

    // Out-of-range coordinates read 0 and write nothing.
    uint32_t ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, uint32_t argb);
    // Fills every pixel with argb (0 by default).
    void ClearPixels(uint32_t argb = 0);
    uint8_t* row(int y) { return pixels.data() + static_cast<size_t>(y) * pitch; }
    const uint8_t* row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }
};
using TPixmapPtr = std::shared_ptr<TPixmap>;

// New zero-filled pixmap; nullptr for a non-positive size or unknown format.
TPixmapPtr CreatePixmap(int width, int height, int format = PF_RGBA8888, int align = 4);
// Copy of the rectangle (x, y, w, h), clipped to the pixmap (same format).
TPixmapPtr PixmapWindow(const TPixmap& src, int x, int y, int w, int h);
TPixmapPtr CopyPixmap(const TPixmap& src);
// Writes src into dst with its top-left at (x, y), converting formats; clipped.
void PastePixmap(const TPixmap& src, TPixmap& dst, int x, int y);
TPixmapPtr ConvertPixmap(const TPixmap& src, int format);

// Decodes a PNG or JPEG file (by content, not by name). nullptr when missing,
// truncated or malformed: never throws, never reads out of bounds. On failure *problem
// (when given) says what is wrong, in a few words ("missing", "PNG cut short", ...).
TPixmapPtr LoadPixmap(const std::string& path, std::string* problem = nullptr);
// Same, from bytes in memory (for fuzzing and embedded data).
TPixmapPtr LoadPixmapFromMemory(const uint8_t* data, size_t size, std::string* problem = nullptr);
// Writes a PNG (any format; written as RGBA or RGB). compression 0-9. false on failure.
bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path, int compression = 5);
// Writes a JPEG (quality 1-100). false on failure.
bool SavePixmapJPEG(const TPixmap& pixmap, const std::string& path, int quality = 90);
