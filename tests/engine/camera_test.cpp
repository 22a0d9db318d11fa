#include "engine/camera.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Camera, NewCameraAndFrame) {
    TCameraPtr cam = TCamera::Create();
    EXPECT_FLOAT_EQ(cam->getRadius(), 645.0f);  // (sqrt(512^2 + 384^2) + 5) / 1
    EXPECT_FLOAT_EQ(cam->centroX, 511.5f);
    EXPECT_FLOAT_EQ(cam->centroY, 383.5f);

    cam->setFrame(0, 0, 800, 600, 3);
    EXPECT_FLOAT_EQ(cam->centroX, 399.5f);
    EXPECT_FLOAT_EQ(cam->centroY, 299.5f);
    EXPECT_FLOAT_EQ(cam->getRadius(), 505.0f);
    EXPECT_EQ(cam->z, 3.0f);

    TCamera a, b;
    a.z = 1;
    b.z = 2;
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(b.Compare(a), 1);
    EXPECT_EQ(a.Compare(a), 0);
}

TEST(Camera, AngleNormalisation) {
    TCamera cam;
    cam.setAngle(-30);
    EXPECT_FLOAT_EQ(cam.getAngle(), 330.0f);
    cam.setAngle(725);
    EXPECT_FLOAT_EQ(cam.getAngle(), 5.0f);
    cam.setAngle(360);
    EXPECT_EQ(cam.getAngle(), 0.0f);
    // -1e-6 + 360 rounds to 360 in single precision; the field stays below 360.
    cam.setAngle(-1e-6f);
    EXPECT_GE(cam.getAngle(), 0.0f);
    EXPECT_LT(cam.getAngle(), 360.0f);
    cam.setZoom(2);
    cam.setAngle(45);
    EXPECT_FLOAT_EQ(cam.getRadius(), 322.5f) << "setAngle does not touch the radius";
}

TEST(Camera, TableLookupsStayInsideTheTable) {
    EXPECT_FLOAT_EQ(TCamera::sinTabla(90), 1.0f);
    EXPECT_FLOAT_EQ(TCamera::sinTabla(-90), -1.0f);
    EXPECT_NEAR(TCamera::cosTabla(180), -1.0f, 1e-6);
    EXPECT_EQ(TCamera::tablaIndex(0.05f), 0);  // a tenth of a degree per entry
    EXPECT_EQ(TCamera::tablaIndex(0.15f), 1);
    EXPECT_EQ(TCamera::tablaIndex(-0.05f), 3599);
    // Angles a hair below a multiple of 360 normalise to 360 itself.
    const float hairs[] = {-std::numeric_limits<float>::denorm_min(), -1e-6f, -1e-5f,
                           std::nextafter(720.0f, 0.0f), std::nextafter(-360.0f, 0.0f)};
    for (float a : hairs) {
        const int i = TCamera::tablaIndex(a);
        EXPECT_GE(i, 0) << a;
        EXPECT_LT(i, 3600) << a;
    }
    EXPECT_EQ(TCamera::tablaIndex(-1e-6f), 0);
    EXPECT_EQ(TCamera::tablaIndex(std::nanf("")), 0);
    EXPECT_EQ(TCamera::tablaIndex(std::numeric_limits<float>::infinity()), 0);
}

TEST(Camera, ZoomRules) {
    TCameraPtr cam = TCamera::Create();
    cam->setZoom(-1);
    EXPECT_EQ(cam->getZoom(), 1.0f);
    cam->setZoom(std::nanf(""));
    EXPECT_EQ(cam->getZoom(), 1.0f);
    EXPECT_FLOAT_EQ(cam->getRadius(), 645.0f);
    cam->setZoom(2);
    EXPECT_EQ(cam->getZoom(), 2.0f);
    EXPECT_FLOAT_EQ(cam->getRadius(), 322.5f);
    cam->setZoom(0);  // accepted: nothing is then too far away
    EXPECT_EQ(cam->getZoom(), 0.0f);
    EXPECT_TRUE(std::isinf(cam->getRadius()));
}

TEST(Camera, ConversionsIgnoreTheAngle) {
    TCameraPtr cam = TCamera::Create();
    cam->setPosition(1000, -200);
    EXPECT_FLOAT_EQ(cam->realToScreenX(1000), cam->centroX);
    EXPECT_FLOAT_EQ(cam->realToScreenY(-200), cam->centroY);
    cam->setZoom(2);
    cam->setAngle(90);
    EXPECT_FLOAT_EQ(cam->realToScreenX(1010), cam->centroX + 20);
    EXPECT_FLOAT_EQ(cam->realToScreenY(-190), cam->centroY + 20);
    EXPECT_FLOAT_EQ(cam->screenXToReal(cam->centroX + 20), 1010);
    EXPECT_FLOAT_EQ(cam->screenYToReal(cam->centroY - 20), -210);
}

TEST(Camera, WorldToScreenTurnsClockwise) {
    TCameraPtr cam = TCamera::Create();
    cam->setPosition(50, 50);
    cam->setAngle(90);
    float sx, sy;
    cam->worldToScreen(60, 50, sx, sy);  // 10 right of the camera point
    EXPECT_NEAR(sx, 511.5f, 1e-4);
    EXPECT_NEAR(sy, 393.5f, 1e-4);  // 10 below the centre
    cam->setZoom(3);
    cam->worldToScreen(50, 60, sx, sy);  // 10 below -> 30 left
    EXPECT_NEAR(sx, 481.5f, 1e-3);
    EXPECT_NEAR(sy, 383.5f, 1e-3);
}

class CameraDraw : public testrig::HeadlessTest {
   protected:
    // A solid white square of side n, mid-handled.
    TImagePtr cuadrado(int n) {
        TImagePtr img = CreateImage(n, n, 1, 0);
        LockImage(img, 0, true, true)->ClearPixels(0xFFFFFFFF);
        MidHandleImage(img);
        return img;
    }
    static uint32_t pixel(int x, int y) {
        TPixmapPtr p = GrabPixmap(x, y, 1, 1);
        return p ? p->ReadPixel(0, 0) & 0xFFFFFF : 0xDEAD;
    }
};

TEST_F(CameraDraw, RotationBy90DrawsAPointBelowTheCentre) {
    TCameraPtr cam = TCamera::Create();
    cam->setPosition(1000, 1000);
    cam->setAngle(90);
    SetBlend(SOLIDBLEND);
    Cls();
    EXPECT_EQ(cam->imageDraw(cuadrado(4), 1040, 1000, 10, 1, 1), 1);
    EXPECT_EQ(pixel(511, 423), 0xFFFFFFu);  // 40 below the centre (511.5, 383.5)
    EXPECT_EQ(pixel(551, 383), 0u);         // not to the right
    float rot, sx, sy;
    rot = GetRotation();
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(rot, 100.0f) << "camera angle + rotation is left in the render state";
    EXPECT_FLOAT_EQ(sx, 1.0f);

    cam->setZoom(2);
    EXPECT_EQ(cam->imageDraw(cuadrado(4), 1000, 1000, 0, 1.5f, 0.5f), 1);
    GetScale(sx, sy);
    EXPECT_FLOAT_EQ(sx, 3.0f);
    EXPECT_FLOAT_EQ(sy, 1.0f);
}

TEST_F(CameraDraw, ExactVisibilityBoundary) {
    TCameraPtr cam = TCamera::Create();         // radius 645
    TImagePtr img = CreateImage(30, 40, 1, 0);  // diagonal 50
    EXPECT_EQ(cam->imageDraw(img, 695, 0, 0, 1, 1), 0) << "distance == size + radius is skipped";
    EXPECT_EQ(cam->imageDraw(img, 694.99f, 0, 0, 1, 1), 1);
    EXPECT_EQ(cam->imageDraw(img, 0, -1345, 0, 2, 2), 0);  // diagonal 100 + 645 / zoom
    EXPECT_EQ(cam->imageDraw(img, 0, -744.9f, 0, 2, 2), 1);
    cam->setZoom(0.5f);  // radius 1290
    EXPECT_EQ(cam->imageDraw(img, 0, 1339.9f, 0, 1, 1), 1);
    EXPECT_EQ(cam->imageDraw(nullptr, 0, 0, 0, 1, 1), 0);
}

TEST_F(CameraDraw, Texts) {
    TCameraPtr cam = TCamera::Create();
    SetImageFont(nullptr);
    const size_t antes = testrig::TraceOps("text").size();
    EXPECT_EQ(cam->textDraw("", 0, 0, 0, 1, 1), 0);
    EXPECT_EQ(testrig::TraceOps("text").size(), antes) << "an empty text draws nothing";
    EXPECT_EQ(cam->textDraw("12", 100, 0, 0, 2, 1.5f), 1);
    EXPECT_EQ(testrig::TraceOps("text").size(), antes + 1);
    const float w = TextWidth("12") * 2, h = TextHeight("12") * 1.5f;
    const float lejos = 645 + std::sqrt(w * w + h * h);
    EXPECT_EQ(cam->textDraw("12", lejos + 0.5f, 0, 0, 2, 1.5f), 0);
}

}  // namespace
