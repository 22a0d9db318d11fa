#include "minigames/escondite_coder/acces.h"

#include "engine/gl.h"

std::shared_ptr<TAcces> TAcces::Create(const TMapaPtr& /*mapa*/) {
    return std::make_shared<TAcces>();
}

int TAcces::Dibujar(TCamera& camera) {
    GL::push();
    SetColor(cR, cG, cB);
    SetBlend(blend);
    SetAlpha(alpha);
    camera.imageDraw(grafico, x, y, angle, sizeX, sizeY);
    GL::pop();
    return 0;
}
