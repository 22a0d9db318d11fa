// Images: frames kept as RGBA pixmaps (mask applied at load), textures made lazily the
// first time a frame is drawn on the current display generation. A picture from a file
// gives its pixels up once its texture exists and reads its file again if they are
// asked for later.
#include "platform/base/file_report.h"
#include "platform/pictures/image.h"
#include "platform/pictures/pictures_internal.h"
#include "platform/session/trace.h"
#include "platform/video/drawing.h"
#include "platform/video/render.h"

#include <algorithm>

namespace {

int ResolveFlags(int flags) { return flags == -1 ? DEFAULT_IMAGE_FLAGS : flags; }

std::string SizeName(const char* what, int w, int h) {
    return std::string(what) + " " + std::to_string(w) + "x" + std::to_string(h);
}

bool ValidFrame(const TImagePtr& image, int frame) {
    return image && frame >= 0 && frame < image->FrameCount();
}

constexpr uint8_t kSolidAlpha = 128;  // the collision test's threshold (collision.cpp)

// Which texels of a frame are solid, for when its pixels are gone; `opaque` when every
// texel is already known to have alpha 255.
TImage::Solid SolidOf(const TPixmap& pm, bool opaque) {
    TImage::Solid s;
    s.width = pm.width;
    s.height = pm.height;
    s.all = opaque || pm.format != PF_RGBA8888;
    if (s.all) return s;
    const size_t rowBytes = (static_cast<size_t>(pm.width) + 7) / 8;
    s.bits.assign(rowBytes * static_cast<size_t>(pm.height), 0);
    bool all = true;
    for (int y = 0; y < pm.height; ++y) {
        const uint8_t* p = pm.row(y);
        uint8_t* b = s.bits.data() + rowBytes * static_cast<size_t>(y);
        for (int x = 0; x < pm.width; ++x) {
            if (p[static_cast<size_t>(x) * 4 + 3] >= kSolidAlpha)
                b[x / 8] |= static_cast<uint8_t>(1u << (x % 8));
            else
                all = false;
        }
    }
    if (all) {
        s.all = true;
        s.bits.clear();
        s.bits.shrink_to_fit();
    }
    return s;
}

bool MayGiveUp(const TImage& image) { return image.refill && !(image.flags & DYNAMICIMAGE); }

// Gives the frame's pixels up, keeping which texels are solid.
void GiveUpPixels(TImage& image, int frame, bool opaque) {
    TPixmapPtr& pm = image.frames[static_cast<size_t>(frame)];
    if (!MayGiveUp(image) || !pm) return;
    if (image.solid.size() < image.frames.size()) image.solid.resize(image.frames.size());
    image.solid[static_cast<size_t>(frame)] = SolidOf(*pm, opaque);
    pm.reset();
}

// The frame's pixels are the game's from now on (locked or grabbed): never given up.
void KeepPixels(TImage& image, int frame) {
    if (image.woken) pictures::ForgetImageAhead(image.source);
    image.woken = false;
    image.refill.reset();
    if (frame < static_cast<int>(image.solid.size())) image.solid[static_cast<size_t>(frame)] = {};
}

}  // namespace

namespace pictures {

bool RefillFrame(TImage& image, int frame) {
    if (frame < 0 || frame >= image.FrameCount()) return false;
    if (image.frames[static_cast<size_t>(frame)]) return true;
    if (!image.refill || frame != 0) return false;  // a file gives one frame
    const TImage::Refill& r = *image.refill;
    std::string problem;
    TPixmapPtr pixels;
    const bool ahead = image.woken && TakeImageAhead(image.source, r.masked, r.mask, pixels, problem);
    image.woken = false;
    if (!ahead) {
        pixels = LoadPixmap(image.source, &problem);
        pixels = MaskedRGBA(std::move(pixels), r.masked, r.mask[0], r.mask[1], r.mask[2]);
    }
    if (!pixels || pixels->width != image.width || pixels->height != image.height) {
        ReportBadFile(image.source, problem.empty() ? "unusable picture" : problem);
        image.refill.reset();  // named once: not read again at every draw
        return false;
    }
    image.frames[0] = std::move(pixels);
    return true;
}

TPixmapPtr MaskedRGBA(TPixmapPtr pixmap, bool masked, int mr, int mg, int mb) {
    if (!pixmap) return nullptr;
    const bool hadAlpha = FormatHasAlpha(pixmap->format);
    // A decoded RGBA picture is taken over as it is: big pictures are not copied again.
    TPixmapPtr out = pixmap->format == PF_RGBA8888 && pixmap.use_count() == 1
                         ? std::move(pixmap)
                         : ConvertPixmap(*pixmap, PF_RGBA8888);
    if (!out || !masked || hadAlpha) return out;
    const int w = out->width, h = out->height;
    // Which pixels are the mask colour, decided on the original colours.
    std::vector<uint8_t> isMask(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = out->row(y);
        for (int x = 0; x < w; ++x, p += 4)
            isMask[static_cast<size_t>(y) * w + x] = p[0] == mr && p[1] == mg && p[2] == mb;
    }
    // A masked pixel takes the average colour of its unmasked neighbours, so that
    // filtering blends the edge towards the picture's own colour, not the mask's. Only
    // unmasked colours are read, and only masked ones change, so this works in place.
    for (int y = 0; y < h; ++y) {
        uint8_t* d = out->row(y);
        for (int x = 0; x < w; ++x, d += 4) {
            if (!isMask[static_cast<size_t>(y) * w + x]) {
                d[3] = 255;
                continue;
            }
            d[3] = 0;
            int sum[3] = {0, 0, 0}, n = 0;
            for (int ny = std::max(0, y - 1); ny <= std::min(h - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(w - 1, x + 1); ++nx) {
                    if (isMask[static_cast<size_t>(ny) * w + nx]) continue;
                    const uint8_t* s = out->row(ny) + static_cast<size_t>(nx) * 4;
                    sum[0] += s[0];
                    sum[1] += s[1];
                    sum[2] += s[2];
                    ++n;
                }
            if (n > 0)
                for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>((sum[c] + n / 2) / n);
        }
    }
    return out;
}

namespace {

// Whether every texel is opaque, and whether every one is opaque white, in one pass that
// stops as soon as neither can hold.
void SurveyTexels(const TPixmap& pm, TImage::Texture& t) {
    if (pm.format != PF_RGBA8888) {
        t.opaque = !FormatHasAlpha(pm.format);
        t.white = false;
        return;
    }
    bool opaque = true, white = true;
    for (int y = 0; y < pm.height && (opaque || white); ++y) {
        const uint8_t* p = pm.row(y);
        for (int x = 0; x < pm.width; ++x, p += 4) {
            if (p[3] != 255) {
                opaque = white = false;
                break;
            }
            if (white && (p[0] & p[1] & p[2]) != 255) {
                white = false;
                if (!opaque) break;
            }
        }
    }
    t.opaque = opaque;
    t.white = white;
}

}  // namespace

unsigned TextureOf(TImage& image, int frame, bool* opaque, bool* white) {
    if (frame < 0 || frame >= image.FrameCount() || !drawing::ContextReady()) return 0;
    if (image.textures.size() < image.frames.size()) image.textures.resize(image.frames.size());
    TImage::Texture& t = image.textures[frame];
    const int generation = GraphicsGeneration();
    if (t.id != 0 && t.generation == generation && t.stale && image.frames[frame]) {
        // Changed pixels of the same size go into the texture in place.
        const TPixmap& pm = *image.frames[frame];
        if (t.width == pm.width && t.height == pm.height && drawing::UpdateTexture(t.id, pm)) {
            t.stale = false;
            SurveyTexels(pm, t);
        } else {
            DiscardTexture(image, frame);
        }
    }
    if (t.id == 0 || t.generation != generation) {
        // A texture of an older display died with its context: make it again.
        if (!RefillFrame(image, frame)) return 0;
        const TPixmap& pm = *image.frames[frame];
        t.id = drawing::MakeTexture(pm, (image.flags & FILTEREDIMAGE) != 0,
                           (image.flags & MIPMAPPEDIMAGE) != 0);
        t.generation = generation;
        t.width = pm.width;
        t.height = pm.height;
        t.stale = false;
        SurveyTexels(pm, t);
        if (t.id != 0) GiveUpPixels(image, frame, t.opaque);  // the texture has them now
    }
    if (opaque) *opaque = t.opaque;
    if (white) *white = t.white;
    return t.id;
}

void MarkTextureStale(TImage& image, int frame) {
    if (frame < 0 || frame >= static_cast<int>(image.textures.size())) return;
    image.textures[frame].stale = true;
}

void DiscardTexture(TImage& image, int frame) {
    if (frame < 0 || frame >= static_cast<int>(image.textures.size())) return;
    TImage::Texture& t = image.textures[frame];
    if (t.id != 0 && t.generation == GraphicsGeneration() && drawing::ContextReady()) drawing::DeleteTexture(t.id);
    t = TImage::Texture{};
}

}  // namespace pictures

TImage::~TImage() {
    for (int i = 0; i < static_cast<int>(textures.size()); ++i) pictures::DiscardTexture(*this, i);
    if (woken) pictures::ForgetImageAhead(source);
}

TImagePtr LoadImageFromPixmap(const TPixmap& pixmap, int flags) {
    return pictures::ImageFromPixmap(CopyPixmap(pixmap), flags);
}

TImagePtr pictures::ImageFromPixmap(TPixmapPtr pixmap, int flags) {
    flags = ResolveFlags(flags);
    const auto& st = drawing::State();
    auto frame = pictures::MaskedRGBA(std::move(pixmap), (flags & MASKEDIMAGE) != 0, st.maskR, st.maskG, st.maskB);
    if (!frame) return nullptr;
    auto image = std::make_shared<TImage>();
    image->width = frame->width;
    image->height = frame->height;
    image->flags = flags;
    image->source = SizeName("pixmap", frame->width, frame->height);
    image->frames.push_back(std::move(frame));
    image->textures.resize(1);
    return image;
}

TImagePtr LoadImage(const std::string& path, int flags) {
    std::string problem;
    TPixmapPtr pixels;
    const bool masked = (ResolveFlags(flags) & MASKEDIMAGE) != 0;
    const auto& st = drawing::State();
    const int mask[3] = {st.maskR, st.maskG, st.maskB};
    if (!pictures::TakeImageAhead(path, masked, mask, pixels, problem)) pixels = LoadPixmap(path, &problem);
    auto image = pictures::ImageFromPixmap(std::move(pixels), flags);
    if (!image) {
        ReportBadFile(path, problem.empty() ? "unusable picture" : problem);
        return nullptr;
    }
    image->source = path;
    if (!(image->flags & DYNAMICIMAGE)) image->refill = TImage::Refill{masked, {mask[0], mask[1], mask[2]}};
    return image;
}

TImagePtr CreateImage(int width, int height, int frames, int flags) {
    if (width <= 0 || height <= 0 || frames <= 0 || frames > 4096) return nullptr;
    auto image = std::make_shared<TImage>();
    image->width = width;
    image->height = height;
    image->flags = ResolveFlags(flags) | DYNAMICIMAGE;
    image->source = SizeName("created", width, height);
    for (int i = 0; i < frames; ++i) {
        auto pm = CreatePixmap(width, height, PF_RGBA8888);
        if (!pm) return nullptr;
        image->frames.push_back(std::move(pm));
    }
    image->textures.resize(frames);
    return image;
}

TPixmapPtr LockImage(const TImagePtr& image, int frame, bool read, bool write) {
    (void)read;
    if (!ValidFrame(image, frame)) return nullptr;
    TPixmapPtr& pm = image->frames[frame];
    if (!pm) pictures::RefillFrame(*image, frame);
    if (!pm) pm = CreatePixmap(image->width, image->height, PF_RGBA8888);
    KeepPixels(*image, frame);
    if (write) pictures::MarkTextureStale(*image, frame);
    return pm;
}

void UnlockImage(const TImagePtr& image, int frame) {
    (void)image;
    (void)frame;
}

void GrabImage(const TImagePtr& image, int x, int y, int frame) {
    if (!ValidFrame(image, frame)) return;
    auto grabbed = GrabPixmap(x, y, image->width, image->height);
    if (!grabbed) return;
    TPixmapPtr pixels = grabbed;
    if (image->flags & MASKEDIMAGE) {
        // The screen has no alpha of its own: treat it as RGB so the mask colour applies.
        auto rgb = ConvertPixmap(*grabbed, PF_RGB888);
        const auto& st = drawing::State();
        if (rgb) pixels = pictures::MaskedRGBA(std::move(rgb), true, st.maskR, st.maskG, st.maskB);
    }
    if (!pixels) return;
    KeepPixels(*image, frame);
    // Write into the frame's own pixmap so a pixmap the game holds from LockImage sees it.
    TPixmapPtr& pm = image->frames[frame];
    if (pm && pm->width == pixels->width && pm->height == pixels->height) {
        PastePixmap(*pixels, *pm, 0, 0);
        pictures::MarkTextureStale(*image, frame);
    } else {
        pm = pixels;
        pictures::DiscardTexture(*image, frame);
    }
}

void RestImages(const std::vector<TImagePtr>& images) {
    for (const TImagePtr& image : images) {
        if (!image || !MayGiveUp(*image)) continue;
        // A texture of the live display says whether the frame is opaque; without one the
        // pixels are read for it.
        for (int f = 0; f < image->FrameCount(); ++f) {
            const bool live = f < static_cast<int>(image->textures.size()) && image->textures[f].id != 0 &&
                              image->textures[f].generation == GraphicsGeneration();
            GiveUpPixels(*image, f, live && image->textures[f].opaque);
            pictures::DiscardTexture(*image, f);
        }
        if (image->woken) pictures::ForgetImageAhead(image->source);
        image->woken = false;
    }
}

void WakeImages(const std::vector<TImagePtr>& images) {
    std::vector<ImageAhead> decode;
    for (const TImagePtr& image : images) {
        if (!image || !MayGiveUp(*image) || image->woken || image->FrameCount() != 1 || image->frames[0]) continue;
        if (!image->textures.empty() && image->textures[0].id != 0 &&
            image->textures[0].generation == GraphicsGeneration())
            continue;  // drawn already: nothing to decode
        decode.push_back({image->source, image->flags});
        image->woken = true;
    }
    PrefetchImages(decode);
}

void SetImageHandle(const TImagePtr& image, float x, float y) {
    if (!image) return;
    image->handleX = x;
    image->handleY = y;
}

void MidHandleImage(const TImagePtr& image) {
    if (!image) return;
    image->handleX = image->width * 0.5f;
    image->handleY = image->height * 0.5f;
}

int ImageWidth(const TImagePtr& image) { return image ? image->width : 0; }
int ImageHeight(const TImagePtr& image) { return image ? image->height : 0; }

namespace {

// How the frame's texture samples (its pixels may be gone: the texture keeps their size).
drawing::Sampling SamplingOf(const TImage& image, int frame) {
    const TImage::Texture& t = image.textures[static_cast<size_t>(frame)];
    return {t.width, t.height, (image.flags & FILTEREDIMAGE) != 0, (image.flags & MIPMAPPEDIMAGE) != 0};
}

// The texture a picture is drawn with. One all of opaque white multiplies the current
// colour by one everywhere, so it is drawn untextured: the pixels are the same and a
// software renderer skips sampling it (a full-screen white fade costs a quarter as much).
unsigned Sampled(unsigned texture, bool white) { return white ? 0 : texture; }

void TraceImage(const TImage& image, float x, float y, int frame, const float* size) {
    rig::Record r("image");
    r.add("src", image.source).add("frame", frame);
    r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
    if (size) r.add("w", static_cast<double>(size[0])).add("h", static_cast<double>(size[1]));
    const float handle[2] = {image.handleX, image.handleY};
    drawing::AddState(r, handle);
    r.emit();
}

}  // namespace

void DrawImage(const TImagePtr& image, float x, float y, int frame) {
    if (!ValidFrame(image, frame)) return;
    if (rig::Tracing()) TraceImage(*image, x, y, frame, nullptr);
    if (!drawing::WillDraw()) return;
    bool opaque = false, white = false;
    const unsigned tex = pictures::TextureOf(*image, frame, &opaque, &white);
    if (tex == 0) return;
    const TImage::Texture& t = image->textures[static_cast<size_t>(frame)];
    drawing::Begin(drawing::Prim::Quads, Sampled(tex, white), opaque, SamplingOf(*image, frame));
    drawing::TransformedQuad(x, y, -image->handleX, -image->handleY, t.width - image->handleX,
                             t.height - image->handleY, 0, 0, 1, 1);
}

void DrawImageRect(const TImagePtr& image, float x, float y, float w, float h, int frame) {
    if (!ValidFrame(image, frame)) return;
    if (rig::Tracing()) {
        const float size[2] = {w, h};
        TraceImage(*image, x, y, frame, size);
    }
    if (!drawing::WillDraw()) return;
    bool opaque = false, white = false;
    const unsigned tex = pictures::TextureOf(*image, frame, &opaque, &white);
    if (tex == 0 || image->width <= 0 || image->height <= 0) return;
    // The handle is in image pixels and stretches with the picture.
    const float kx = w / image->width, ky = h / image->height;
    const float hx = image->handleX * kx, hy = image->handleY * ky;
    drawing::Begin(drawing::Prim::Quads, Sampled(tex, white), opaque, SamplingOf(*image, frame));
    drawing::TransformedQuad(x, y, -hx, -hy, w - hx, h - hy, 0, 0, 1, 1);
}

void DrawPixmap(const TPixmap& pixmap, float x, float y) {
    if (rig::Tracing()) {
        rig::Record r("pixmap");
        r.add("w", pixmap.width).add("h", pixmap.height);
        r.add("x", static_cast<double>(x)).add("y", static_cast<double>(y));
        drawing::AddState(r);
        r.emit();
    }
    if (!drawing::WillDraw()) return;
    const unsigned tex = drawing::MakeTexture(pixmap, false, false);
    if (tex == 0) return;
    const auto& st = drawing::State();
    const float px = x + st.originX, py = y + st.originY;
    drawing::Begin(drawing::Prim::Quads, tex);
    drawing::Vertex(px, py, 0, 0);
    drawing::Vertex(px + pixmap.width, py, 1, 0);
    drawing::Vertex(px + pixmap.width, py + pixmap.height, 1, 1);
    drawing::Vertex(px, py + pixmap.height, 0, 1);
    drawing::DeleteTexture(tex);  // flushes the quad first
}
