#include "board/ficha.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

namespace {

// A two-bone figure: the root 10 to the right of the token, its son 20 further, both
// showing graph 1 of the pack (an 8 by 8 block, pivot in the middle).
struct Figura {
    VBAPtr set = std::make_shared<VBA>();
    VGPPtr pack = std::make_shared<VGP>();
    Figura() {
        InitTrigTables();  // start-up fills the playback tables
        set->Father = std::make_unique<VBABone>();
        auto hijo = std::make_unique<VBABone>();
        hijo->ID = 1;
        set->Father->Sons.push_back(std::move(hijo));
        set->Father->NSons = 1;
        set->NBones = 2;
        auto anim = std::make_shared<VBAAnim>();
        anim->Frames = std::make_unique<VBAFrame>();
        anim->Frames->Duration = 100;
        anim->Frames->Bones.resize(2);
        anim->Frames->Bones[0].X = 10;
        anim->Frames->Bones[0].Graph = 1;
        anim->Frames->Bones[0].Size = 1.5f;
        anim->Frames->Bones[1].X = 20;
        anim->Frames->Bones[1].Graph = 1;
        anim->Frames->Bones[1].Z = -1;
        anim->NFrames = 1;
        anim->Duration = 100;
        set->Anim.push_back(anim);
        set->NAnims = 1;

        auto g = TGraph::Create();
        g->W = g->H = 8;
        g->I = CreateImage(8, 8, 1, 0);
        LockImage(g->I, 0, true, true)->ClearPixels(0xFFFFFFFF);
        SetImageHandle(g->I, 4, 4);
        pack->Graph = {GetEmptyGraph(), g};
        pack->Size = 2;
    }
};

class Ficha : public testrig::HeadlessTest {};

TEST_F(Ficha, UpdateTakesTheClockInMilliseconds) {
    Figura f;
    auto ficha = TFicha::Create(TMapa::Create(4, 4, 128));
    ficha->init(f.set, f.pack);
    ficha->anima(0, 2.0f, 1);
    EXPECT_EQ(ficha->anim->CurrentAnim, 0);
    EXPECT_EQ(ficha->anim->FrameTime1, 0) << "a single key frame is held";
    ficha->update(123.0f, 1.5f);
    EXPECT_EQ(ficha->time, 1500.0f);
    ficha->update(0.0f, 1.5f);
    EXPECT_EQ(ficha->time, 1500.0f);
}

TEST_F(Ficha, DrawsEveryBoneThroughTheCameraAndRestoresTheState) {
    Figura f;
    TMapaPtr mapa = TMapa::Create(4, 4, 128);
    auto ficha = TFicha::Create(mapa);
    EXPECT_EQ(ficha->mapa, mapa);
    ficha->init(f.set, f.pack);
    ficha->anima(0, 0, 1);
    ficha->setPosition(100, 50);  // world units: the skeleton's origin
    ficha->setTint(255, 0, 0);
    ficha->setTransparency(0.5f);
    ficha->SetSize(2, 2);
    TCameraPtr cam = TCamera::Create();
    cam->setPosition(100, 50);

    SetColor(9, 9, 9);
    SetAlpha(1);
    SetBlend(SOLIDBLEND);
    SetTransform(0, 1, 1);
    rig::CapturedTrace().clear();
    EXPECT_EQ(ficha->Dibujar(*cam), 0);
    auto imgs = testrig::TraceOps("image");
    ASSERT_EQ(imgs.size(), 2u);
    // Sorted back to front: the son (Z -1) is in front, drawn last. Offsets doubled
    // by the token's size; each picture scaled by its bone's own size.
    EXPECT_EQ(testrig::Field(imgs[0], "x"), "531.5");  // 511.5 + 2 * 10
    EXPECT_EQ(testrig::Field(imgs[0], "y"), "383.5");
    EXPECT_EQ(testrig::Field(imgs[0], "scale"), "[1.5,1.5]");
    EXPECT_EQ(testrig::Field(imgs[1], "x"), "571.5");  // 511.5 + 2 * 30
    EXPECT_EQ(testrig::Field(imgs[1], "scale"), "[1,1]");
    for (const auto& line : imgs) {
        EXPECT_EQ(testrig::Field(line, "rgb"), "[255,0,0]");
        EXPECT_NEAR(std::stod(testrig::Field(line, "alpha")), 0.5, 0.01);
        EXPECT_EQ(testrig::Field(line, "blend"), "3");
    }
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 27);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetBlend(), SOLIDBLEND);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);

    // The camera's turn and zoom carry the whole figure.
    cam->setAngle(90);
    cam->setZoom(2);
    rig::CapturedTrace().clear();
    ficha->Dibujar(*cam);
    imgs = testrig::TraceOps("image");
    ASSERT_EQ(imgs.size(), 2u);
    EXPECT_NEAR(std::stod(testrig::Field(imgs[0], "x")), 511.5, 1e-3);
    EXPECT_NEAR(std::stod(testrig::Field(imgs[0], "y")), 423.5, 1e-3);  // 20 down, zoom 2
    EXPECT_EQ(testrig::Field(imgs[0], "rot"), "90");
    EXPECT_EQ(testrig::Field(imgs[0], "scale"), "[3,3]");
}

}  // namespace
