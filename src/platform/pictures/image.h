#pragma once
// Images: frames of pixels with lazily made textures (one per frame per display
// generation), a handle, and load flags.
#include "platform/pixels/pixmap.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

enum ImageFlags : int {
    MASKEDIMAGE = 1,    // mask colour becomes transparent (formats without alpha)
    FILTEREDIMAGE = 2,  // bilinear filtering
    MIPMAPPEDIMAGE = 4,
    DYNAMICIMAGE = 8,   // pixels kept for lock/grab
};
constexpr int DEFAULT_IMAGE_FLAGS = MASKEDIMAGE | FILTEREDIMAGE;

class TImage {
public:
    int width = 0, height = 0;
    int flags = DEFAULT_IMAGE_FLAGS;
    float handleX = 0, handleY = 0;
    std::string source;  // file name, or "created WxH" (trace)
    // One pixmap per frame (RGBA, mask already applied). A picture loaded from a file
    // gives its frame up (nullptr) once its texture exists: decoded pictures were most of
    // what the game kept in memory, and nothing but a texture upload reads them. It keeps
    // which texels are solid for the collision test; LockImage and a new display read the
    // file again (`refill`). Created, locked and grabbed frames are always kept.
    std::vector<TPixmapPtr> frames;

    // How a frame given up comes back: the file decoded again and masked as at load.
    struct Refill {
        bool masked = false;
        int mask[3] = {0, 0, 0};
    };
    std::optional<Refill> refill;  // set for pictures loaded from a file, never written since
    bool woken = false;            // its file is being decoded ahead (WakeImages)
    // Which texels of a frame given up have alpha >= 128: all of them, or one bit per
    // texel, row by row from the top-left. Indexed by frame; a frame still held has none.
    struct Solid {
        int width = 0, height = 0;
        bool all = false;
        std::vector<uint8_t> bits;
    };
    std::vector<Solid> solid;

    int FrameCount() const { return static_cast<int>(frames.size()); }
    ~TImage();

    // Texture bookkeeping (graphics implementation only).
    struct Texture {
        unsigned id = 0;
        int generation = -1;
        int width = 0, height = 0;  // of the pixels it was made from
        bool stale = false;         // the frame's pixels changed since the last upload
        bool opaque = false;        // every texel has alpha 255
        bool white = false;         // every texel is opaque white
    };
    std::vector<Texture> textures;
};
using TImagePtr = std::shared_ptr<TImage>;

// Loads a PNG/JPEG picture; flags -1 means DEFAULT_IMAGE_FLAGS. nullptr when missing or
// unreadable, the file then reported once on standard error (ReportBadFile). Works
// before a display is open.
TImagePtr LoadImage(const std::string& path, int flags = -1);
// Starts decoding pictures on worker threads, in the order given, so that the LoadImage
// of each (same path, same flags) later only takes the pixels; a picture loaded more than
// once may be listed as often. What is loaded, drawn and reported stays the same: a
// picture not listed, or loaded with another mask, decodes in LoadImage as ever.
struct ImageAhead {
    std::string path;
    int flags = -1;
};
void PrefetchImages(const std::vector<ImageAhead>& pictures);
// Pictures of a screen that comes and goes (a minigame's own), between two of its showings:
// each one loaded from a file gives its texture and pixels up, keeping its size, handle and
// which texels are solid, and is drawn as ever later, from its file again. Others are
// left as they are.
void RestImages(const std::vector<TImagePtr>& images);
// The same pictures about to be shown again: their files start decoding on worker threads
// so that a first draw only makes the texture.
void WakeImages(const std::vector<TImagePtr>& images);
// An image made from a pixmap (copied); the mask is applied as for loaded files.
TImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags = -1);
// An empty dynamic image (DYNAMICIMAGE always added); frames are blank RGBA.
TImagePtr CreateImage(int width, int height, int frames = 1, int flags = -1);
// The pixmap of a frame; writing discards the frame's texture so the change shows on
// the next draw. nullptr for a missing image or frame out of range.
TPixmapPtr LockImage(const TImagePtr& image, int frame = 0, bool read = true, bool write = true);
void UnlockImage(const TImagePtr& image, int frame = 0);
// Copies the screen rectangle at (x, y) (virtual units) of the image's size into a frame.
void GrabImage(const TImagePtr& image, int x, int y, int frame = 0);
void SetImageHandle(const TImagePtr& image, float x, float y);
void MidHandleImage(const TImagePtr& image);
int ImageWidth(const TImagePtr& image);   // 0 for nullptr
int ImageHeight(const TImagePtr& image);  // 0 for nullptr
// Draws a frame with its handle at (x, y) + origin under the current render state.
// A missing image or frame draws nothing.
void DrawImage(const TImagePtr& image, float x, float y, int frame = 0);
// Like DrawImage but stretched to (w, h) before the transform.
void DrawImageRect(const TImagePtr& image, float x, float y, float w, float h, int frame = 0);
// 1 when an opaque pixel (alpha >= 128) of one transformed image overlaps an opaque
// pixel of the other; computed on the CPU. The render state's rotation and scale are
// left as they were.
int ImagesCollide2(const TImagePtr& image1, float x1, float y1, int frame1, float rot1, float sx1,
                   float sy1, const TImagePtr& image2, float x2, float y2, int frame2, float rot2,
                   float sx2, float sy2);
// Draws a pixmap unscaled with its top-left at (x, y) + origin.
void DrawPixmap(const TPixmap& pixmap, float x, float y);
// The screen rectangle (virtual units) as an RGBA pixmap; nullptr without a display.
TPixmapPtr GrabPixmap(int x, int y, int w, int h);
