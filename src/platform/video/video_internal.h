#pragma once
// The video room's own header: what the display (graphics.cpp) and the batching of
// primitives (graphics_batch.cpp) share. Nothing outside the video room includes it.
#include "platform/video/drawing.h"

namespace gfx {

// The current colour and alpha of new vertices, from the render state.
void SetVertexColour(int r, int g, int b, uint8_t alpha);
// Drops every pending primitive without drawing it (a new display).
void DiscardBatches();
// True once the batches are gone at program exit (images held in statics may still free
// their textures then).
bool BatchesGone();
// True when a pending primitive reads the texture.
bool BatchUsesTexture(unsigned id);

// graphics.cpp: applies a blend mode / binds a texture (0 = untextured) through the GL
// state cache; sets the line width and point size.
void ApplyBlend(int mode);
void ApplyTexture(unsigned id);
void ApplyLineWidth(float width);
void ApplyPointSize(float size);
// graphics.cpp: the filters of the bound texture.
void ApplyFilters(bool filtered, bool mipmapped);
// graphics.cpp: the picture's pixels per virtual unit, and the pixels drawing may change
// (the clipping rectangle within the picture; inclusive, empty when x0 > x1).
struct PixelGrid {
    float kx = 1, ky = 1;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
};
PixelGrid Grid();

}  // namespace gfx
