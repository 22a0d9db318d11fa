#pragma once
// The pixels room's own header: what the pixmap code and the two codecs share. Nothing
// outside the room includes it.
#include "platform/pixels/pixmap.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pixels {

// Largest picture we agree to decode: far above any artwork, low enough that a forged
// header cannot make us allocate gigabytes.
constexpr uint32_t kMaxSide = 16384;
constexpr uint64_t kMaxPixels = 16u * 1024u * 1024u;
bool SizeAcceptable(uint64_t w, uint64_t h);
// "640x480", for messages.
std::string SizeText(uint64_t w, uint64_t h);

// png.cpp: whether the bytes start as a PNG file; the picture in them (nullptr, with why
// set, for a damaged or oversized one).
bool IsPng(const uint8_t* data, size_t size);
TPixmapPtr DecodePng(const uint8_t* data, size_t size, std::string& why);
// jpeg.cpp: the same for JPEG.
bool IsJpeg(const uint8_t* data, size_t size);
TPixmapPtr DecodeJpeg(const uint8_t* data, size_t size, std::string& why);

}  // namespace pixels
