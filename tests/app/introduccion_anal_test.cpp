#include "app/introduccion_anal.h"
#include "datos_prueba.h"
#include "engine/gestor_sonido.h"
#include "support/rig_fixture.h"

#include <map>

namespace {
using testrig::Field;

class IntroTest : public testrig::HeadlessTest {
   protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        datos::Preparar("intro");
        TGestorSonido::CreateGlobal();
        TIntroduccionAnal::cargarRecursos();
        intro = TIntroduccionAnal::Create();
    }
    void TearDown() override {
        setGestorSonido(nullptr);
        HeadlessTest::TearDown();
    }
    std::unique_ptr<TIntroduccionAnal> intro;

    // Flips in which the picture was drawn.
    static std::vector<int> flipsOf(const std::string& src) {
        std::vector<int> out;
        for (const std::string& l : testrig::TraceOps("image"))
            if (Field(l, "src") == src) out.push_back(std::stoi(Field(l, "flip")));
        return out;
    }
    // The channel the title music plays on, and whether it was stopped.
    static std::string canalTitulo() {
        for (const std::string& l : testrig::TraceOps("sound"))
            if (Field(l, "src") == "music/title.ogg") return Field(l, "channel");
        return {};
    }
    static bool parado(const std::string& canal) {
        for (const std::string& l : testrig::TraceOps("channel"))
            if (Field(l, "channel") == canal && Field(l, "stop") == "1") return true;
        return false;
    }
};
}  // namespace

// Flip 1 is the cleared screen; the first logo shows from flip 2. A character typed in a
// flip is read in the next frame, which still draws the picture once more.
TEST_F(IntroTest, EscapeOnAPictureEndsEverythingAndStopsTheTitleMusic) {
    testrig::Script({"3 type a", "5 key Escape press"});
    EXPECT_EQ(intro->start(), 1);

    EXPECT_EQ(session::FlipCount(), 6);
    EXPECT_EQ(flipsOf("artwork/7341logos.jpg"), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(flipsOf("artwork/trep-logo.jpg"), (std::vector<int>{5, 6}));
    EXPECT_TRUE(testrig::TraceOps("text").empty()) << "no presentation after Escape";
    EXPECT_TRUE(flipsOf("artwork/intro-personajes.png").empty());

    // The first logo is centred with integer halves; the others sit at the corner.
    auto logo = testrig::TraceOps("image").front();
    EXPECT_EQ(Field(logo, "x"), "312");
    EXPECT_EQ(Field(logo, "y"), "284");

    auto sonidos = testrig::TraceOps("sound");
    ASSERT_EQ(sonidos.size(), 2u);
    EXPECT_EQ(Field(sonidos[1], "src"), "sfx/boum.wav");
    EXPECT_EQ(Field(sonidos[1], "flip"), "2") << "after the first flip";
    const std::string canal = canalTitulo();
    ASSERT_FALSE(canal.empty());
    EXPECT_TRUE(parado(canal));
}

TEST_F(IntroTest, TwoQuickKeysSkipAPictureWithoutDrawingIt) {
    testrig::Script({"2 type a", "2 type b", "4 key Escape press"});
    intro->start();
    EXPECT_EQ(flipsOf("artwork/7341logos.jpg"), (std::vector<int>{2, 3}));
    EXPECT_TRUE(flipsOf("artwork/trep-logo.jpg").empty());
    EXPECT_EQ(flipsOf("artwork/fustel-logo.jpg"), (std::vector<int>{4, 5}));
}

// One character per picture: picture k shows in flips 2k and 2k + 1; the presentation
// starts at flip 18 and, untouched, lasts five periods of 144 frames.
TEST_F(IntroTest, PresentationShowsTheFourCharactersAndEndsAfter720Frames) {
    std::vector<std::string> script;
    for (int k = 1; k <= 8; ++k) script.push_back(std::to_string(2 * k) + " type x");
    testrig::Script(script);
    intro->start();

    const char* orden[] = {"artwork/7341logos.jpg",   "artwork/trep-logo.jpg",  "artwork/fustel-logo.jpg",
                           "artwork/mirelo-logo.jpg", "artwork/sondo-logo.jpg", "artwork/intro-1.png",
                           "artwork/intro-2.png",     "artwork/intro-3.png"};
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(flipsOf(orden[k - 1]), (std::vector<int>{2 * k, 2 * k + 1})) << orden[k - 1];
    EXPECT_EQ(session::FlipCount(), 17 + 720);

    std::map<std::string, std::vector<std::string>> ys;
    for (const std::string& l : testrig::TraceOps("text")) {
        ys[Field(l, "text")].push_back(Field(l, "y"));
        EXPECT_EQ(Field(l, "x"), "400");
        EXPECT_EQ(Field(l, "blend"), "3");
    }
    ASSERT_EQ(ys.size(), 4u);
    // The name drops in and halts at 387 after 8 frames; the last frame of a period
    // already shows the next name back at the top.
    EXPECT_EQ(ys["Tarsun"].size(), 143u);
    for (const char* n : {"Er_Varsen", "Quelbido", "Pexil"}) {
        ASSERT_EQ(ys[n].size(), 144u) << n;
        EXPECT_EQ(ys[n][0], "-10") << n;
    }
    const std::vector<std::string> caida{"190", "290", "340", "365", "377", "383", "386", "387", "387"};
    EXPECT_EQ(std::vector<std::string>(ys["Tarsun"].begin(), ys["Tarsun"].begin() + 9), caida);

    // The portrait rises to 367 in 8 frames, then creeps up a unit a frame.
    auto retratos = flipsOf("artwork/char-tarsun.png");
    ASSERT_EQ(retratos.size(), 143u);
    std::vector<std::string> py;
    for (const std::string& l : testrig::TraceOps("image"))
        if (Field(l, "src") == "artwork/char-tarsun.png") py.push_back(Field(l, "y"));
    EXPECT_EQ(py[7], "367");
    EXPECT_EQ(py[8], "366");

    // The background scrolls 25 a frame from -768 and repeats; the fifth period draws only it.
    auto fondo = flipsOf("artwork/intro-personajes.png");
    EXPECT_EQ(fondo.size(), 720u);
    EXPECT_TRUE(parado(canalTitulo()));
}

TEST_F(IntroTest, AnyKeyDuringThePresentationEndsIt) {
    std::vector<std::string> script;
    for (int k = 1; k <= 8; ++k) script.push_back(std::to_string(2 * k) + " type x");
    script.push_back("40 type q");
    testrig::Script(script);
    intro->start();
    EXPECT_EQ(session::FlipCount(), 41);
    EXPECT_TRUE(parado(canalTitulo()));
}
