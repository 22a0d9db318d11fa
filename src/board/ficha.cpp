#include "board/ficha.h"

#include "engine/gl.h"

std::shared_ptr<TFicha> TFicha::Create(const TMapaPtr& m) {
    auto f = std::make_shared<TFicha>();
    f->mapa = m;
    return f;
}

void TFicha::init(const VBAPtr& vba, const VGPPtr& vgp) {
    anim = AnimState::Create(vba);
    gfx = vgp;
}

void TFicha::anima(int animacion, float ahora, int loop) {
    if (anim) anim->ChangeAnim(animacion, ahora * 1000, loop, 0, 0);
}

void TFicha::update(float /*inc*/, float ahora) {
    time = ahora * 1000;
    if (anim) anim->Update(time);
}

int TFicha::Dibujar(TCamera& camera) {
    GL::push();
    SetColor(cR, cG, cB);
    SetBlend(blend);
    SetAlpha(alpha);
    if (anim && gfx) {
        anim->PrepareBoneList(time, sizeX, sizeY, angle);
        for (const RepBone& r : anim->BoneList) {
            const TGraph* g = gfx->GetGraph(r.Graph);
            if (!g) continue;
            camera.imageDraw(g->I, x + r.X, y + r.Y, r.Angle, r.Size, r.Size);
        }
    }
    GL::pop();
    return 0;
}
