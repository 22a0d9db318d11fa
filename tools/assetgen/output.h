#pragma once
// Where and how the generator writes: the data folder, pictures (PNG through the game's
// own writer, JPEG), WAV files, progress lines, and the thumbnails of every picture
// written (for the contact sheet).
#include "draw.h"

#include "platform/pixels/pixmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

void SetOutputDir(const std::string& dir);
const std::string& OutputDir();
// dir + "/" + rel, creating the folders on the way.
std::string OutPath(const std::string& rel);

// One progress line: "[assetgen] kind: name".
void Progress(const std::string& kind, const std::string& name);

// The canvas as a pixmap: straight (not premultiplied) RGBA, or RGB when opaque. An
// opaque picture never holds pure black: the game loads backgrounds with the mask flag,
// which would punch holes where a pixel is exactly (0, 0, 0).
TPixmapPtr CanvasPixmap(const Canvas& c, bool opaque);

// Writes a PNG under the data folder and keeps a thumbnail for the contact sheet.
void SavePng(const Canvas& c, const std::string& rel, bool opaque = false);
void SaveJpeg(const Canvas& c, const std::string& rel, int quality = 90);

struct Thumb {
    std::string name;
    int w = 0, h = 0;             // the picture's real size
    cairo_surface_t* img = nullptr;  // at most 200 x 150, owned by the registry
};
// Every picture written so far, in writing order.
const std::vector<Thumb>& Thumbs();

// 16-bit PCM WAV at 44100 Hz, mono or interleaved stereo.
void SaveWav(const std::string& rel, const std::vector<int16_t>& samples, int channels = 1);

}  // namespace assetgen
