#include "engine/contador.h"
#include "platform/platform.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

namespace {

class Contador : public testrig::HeadlessTest {
   protected:
    // The bar and the number of one Dibujar, from the trace.
    struct Dibujo {
        std::string rect, text;
    };
    Dibujo dibujar(TContador& c) {
        rig::CapturedTrace().clear();
        c.Dibujar();
        auto rects = testrig::TraceOps("rect");
        auto texts = testrig::TraceOps("text");
        return {rects.empty() ? "" : rects[0], texts.empty() ? "" : texts[0]};
    }
};

TEST_F(Contador, FullBarThenHalfThenOver) {
    auto c = TContador::Create(30);
    c->update();
    Dibujo d = dibujar(*c);
    EXPECT_EQ(testrig::Field(d.text, "text"), "30");
    EXPECT_EQ(std::stof(testrig::Field(d.rect, "w")), 1000.0f);
    EXPECT_EQ(testrig::Field(d.rect, "rgb"), "[0,255,0]");
    EXPECT_EQ(std::stof(testrig::Field(d.rect, "x")), 24.0f);
    EXPECT_EQ(std::stof(testrig::Field(d.rect, "y")), 708.0f);

    clockseam::Advance(15000);
    c->update();
    EXPECT_FLOAT_EQ(c->getVida(), 15.0f);
    d = dibujar(*c);
    EXPECT_EQ(testrig::Field(d.text, "text"), "15");
    EXPECT_FLOAT_EQ(std::stof(testrig::Field(d.rect, "w")), 500.0f);
    EXPECT_EQ(testrig::Field(d.rect, "rgb"), "[127,127,0]");

    clockseam::Advance(14500);
    c->update();
    EXPECT_EQ(c->haAcabado(), 0);
    EXPECT_EQ(testrig::Field(dibujar(*c).text, "text"), "0");

    clockseam::Advance(700);
    c->update();
    EXPECT_EQ(c->haAcabado(), 1);
    const float primera = c->getVida();
    EXPECT_NEAR(primera, -0.2f, 1e-4);
    d = dibujar(*c);
    EXPECT_TRUE(d.rect.empty() && d.text.empty()) << "nothing once the time is over";
    clockseam::Advance(5000);
    c->update();
    EXPECT_EQ(c->getVida(), primera) << "the first negative value is kept";
}

TEST_F(Contador, DibujarKeepsTheRenderState) {
    auto c = TContador::Create(10);
    SetColor(1, 2, 3);
    SetAlpha(0.3f);
    SetBlend(SHADEBLEND);
    SetTransform(12, 0.5f, 0.25f);
    c->Dibujar();
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r * 100 + g * 10 + b, 123);
    EXPECT_NEAR(GetAlpha(), 0.3f, 0.01f);
    EXPECT_EQ(GetBlend(), SHADEBLEND);
    float sx, sy;
    GetScale(sx, sy);
    EXPECT_EQ(GetRotation(), 12.0f);
    EXPECT_EQ(sx, 0.5f);
    EXPECT_EQ(sy, 0.25f);
}

}  // namespace
