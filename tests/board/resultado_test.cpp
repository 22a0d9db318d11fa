#include "board/resultado.h"
#include "platform/session/clock.h"
#include "platform/video/render.h"
#include "support/minigame_fixture.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Resultado : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        testrig::UseDataDir();
        TResultado::cargarRecursos();
        figuras::sonidosMudos({"sfx/yeha.wav", "sfx/perder.wav"});
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }

    // Left edge of the word's copies (white then coloured) on each flip, in flip order.
    struct Frame {
        int flip;
        double x;
        int32_t ms;
    };
    std::vector<Frame> palabras(const std::string& palabra) {
        std::vector<Frame> out;
        std::vector<std::string> flips = testrig::TraceOps("flip");
        for (const std::string& l : testrig::TraceOps("text")) {
            if (testrig::Field(l, "text") != palabra || testrig::Field(l, "scale") != "[1,1]") continue;
            const int flip = std::stoi(testrig::Field(l, "flip"));
            int32_t ms = 0;
            for (const std::string& f : flips)
                if (testrig::Field(f, "flip") == std::to_string(flip))
                    ms = std::stoi(testrig::Field(f, "ms"));
            out.push_back({flip, std::stod(testrig::Field(l, "x")), ms});
        }
        return out;
    }
    float anchoDe(const std::string& palabra) {
        SetImageFont(TResultado::fuente);
        return TextWidth(palabra);
    }
};

TEST_F(Resultado, VictoryShowsYeahAndTheTurnPlayersPictureInGreen) {
    auto r = TResultado::Create(2, 1);
    EXPECT_EQ(r->texto, "YEAH!");
    auto sonidos = testrig::TraceOps("sound");
    ASSERT_EQ(sonidos.size(), 1u);
    EXPECT_EQ(testrig::Field(sonidos[0], "src"), "sfx/yeha.wav");

    SetColor(10, 20, 30);
    SetAlpha(0.5f);
    SetBlend(ALPHABLEND);
    EXPECT_EQ(r->show(), 0);

    auto imgs = testrig::TraceOps("image");
    ASSERT_FALSE(imgs.empty());
    for (const std::string& l : imgs) {
        EXPECT_EQ(testrig::Field(l, "src"), "artwork/char-quelbido.png");
        EXPECT_EQ(testrig::Field(l, "rgb"), "[0,255,0]");
        EXPECT_NEAR(std::stod(testrig::Field(l, "alpha")), 0.75, 0.01);
        EXPECT_EQ(testrig::Field(l, "scale"), "[0.5,0.5]");
        EXPECT_EQ(testrig::Field(l, "y"), "384");
    }
    // Each frame: a white copy one percent larger (alpha as before), the picture, then
    // the green word at alpha 0.9.
    std::vector<std::string> primeras;
    const std::string primerFlip = testrig::Field(testrig::TraceOps("text").at(0), "flip");
    for (const std::string& l : rig::CapturedTrace())
        if (testrig::Field(l, "flip") == primerFlip && (l.find("\"op\":\"text\"") != std::string::npos ||
                                                        l.find("\"op\":\"image\"") != std::string::npos))
            primeras.push_back(l);
    ASSERT_EQ(primeras.size(), 3u);
    EXPECT_EQ(testrig::Field(primeras[0], "rgb"), "[255,255,255]");
    EXPECT_EQ(testrig::Field(primeras[0], "scale"), "[1.01,1.01]");
    EXPECT_NEAR(std::stod(testrig::Field(primeras[0], "alpha")), 0.5, 0.01);
    EXPECT_EQ(testrig::Field(primeras[0], "font"), "comic.ttf@200");
    EXPECT_EQ(testrig::Field(primeras[2], "rgb"), "[0,255,0]");
    EXPECT_NEAR(std::stod(testrig::Field(primeras[2], "alpha")), 0.9, 0.01);
    // The picture mirrors the word about the middle: at 1024 - x.
    const double w = anchoDe("YEAH!");
    const double xPalabra = std::stod(testrig::Field(primeras[2], "x")) + w / 2;
    EXPECT_NEAR(std::stod(testrig::Field(primeras[1], "x")), 1024 - xPalabra, 1e-3);

    // The state in force before show is back afterwards.
    int cr, cg, cb;
    GetColor(cr, cg, cb);
    EXPECT_EQ(cr + cg + cb, 60);
    EXPECT_NEAR(GetAlpha(), 0.5f, 0.01f);
}

TEST_F(Resultado, DefeatShowsFailAndTheFirstCharacterInRed) {
    auto r = TResultado::Create(0, 0);
    EXPECT_EQ(r->texto, "FAIL");
    EXPECT_EQ(testrig::Field(testrig::TraceOps("sound").at(0), "src"), "sfx/perder.wav");
    r->show();
    auto imgs = testrig::TraceOps("image");
    ASSERT_FALSE(imgs.empty());
    EXPECT_EQ(testrig::Field(imgs[0], "src"), "artwork/char-tarsun.png");
    EXPECT_EQ(testrig::Field(imgs[0], "rgb"), "[255,0,0]");
    auto ws = palabras("FAIL");
    ASSERT_FALSE(ws.empty());
}

// Slides in, rests with its centre on 512 for a second, slides out; about 3.4 s in all.
TEST_F(Resultado, RestsCentredForOneSecondThenLeaves) {
    auto r = TResultado::Create(1, 1);
    const int32_t inicio = Millisecs();
    r->show();
    const double w = anchoDe("YEAH!");
    auto ws = palabras("YEAH!");
    ASSERT_GT(ws.size(), 100u);
    EXPECT_DOUBLE_EQ(ws.front().x + w / 2, -1000);
    EXPECT_GE(ws.back().x + w / 2, 1900);
    EXPECT_LT(ws.back().x + w / 2, 2024) << "the frame reaching 2024 is not drawn";

    int primero = -1, ultimo = -1;
    for (size_t i = 0; i < ws.size(); ++i) {
        EXPECT_LE(ws[i].x + w / 2, 2024);
        if (i > 0) {
            EXPECT_GE(ws[i].x, ws[i - 1].x) << "never moves back";
        }
        if (ws[i].x + w / 2 == 512) {
            if (primero < 0) primero = static_cast<int>(i);
            ultimo = static_cast<int>(i);
        }
    }
    ASSERT_GE(primero, 0) << "the word must stop exactly at 512";
    // Held for every frame up to the one whose clock passes one second after the stop.
    const int32_t parado = ws[static_cast<size_t>(primero)].ms;
    EXPECT_GE(ws[static_cast<size_t>(ultimo)].ms - parado, 983);
    EXPECT_LE(ws[static_cast<size_t>(ultimo)].ms - parado, 1017 + 17);
    EXPECT_GT(ws[static_cast<size_t>(ultimo) + 1].x + w / 2, 512);

    const int32_t total = Millisecs() - inicio;
    EXPECT_GT(total, 3200);
    EXPECT_LT(total, 3600);
}

TEST_F(Resultado, TenthOfASecondFramesMoveTheWord125Units) {
    auto r = TResultado::Create(3, 0);
    r->tiempo->setFps(10);
    r->show();
    const double w = anchoDe("FAIL");
    auto ws = palabras("FAIL");
    ASSERT_GT(ws.size(), 14u);
    // A frame draws the position its predecessors reached; the first frame's step is 0.
    // So -1000 twice, then 125 a frame up to 500, then 625 is held at the middle.
    EXPECT_DOUBLE_EQ(ws[0].x + w / 2, -1000);
    for (int i = 1; i <= 13; ++i)
        EXPECT_DOUBLE_EQ(ws[static_cast<size_t>(i)].x + w / 2, -1000 + 125 * (i - 1)) << i;
    EXPECT_DOUBLE_EQ(ws[14].x + w / 2, 512);
}

TEST_F(Resultado, HeldEscapeEndsAfterTheCurrentFrame) {
    auto r = TResultado::Create(0, 1);
    testrig::Script({"3 key Escape down"});
    r->show();
    EXPECT_EQ(session::FlipCount(), 3);
}

TEST_F(Resultado, MissingPicturesAndSoundsDrawAndPlayNothing) {
    setGestorSonido(nullptr);
    auto guardados = TResultado::personajes;
    TResultado::personajes = {};
    auto r = TResultado::Create(1, 0);
    EXPECT_TRUE(testrig::TraceOps("sound").empty());
    testrig::Script({"5 key Escape down"});
    r->show();
    EXPECT_TRUE(testrig::TraceOps("image").empty());
    EXPECT_FALSE(testrig::TraceOps("text").empty());
    // A slot without a picture (outside the four) draws none either.
    auto fuera = TResultado::Create(7, 1);
    testrig::Script({"2 key Escape down"});
    fuera->show();
    TResultado::personajes = guardados;
}

}  // namespace
