#pragma once
// The base of everything that stands on a tile map and is drawn through a camera with
// its own image, rotation, size, blend mode, transparency and tint (board tokens, the
// hiding places of "Escondite Coder"). Its position is in tiles of its map. The same
// module holds the pixel-exact collision tests between character poses and images.
#include "engine/camera.h"
#include "engine/mapa.h"
#include "platform/pictures/image.h"
#include "platform/video/render.h"
#include "vba/anim_state.h"
#include "vgp/vgp.h"

#include <cstdint>
#include <memory>

class TSprite {
   public:
    float x = 0;        // column, in tiles (fractions allowed)
    float y = 0;        // row, in tiles
    float z = 0;        // depth key (Compare)
    TMapaPtr mapa;      // the map stood on; gives the tile size. Set by a derived Create
    TImagePtr grafico;  // the image drawn
    float angle = 0;    // degrees
    float sizeX = 1;
    float sizeY = 1;
    int32_t blend = ALPHABLEND;
    float alpha = 1;  // stored as given; the drawing service clamps it
    int32_t cR = 255, cG = 255, cB = 255;

    virtual ~TSprite() = default;

    void setX(float v) { x = v; }
    void setY(float v) { y = v; }
    void setZ(float v) { z = v; }
    void setPosition(float px, float py) {
        x = px;
        y = py;
    }
    float getX() const { return x; }
    float getY() const { return y; }
    float getZ() const { return z; }
    void setGrafico(const TImagePtr& img) { grafico = img; }
    const TImagePtr& getGrafico() const { return grafico; }
    void setAngle(float a) { angle = a; }
    float getAngle() const { return angle; }
    void SetSize(float sx, float sy) {
        sizeX = sx;
        sizeY = sy;
    }
    float getSizeX() const { return sizeX; }
    float getSizeY() const { return sizeY; }
    void setModeBlend(int b) { blend = b; }
    int getModeBlend() const { return blend; }
    void setTransparency(float a) { alpha = a; }
    float getTransparency() const { return alpha; }
    void setTint(int r, int g, int b) {
        cR = r;
        cG = g;
        cB = b;
    }
    int getTintR() const { return cR; }
    int getTintG() const { return cG; }
    int getTintB() const { return cB; }

    // Ascending z: 1 when this z is greater, -1 when smaller, 0 when equal.
    int Compare(const TSprite& other) const;
    // Draws grafico at world (x, y) * tile size with the sprite's tint, blend, alpha,
    // angle and size through the camera; the render state is as before the call.
    // Always 0. (There is no TSprite::Create: each derived type has its own.)
    virtual int Dibujar(TCamera& camera);
};
using TSpritePtr = std::shared_ptr<TSprite>;

// 1 when any bone of the pose (its last BoneList, drawn at (x, y) with the pack) touches
// the image drawn at (ix, iy) with that rotation and scale; pixel-exact, screen units.
int colisionPoseImagen(const AnimState& pose, const VGP& pack, int x, int y, const TImagePtr& image, int ix,
                       int iy, float rotation, float sx, float sy);
// 1 when any bone of pose A at (xA, yA) touches any bone of pose B at (xB, yB).
int colisionPoses(const AnimState& poseA, const VGP& packA, int xA, int yA, const AnimState& poseB,
                  const VGP& packB, int xB, int yB);
