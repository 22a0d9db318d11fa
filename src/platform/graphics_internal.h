#pragma once
// What the display (graphics.cpp) and the batching of primitives (graphics_batch.cpp)
// share. Only these two files include it.
#include "platform/drawing.h"

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
// graphics.cpp: the drawable size in pixels and the virtual size it shows.
void PixelScale(float& kx, float& ky);
// graphics.cpp: the pixels drawing may change (clipping rectangle within the picture),
// inclusive, on the grid of PixelScale; empty (x0 > x1) when none.
void ClipPixels(int& x0, int& y0, int& x1, int& y1);

}  // namespace gfx
