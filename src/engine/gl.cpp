#include "engine/gl.h"

#include "platform/video/render.h"


namespace {
struct SavedState {
    int r = 255, g = 255, b = 255;
    float alpha = 1;
    int blend = ALPHABLEND;
    float rotation = 0;
    float sx = 1, sy = 1;
};
SavedState saved;
}  // namespace

void GL::projection(float w, float h) { SetVirtualResolution(w, h); }

void GL::push() {
    GetColor(saved.r, saved.g, saved.b);
    saved.alpha = GetAlpha();
    saved.blend = GetBlend();
    saved.rotation = GetRotation();
    GetScale(saved.sx, saved.sy);
}

void GL::pop() {
    SetColor(saved.r, saved.g, saved.b);
    SetAlpha(saved.alpha);
    SetBlend(saved.blend);
    SetTransform(saved.rotation, saved.sx, saved.sy);
}
