#pragma once
// What the pictures room's files share: the textures of images, made lazily for the
// current display generation, and pictures decoded ahead. Nothing outside the pictures
// room includes this.
#include "platform/pictures/image.h"
#include "platform/pixels/pixmap.h"

#include <string>

namespace pictures {

// The texture of an image's frame, made for the current display generation when it has
// none yet. `opaque`, when given, is set to whether every texel has alpha 255; `white` to
// whether every texel is opaque white.
unsigned TextureOf(TImage& image, int frame, bool* opaque = nullptr, bool* white = nullptr);
// The frame's pixels changed: its texture takes them before it is drawn next.
void MarkTextureStale(TImage& image, int frame);
// Brings back the pixels of a frame its picture gave up (decoded ahead when woken, else
// now); true when the frame has pixels.
bool RefillFrame(TImage& image, int frame);
// Forgets a frame's texture, deleting it when it belongs to the live context.
void DiscardTexture(TImage& image, int frame);
// The frame pixmap of an image: RGBA, with the mask applied when asked and the source has
// no alpha. Takes the pixmap over (no copy) when it is already RGBA and not shared.
TPixmapPtr MaskedRGBA(TPixmapPtr pixmap, bool masked, int mr, int mg, int mb);
// The pixels of a picture decoded ahead (PrefetchImages), waiting for them when needed;
// false when none fit (not listed, or decoded with another mask than `mask`, r, g, b):
// decode it then. `problem` is set when the file could not be decoded.
bool TakeImageAhead(const std::string& path, bool masked, const int mask[3], TPixmapPtr& pixels,
                    std::string& problem);
// One listing of the picture fewer: nobody will take it (a picture woken and put to rest
// again before it was drawn).
void ForgetImageAhead(const std::string& path);
// An image of one frame made from a pixmap it takes over; nullptr for nullptr.
TImagePtr ImageFromPixmap(TPixmapPtr pixmap, int flags);

}  // namespace pictures
