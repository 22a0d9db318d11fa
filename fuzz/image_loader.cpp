// Picture decoding from untrusted bytes (PNG and JPEG, chosen by content), then the
// image made from it: masking walks every pixel and its neighbours.
#include "platform/pictures/image.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPixmapPtr pixmap = LoadPixmapFromMemory(data, size);
    if (!pixmap) return 0;
    const int bpp = BytesPerPixel(pixmap->format);
    if (bpp == 0 || pixmap->width <= 0 || pixmap->height <= 0 ||
        pixmap->pitch < pixmap->width * bpp ||
        pixmap->pixels.size() < static_cast<size_t>(pixmap->pitch) * pixmap->height)
        std::abort();
    TImagePtr image = LoadImageFromPixmap(*pixmap, -1);
    if (!image || image->width != pixmap->width || image->height != pixmap->height) std::abort();
    (void)image->frames[0]->ReadPixel(image->width - 1, image->height - 1);
    return 0;
}
