#pragma once
// A piece of office furniture in "Escondite Coder" (a coder's desk or chair): a plain
// picture standing in the room, drawn through the camera at its own position in world
// units (unlike a map sprite, it keeps no tile map).
#include "engine/sprite.h"

#include <memory>

class TAcces : public TSprite {
   public:
    // A new piece; the map is accepted and not kept.
    static std::shared_ptr<TAcces> Create(const TMapaPtr& mapa);
    // Draws grafico at (x, y) with the piece's tint, blend, alpha, angle and size through
    // the camera; the render state is as before the call. Always 0.
    int Dibujar(TCamera& camera) override;
};
using TAccesPtr = std::shared_ptr<TAcces>;
