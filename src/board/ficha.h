#pragma once
// An animated character figure standing in a world drawn through a camera: the board's
// tokens and the figures of "Escondite Coder". Its picture is a skeleton pose of the
// shared animation set, each bone drawn with a picture of the character's pack.
// Unlike a plain sprite, its position is in world units: it is the skeleton's origin.
#include "engine/sprite.h"
#include "vba/anim_state.h"
#include "vgp/vgp.h"

#include <memory>

class TFicha : public TSprite {
   public:
    AnimStatePtr anim;  // playback state, owned; made by init
    VGPPtr gfx;         // the character's pack, shared
    float time = 0;     // animation clock, ms, as last given to update

    // A new token belonging to the map.
    static std::shared_ptr<TFicha> Create(const TMapaPtr& mapa);
    // Before anima, update or Dibujar: a new playback state of vba, drawn with vgp.
    void init(const VBAPtr& vba, const VGPPtr& vgp);
    // Starts animation number animacion at clock time ahora (s): no blending, the
    // animation's own duration.
    void anima(int animacion, float ahora, int loop);
    // time = ahora * 1000 and the playback advanced to it; inc is not used.
    void update(float inc, float ahora);
    // Draws the pose at time through the camera with the token's tint, alpha, blend,
    // size and angle; the render state is as before the call. Always 0.
    int Dibujar(TCamera& camera) override;
};
using TFichaPtr = std::shared_ptr<TFicha>;
