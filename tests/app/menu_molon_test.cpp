#include "app/menu_molon.h"
#include "support/rig_fixture.h"

namespace {
class MenuTest : public testrig::HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        testrig::UseDataDir();
        TMenuMolon::cargarRecursos();
        menu = TMenuMolon::Create();
    }
    std::unique_ptr<TMenuMolon> menu;

    // Text draws of one flip, in drawing order.
    std::vector<std::string> textsOfFlip(int flip) {
        std::vector<std::string> out;
        for (const std::string& line : testrig::TraceOps("text"))
            if (testrig::Field(line, "flip") == std::to_string(flip)) out.push_back(line);
        return out;
    }
};
}  // namespace

// The slide ends at flip 11, so the first frame that reads the arrows is drawn in flip 12.
TEST_F(MenuTest, SlidesInAndRestsAtFiftyUnitSpacing) {
    testrig::Script({"13 key Enter press"});
    EXPECT_EQ(menu->start(), 0);

    const int tops[] = {30, 57, 81, 102, 121, 138, 153, 167, 179, 190, 200};
    for (int flip = 1; flip <= 11; ++flip) {
        auto texts = textsOfFlip(flip);
        ASSERT_EQ(texts.size(), 5u) << flip;
        EXPECT_EQ(testrig::Field(texts[0], "y"), std::to_string(tops[flip - 1])) << flip;
    }
    auto rest = textsOfFlip(12);
    ASSERT_EQ(rest.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(testrig::Field(rest[i], "text"), menu->options[i]);
        EXPECT_EQ(testrig::Field(rest[i], "x"), "170");
        EXPECT_EQ(testrig::Field(rest[i], "y"), std::to_string(200 + 50 * i));
        EXPECT_EQ(testrig::Field(rest[i], "rgb"), i == 0 ? "[64,127,255]" : "[0,0,0]");
    }
    if (TMenuMolon::titulo) {  // the title picture comes from the data build
        EXPECT_EQ(testrig::Field(testrig::TraceOps("image").at(0), "src"), "artwork/titulo.png");
    }
}

TEST_F(MenuTest, SelectionWrapsBothWays) {
    testrig::Script({"11 key Up press", "12 key Enter press"});
    EXPECT_EQ(menu->start(), 4);
    auto texts = textsOfFlip(12);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(testrig::Field(texts[4], "rgb"), "[64,127,255]");

    // Each showing starts afresh with "Jugar"; Down from "Salir" wraps to "Jugar".
    testrig::Script({"11 key Up press", "12 key Down press", "13 key Down press", "14 key Enter press"});
    EXPECT_EQ(menu->start(), 1);
}

TEST_F(MenuTest, UpAndDownInOneFrameCancelOut) {
    testrig::Script({"11 key Up press", "11 key Down press", "12 key Enter press"});
    EXPECT_EQ(menu->start(), 0);
}

TEST_F(MenuTest, EnterDuringTheSlideChoosesJugarAtOnce) {
    testrig::Script({"3 key Down press", "3 key Enter press"});
    EXPECT_EQ(menu->start(), 0);
    EXPECT_EQ(session::FlipCount(), 3);
}
