#include "app/command_line.h"
#include "platform/input/script.h"
#include "platform/platform.h"

#include <gtest/gtest.h>

namespace {
class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        session::Reset();
        input::ClearScript();
        input::Reset();
    }
    void TearDown() override {
        session::Reset();
        input::ClearScript();
    }
};
}  // namespace

TEST_F(InputTest, KeyHitCountsPressesAndResetsOnQuery) {
    input::KeyEvent(KEY_Q, true);
    input::KeyEvent(KEY_Q, false);
    input::KeyEvent(KEY_Q, true);
    EXPECT_EQ(KeyDown(KEY_Q), 1);
    EXPECT_EQ(KeyHit(KEY_Q), 2);
    EXPECT_EQ(KeyHit(KEY_Q), 0);
    // Auto-repeat (down while already down) is not a new press.
    input::KeyEvent(KEY_Q, true);
    EXPECT_EQ(KeyHit(KEY_Q), 0);
    input::KeyEvent(KEY_Q, false);
    EXPECT_EQ(KeyDown(KEY_Q), 0);
    EXPECT_EQ(KeyHit(0), 0);
    EXPECT_EQ(KeyHit(300), 0);
}

TEST_F(InputTest, EnterEscapeBackspaceTabAreTypedButArrowsAreNot) {
    for (int key : {KEY_ENTER, KEY_LEFT, KEY_ESCAPE, KEY_DOWN, KEY_BACKSPACE, KEY_TAB}) {
        input::KeyEvent(key, true);
        input::KeyEvent(key, false);
    }
    input::CharEvent(0xF1);  // ñ
    EXPECT_EQ(GetChar(), 13);
    EXPECT_EQ(GetChar(), 27);
    EXPECT_EQ(GetChar(), 8);
    EXPECT_EQ(GetChar(), 9);
    EXPECT_EQ(GetChar(), 0xF1);
    EXPECT_EQ(GetChar(), 0);
}

TEST_F(InputTest, TheCharacterQueueHolds256) {
    for (int i = 0; i < 300; ++i) input::CharEvent('a');
    int n = 0;
    while (GetChar() != 0) ++n;
    EXPECT_EQ(n, 256);
}

TEST_F(InputTest, FlushClearsKeysCharactersAndMouse) {
    input::KeyEvent(KEY_SPACE, true);
    input::CharEvent('x');
    input::MouseButtonEvent(1, true);
    input::WheelEvent(3);
    FlushKeys();
    EXPECT_EQ(KeyDown(KEY_SPACE), 0);
    EXPECT_EQ(KeyHit(KEY_SPACE), 0);
    EXPECT_EQ(GetChar(), 0);
    EXPECT_EQ(MouseDown(1), 1);  // keys only
    FlushMouse();
    EXPECT_EQ(MouseDown(1), 0);
    EXPECT_EQ(MouseHit(1), 0);
    EXPECT_EQ(MouseZ(), 0);
}

TEST_F(InputTest, ScriptEventsArriveAtTheirFlip) {
    input::AddScriptLine("2 key Q press   # comment");
    input::AddScriptLine("1 mouse 10 20");
    input::AddScriptLine("1 button 1 down");
    input::AddScriptLine("2 type ñ");
    input::AddScriptLine("3 key 27 down");
    input::AddScriptLine("# only a comment");
    EXPECT_EQ(MouseX(), 0);  // nothing before flip 1
    // Flips are counted by the rig; deliver as the flip processing would.
    session::FlipDone(1, 0);
    EXPECT_EQ(MouseX(), 10);
    EXPECT_EQ(MouseY(), 20);
    EXPECT_EQ(MouseHit(1), 1);
    EXPECT_EQ(KeyHit(KEY_Q), 0);
    session::FlipDone(1, 0);
    EXPECT_EQ(KeyHit(KEY_Q), 1);
    EXPECT_EQ(KeyDown(KEY_Q), 0);
    EXPECT_EQ(GetChar(), 'q');  // a real key types as well, lower case without Shift
    EXPECT_EQ(GetChar(), 0xF1);
    session::FlipDone(1, 0);
    EXPECT_EQ(KeyDown(KEY_ESCAPE), 1);
}

TEST_F(InputTest, MalformedScriptLinesAreClearErrors) {
    for (const char* bad : {"x key Q press", "3 key Q hold", "3 jump", "3 button 4 down", "3 mouse 1",
                            "3 key 999 down", "3 type ab"}) {
        EXPECT_THROW(input::AddScriptLine(bad), GameError) << bad;
    }
}

TEST_F(InputTest, OptionsParse) {
    const char* argv[] = {"frikipartida", "--headless", "--virtual-clock", "--shot", "5:a.png",
                          "--max-flips", "40", "--seed", "-3", "--script", "s.txt"};
    session::Options o = cli::ParseOptions(11, const_cast<char**>(argv));
    EXPECT_TRUE(o.headless);
    EXPECT_TRUE(o.virtualClock);
    EXPECT_FALSE(o.window);
    ASSERT_EQ(o.shots.size(), 1u);
    EXPECT_EQ(o.shots[0].first, 5);
    EXPECT_EQ(o.shots[0].second, "a.png");
    EXPECT_EQ(o.maxFlips, 40);
    EXPECT_EQ(*o.seed, -3);
    EXPECT_EQ(o.script, "s.txt");
    const char* bad[] = {"frikipartida", "--speed"};
    EXPECT_THROW(cli::ParseOptions(2, const_cast<char**>(bad)), GameError);
    const char* badShot[] = {"frikipartida", "--shot", "a.png"};
    EXPECT_THROW(cli::ParseOptions(3, const_cast<char**>(badShot)), GameError);
}
