#include "engine/sprite.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

namespace {

// A solid white picture, handle at (hx, hy).
TImagePtr solido(int w, int h, float hx = 0, float hy = 0) {
    TImagePtr img = CreateImage(w, h, 1, 0);
    LockImage(img, 0, true, true)->ClearPixels(0xFFFFFFFF);
    SetImageHandle(img, hx, hy);
    return img;
}

class Sprite : public testrig::HeadlessTest {};

TEST_F(Sprite, NewSpriteDrawsWhiteOpaqueAlphaBlendUnscaled) {
    TSprite s;
    EXPECT_EQ(s.getModeBlend(), ALPHABLEND);
    EXPECT_EQ(s.getTransparency(), 1.0f);
    EXPECT_EQ(s.getTintR() + s.getTintG() + s.getTintB(), 765);
    EXPECT_EQ(s.getSizeX(), 1.0f);
    EXPECT_EQ(s.getSizeY(), 1.0f);
    EXPECT_EQ(s.getAngle(), 0.0f);
    s.setTransparency(1.7f);
    EXPECT_EQ(s.getTransparency(), 1.7f) << "stored unclamped";
    TSprite a, b;
    a.setZ(2);
    b.setZ(2);
    EXPECT_EQ(a.Compare(b), 0);
    b.setZ(3);
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(b.Compare(a), 1);
}

TEST_F(Sprite, DrawnAtItsTilePositionWithItsTintAndTheStateRestored) {
    TMapaPtr m = TMapa::Create(10, 10, 128);
    TSprite s;
    s.mapa = m;
    s.setGrafico(solido(6, 6, 3, 3));
    s.setPosition(2.5f, 3);
    s.setTint(255, 0, 0);
    s.setModeBlend(SOLIDBLEND);
    TCameraPtr cam = TCamera::Create();
    cam->setPosition(320, 384);  // the sprite's world position

    SetColor(1, 2, 3);
    SetAlpha(0.4f);
    SetBlend(LIGHTBLEND);
    SetTransform(30, 2, 0.5f);
    SetClsColor(0, 0, 0);
    Cls();
    EXPECT_EQ(s.Dibujar(*cam), 0);
    TPixmapPtr p = GrabPixmap(511, 383, 1, 1);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->ReadPixel(0, 0) & 0xFFFFFF, 0xFF0000u) << "red sprite at the centre of the view";

    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r * 100 + g * 10 + b, 123);
    EXPECT_NEAR(GetAlpha(), 0.4f, 0.01f);
    EXPECT_EQ(GetBlend(), LIGHTBLEND);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(GetRotation(), 30.0f);
    EXPECT_EQ(sx, 2.0f);
    EXPECT_EQ(sy, 0.5f);
}

// ---- pose collisions ----

struct Pose {
    AnimState estado;
    std::shared_ptr<VGP> pack = std::make_shared<VGP>();
    Pose() {
        pack->Graph = {GetEmptyGraph()};
        pack->Size = 1;
    }
    // Adds graph g (a w by h block, pivot (hx, hy)) and a bone showing it.
    void hueso(int w, int h, float hx, float hy, float x, float y, float angle, float size) {
        auto g = TGraph::Create();
        g->W = w;
        g->H = h;
        g->I = solido(w, h, hx, hy);
        pack->Graph.push_back(g);
        pack->Size = static_cast<int>(pack->Graph.size());
        RepBone r;
        r.X = x;
        r.Y = y;
        r.Angle = angle;
        r.Size = size;
        r.Graph = pack->Size - 1;
        estado.BoneList.push_back(r);
    }
};

TEST_F(Sprite, PoseAgainstImageTouchingAndNot) {
    Pose p;
    p.hueso(10, 10, 0, 0, 0, 0, 0, 1);  // covers (100..109, 100..109) at (100, 100)
    TImagePtr bala = solido(4, 4);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 100, 100, bala, 109, 109, 0, 1, 1), 1);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 100, 100, bala, 110, 100, 0, 1, 1), 0);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 100, 100, bala, 96, 96, 0, 1, 1), 0);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 100, 100, bala, 400, 400, 0, 1, 1), 0);
    // The bullet scaled up reaches the bone from further away.
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 100, 100, bala, 96, 96, 0, 2, 2), 1);
    // Bone offsets are added, then truncated: 99 + 0.5 -> 99, so the bone covers 99..108.
    Pose q;
    q.hueso(10, 10, 0, 0, 0.5f, 0, 0, 1);
    EXPECT_EQ(colisionPoseImagen(q.estado, *q.pack, 99, 100, bala, 108, 100, 0, 1, 1), 1);
    EXPECT_EQ(colisionPoseImagen(q.estado, *q.pack, 99, 100, bala, 109, 100, 0, 1, 1), 0);
}

TEST_F(Sprite, RotatedAndScaledBones) {
    Pose p;
    p.hueso(40, 4, 0, 2, 0, 0, 90, 1);  // a bar turned to point down from (200, 200)
    TImagePtr bala = solido(4, 4, 2, 2);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 200, 230, 0, 1, 1), 1);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 230, 200, 0, 1, 1), 0);
    p.estado.BoneList[0].Angle = 0;  // pointing right again
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 230, 200, 0, 1, 1), 1);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 200, 230, 0, 1, 1), 0);
    p.estado.BoneList[0].Size = 0.5f;  // 20 long
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 230, 200, 0, 1, 1), 0);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, bala, 217, 200, 0, 1, 1), 1);
    // The image's own rotation counts too: a long thin image turned onto the bar.
    TImagePtr palo = solido(36, 2, 0, 1);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, palo, 210, 170, 0, 1, 1), 0);
    EXPECT_EQ(colisionPoseImagen(p.estado, *p.pack, 200, 200, palo, 210, 170, 90, 1, 1), 1);
}

TEST_F(Sprite, EmptyPoseNeverCollides) {
    Pose vacia, p;
    p.hueso(50, 50, 25, 25, 0, 0, 0, 1);
    TImagePtr bala = solido(50, 50, 25, 25);
    EXPECT_EQ(colisionPoseImagen(vacia.estado, *vacia.pack, 100, 100, bala, 100, 100, 0, 1, 1), 0);
    EXPECT_EQ(colisionPoses(vacia.estado, *vacia.pack, 100, 100, p.estado, *p.pack, 100, 100), 0);
    EXPECT_EQ(colisionPoses(p.estado, *p.pack, 100, 100, vacia.estado, *vacia.pack, 100, 100), 0);
    // A bone showing graph 0 (the 1 x 1 empty picture) touches nothing.
    Pose cero;
    cero.estado.BoneList.push_back(RepBone{});
    EXPECT_EQ(colisionPoseImagen(cero.estado, *cero.pack, 100, 100, bala, 100, 100, 0, 1, 1), 0);
}

TEST_F(Sprite, TwoPoses) {
    Pose a, b;
    a.hueso(10, 10, 0, 0, 0, 0, 0, 1);
    a.hueso(10, 10, 0, 0, 50, 0, 0, 1);
    b.hueso(10, 10, 0, 0, 0, 0, 0, 1);
    EXPECT_EQ(colisionPoses(a.estado, *a.pack, 0, 100, b.estado, *b.pack, 55, 105), 1) << "second bone of A";
    EXPECT_EQ(colisionPoses(a.estado, *a.pack, 0, 100, b.estado, *b.pack, 25, 105), 0);
    EXPECT_EQ(colisionPoses(b.estado, *b.pack, 55, 105, a.estado, *a.pack, 0, 100), 1);
}

}  // namespace
