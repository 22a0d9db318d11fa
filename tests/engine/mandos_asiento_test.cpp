// Controllers at the seats under the rig: SDL's virtual controllers driven by script lines,
// through the platform's door and the seats' controller hooks, into the seats' key and
// mouse events.
#include "app/command_line.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/papeles.h"
#include "platform/frame.h"
#include "platform/input/script.h"
#include "support/rig_fixture.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace {

// A one-key minigame's seats with Tarsun on turn: the pointer for him, Q B P for the rest.
asientos::TPapeles unaTecla() {
    asientos::TPapeles m = asientos::soloRaton(0);
    m[1].teclas = {KEY_Q};
    m[2].teclas = {KEY_B};
    m[3].teclas = {KEY_P};
    return m;
}

class GamepadTest : public testrig::HeadlessTest {
   protected:
    // Runs n flips.
    static void flips(int n) {
        for (int i = 0; i < n; ++i) Flip(1);
    }
    static std::vector<int> tecleado() {
        std::vector<int> out;
        for (int c = GetChar(); c != 0; c = GetChar()) out.push_back(c);
        return out;
    }
};

TEST_F(GamepadTest, SeatsGoInConnectionOrderTwoPressesAtOnceCountAndUnpluggingFreesTheSeat) {
    asientos::TPapelesPublicados publicados(unaTecla());
    testrig::Script({"1 pad 7 connect", "1 pad 3 connect", "1 pad 5 connect", "2 pad 3 button a down",
                     "2 pad 5 button a down", "3 pad 7 button a down"});
    flips(2);
    EXPECT_TRUE(asientos::tieneMando(0) && asientos::tieneMando(1) && asientos::tieneMando(2));
    EXPECT_FALSE(asientos::tieneMando(3));
    // Both presses of the same flip arrive, each as its seat's key, typed as a key types.
    EXPECT_EQ(KeyHit(KEY_Q), 1);
    EXPECT_EQ(KeyHit(KEY_B), 1);
    EXPECT_EQ(tecleado(), (std::vector<int>{'q', 'b'}));
    EXPECT_EQ(MouseDown(1), 0);
    flips(1);
    EXPECT_EQ(MouseHit(1), 1) << "the seat on turn clicks with A";

    // Unplugged while A is held: the key is let go and the seat is free; the next
    // controller takes it.
    testrig::Script({"1 pad 3 disconnect", "2 pad 9 connect", "3 pad 9 button a down"});
    flips(1);
    EXPECT_EQ(KeyDown(KEY_Q), 0);
    EXPECT_EQ(KeyDown(KEY_B), 1);
    EXPECT_FALSE(asientos::tieneMando(1));
    flips(2);
    EXPECT_TRUE(asientos::tieneMando(1));
    EXPECT_EQ(KeyHit(KEY_Q), 1);

    const auto pads = testrig::TraceOps("pad");
    ASSERT_GE(pads.size(), 9u);
    EXPECT_EQ(testrig::Field(pads[0], "event"), "connect");
    EXPECT_EQ(testrig::Field(pads[3], "button"), "a");
    EXPECT_EQ(testrig::Field(pads[3], "down"), "1");
}

TEST_F(GamepadTest, PadsOptionNamesTheSeatOrderAndASeatlessPadWorksTheMenus) {
    std::vector<std::string> args = {"juego", "--pads", "PEXIL,er_varsen"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    session::Options o = cli::ParseOptions(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(o.pads, (std::vector<int>{3, 1}));
    for (const char* bad : {"Pexil,pexil", "Pexil,Pepe", ""}) {
        args[2] = bad;
        argv = {args[0].data(), args[1].data(), args[2].data()};
        EXPECT_THROW(cli::ParseOptions(3, argv.data()), GameError) << bad;
    }

    testrig::Stop();
    o.headless = o.virtualClock = true;
    platform::Startup(o);
    asientos::empezarMandos(o.pads);
    testrig::OpenDisplay();
    asientos::TPapelesPublicados publicados(unaTecla());
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "1 pad 3 connect", "2 pad 1 button a down",
                     "2 pad 2 button a down", "2 pad 3 button a down"});
    flips(2);
    EXPECT_TRUE(asientos::tieneMando(3) && asientos::tieneMando(1));
    EXPECT_FALSE(asientos::tieneMando(0) || asientos::tieneMando(2));
    EXPECT_EQ(KeyHit(KEY_P), 1);
    EXPECT_EQ(KeyHit(KEY_Q), 1);
    EXPECT_EQ(KeyHit(KEY_ENTER), 1) << "the third controller has no seat, and confirms like in the menus";
}

TEST_F(GamepadTest, MenusTakeDirectionsWithRepeatAAndStartConfirmBGoesBack) {
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "2 pad 2 axis lefty 30000"});
    flips(2);
    EXPECT_EQ(KeyHit(KEY_DOWN), 1);
    EXPECT_EQ(KeyDown(KEY_DOWN), 1);
    // Held: the first repeat after 24 flips, then every 6.
    std::vector<int> repeats;
    for (int f = 1; f <= 40; ++f) {
        flips(1);
        if (KeyHit(KEY_DOWN)) repeats.push_back(f);
    }
    EXPECT_EQ(repeats, (std::vector<int>{24, 30, 36}));
    // Back near the centre but past the release threshold: still held; nearer: let go.
    testrig::Script({"1 pad 2 axis lefty 14000", "2 pad 2 axis lefty 9000"});
    flips(1);
    EXPECT_EQ(KeyDown(KEY_DOWN), 1);
    flips(1);
    EXPECT_EQ(KeyDown(KEY_DOWN), 0);

    tecleado();
    testrig::Script({"1 pad 1 button start down", "2 pad 1 button start up", "2 pad 2 button b down",
                     "3 pad 1 button a down", "3 pad 2 button dpleft down"});
    flips(3);
    EXPECT_EQ(tecleado(), (std::vector<int>{13, 27, 13}));
    EXPECT_EQ(KeyHit(KEY_LEFT), 1);
}

TEST_F(GamepadTest, ButtonsHeldWhenTheRolesChangeActOnlyOnceLetGo) {
    testrig::Script({"1 pad 1 connect", "1 pad 2 connect", "2 pad 2 button a down"});
    std::vector<int> antes;
    {
        asientos::TPapelesPublicados publicados(unaTecla());
        flips(2);
        EXPECT_EQ(KeyDown(KEY_Q), 1);
    }
    // The minigame is over; the menu must not take the held A for Enter.
    EXPECT_EQ(KeyDown(KEY_Q), 0);
    EXPECT_EQ(KeyDown(KEY_ENTER), 0);
    testrig::Script({"1 pad 2 button a up", "2 pad 2 button a down"});
    flips(2);
    EXPECT_EQ(KeyHit(KEY_ENTER), 1);
}

TEST_F(GamepadTest, TheStickMovesThePointerFasterTheLongerItIsHeldAndTheDpadSteps) {
    asientos::TPapelesPublicados publicados(unaTecla());
    testrig::Script({"1 mouse 500 400", "1 pad 1 connect", "2 pad 1 axis leftx 32767"});
    flips(2);
    std::vector<int> pasos;
    for (int i = 0; i < 45; ++i) {
        const int x = MouseX();
        flips(1);
        pasos.push_back(MouseX() - x);
    }
    EXPECT_EQ(pasos.front(), 2) << "it starts slowly";
    EXPECT_EQ(*std::max_element(pasos.begin(), pasos.end()), 22) << "up to a top speed";
    size_t i = 1;
    for (; i < pasos.size() && pasos[i] >= pasos[i - 1]; ++i) {
    }
    // Speeding up all the way, until the window's right edge stops it.
    for (; i < pasos.size(); ++i) EXPECT_LT(pasos[i], 22) << i;
    EXPECT_EQ(pasos.back(), 0);
    EXPECT_EQ(MouseX(), 1023);
    EXPECT_EQ(MouseY(), 400);

    testrig::Script({"1 pad 1 axis leftx 0", "2 pad 1 button dpup down", "3 pad 1 button dpup up",
                     "4 pad 1 button dpleft down", "4 pad 1 button dpleft up"});
    flips(4);
    EXPECT_EQ(MouseY(), 392);
    EXPECT_EQ(MouseX(), 1015);
}

TEST_F(GamepadTest, AJoystickWithoutAMappingGetsTheDefaultOne) {
    // A plain joystick (not a known controller) plugged in by hand: buttons 0 and 1 are
    // A and B, the first hat the d-pad.
    testrig::Script({"1 pad 1 connect", "1 pad 1 disconnect"});  // starts controller support
    flips(1);
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_FLIGHT_STICK, 2, 10, 1);
    ASSERT_GE(index, 0);
    SDL_Joystick* j = SDL_JoystickOpen(index);
    flips(1);
    SDL_JoystickSetVirtualButton(j, 1, 1);
    SDL_JoystickSetVirtualHat(j, 0, SDL_HAT_DOWN);
    flips(1);
    EXPECT_EQ(tecleado(), (std::vector<int>{27}));
    EXPECT_EQ(KeyHit(KEY_DOWN), 1);
    SDL_JoystickClose(j);
    SDL_JoystickDetachVirtual(index);
    flips(1);
    EXPECT_EQ(KeyDown(KEY_DOWN), 0);
}

// What a session journal will replay: the events alone, with no SDL device behind them.
TEST_F(GamepadTest, ControllerEventsAloneDriveTheSeats) {
    asientos::TPapelesPublicados publicados(unaTecla());
    input::ControllerEvent({input::PadEvent::Connect, 4, 0, 0});
    input::ControllerEvent({input::PadEvent::Connect, 6, 0, 0});
    input::ControllerEvent({input::PadEvent::Button, 6, input::PAD_A, 1});
    input::ControllerEvent({input::PadEvent::Button, 99, input::PAD_A, 1});       // unknown pad
    input::ControllerEvent({input::PadEvent::Button, 6, input::PAD_BUTTONS, 1});  // unknown button
    input::ControllerEvent({input::PadEvent::Axis, 6, input::PAD_LEFTX, 99999});  // clamped
    EXPECT_EQ(KeyHit(KEY_Q), 1);
    EXPECT_EQ(tecleado(), (std::vector<int>{'q'}));
    EXPECT_EQ(testrig::TraceOps("pad").size(), 6u);
}

TEST_F(GamepadTest, MalformedPadLinesAreRefused) {
    for (const char* l :
         {"1 pad 0 connect", "1 pad x connect", "1 pad 1", "1 pad 1 button zz down", "1 pad 1 button a held",
          "1 pad 1 axis leftx 40000", "1 pad 1 axis wobble 3", "1 pad 1 connect now", "1 pad 1 wiggle"})
        EXPECT_THROW(input::AddScriptLine(l), GameError) << l;
    // A pad never connected: reported and ignored.
    testrig::Script({"1 pad 4 button a down", "1 pad 4 disconnect"});
    flips(1);
    EXPECT_TRUE(testrig::TraceOps("pad").empty());
}

}  // namespace
