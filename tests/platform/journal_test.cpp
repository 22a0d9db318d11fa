// The journal's one door for facts: what a recording writes comes back, in order, to a
// replay reading the file a byte at a time, without the machine being asked again.
#include "platform/session/journal.h"
#include "platform/base/errors.h"
#include "platform/session/run.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class JournalTest : public ::testing::Test {
   protected:
    void SetUp() override { session::Reset(); }
    void TearDown() override { session::Reset(); }
    const std::string path = std::string(FK_TEST_WORK) + "/journal_test.txt";
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every kind of fact and an event, asked in one order; measured says whether the machine
// was asked. Returns the answers as text.
std::string AskAll(bool& measured, journal::DisplayFact& recalled) {
    std::ostringstream out;
    auto machine = [&](auto value) {
        return [&measured, value] {
            measured = true;
            return value;
        };
    };
    out << journal::Time(machine(int32_t{-7})) << ";";
    out << journal::Playing(4, machine(1)) << ";";
    out << journal::Driver(machine(true)) << ";";
    const journal::DisplayFact shown{true, 320, 240};
    const journal::DisplayFact d =
        journal::Display(640, 480, 60, machine(shown), [&](const journal::DisplayFact& f) { recalled = f; });
    out << d.open << " " << d.width << "x" << d.height << ";";
    for (const std::string& n : journal::Dir("sfx/", machine(std::vector<std::string>{"a b.wav", ""})))
        out << "[" << n << "]";
    out << ";" << journal::Setting("jugadores", machine(std::string("cpcp 2"))) << ";";
    for (const SDL_Event& e : journal::PumpEvents(0)) out << "ev " << e.key.keysym.sym << " ";
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_q;
    key.key.keysym.scancode = SDL_SCANCODE_Q;
    out << journal::Event(key) << ";";
    for (const SDL_Event& e : journal::PumpEvents(0)) out << "ev " << e.key.keysym.sym << " ";
    return out.str();
}

}  // namespace

TEST_F(JournalTest, ReplayGivesBackEveryFactWithoutAskingTheMachine) {
    bool measured = false;
    journal::DisplayFact recalled;
    journal::StartRecording(path, {});
    const std::string live = AskAll(measured, recalled);
    EXPECT_EQ(journal::Finish(0), 0);
    EXPECT_TRUE(measured);
    EXPECT_EQ(live, "-7;1;1;1 320x240;[a b.wav][];cpcp 2;1;");

    // One byte per read: every line arrives in pieces.
    journal::StartReplay(journal::TextSource(Slurp(path), 1), "prueba");
    measured = false;
    const std::string replayed = AskAll(measured, recalled);
    EXPECT_FALSE(measured);
    EXPECT_TRUE(recalled.open);
    EXPECT_EQ(recalled.width, 320);
    // The event delivered in the first pump comes back in the first pump, and not again;
    // the machine's own event is not taken while replaying.
    EXPECT_EQ(replayed, "-7;1;1;1 320x240;[a b.wav][];cpcp 2;ev 113 0;");
    EXPECT_EQ(journal::Finish(0), 0);

    // A question the recording did not ask there: the run has left it, and the message
    // names the line.
    journal::StartReplay(journal::TextSource(Slurp(path)), "prueba");
    journal::Time([] { return 0; });
    try {
        journal::Playing(5, [] { return 0; });
        FAIL() << "another channel was answered";
    } catch (const GameError& e) {
        EXPECT_STREQ(
            e.what(),
            "La repeticion se separa de la grabacion en la linea 7 del diario: la partida pregunta por "
            "el canal 5 y el diario por el 4");
    }
    journal::Reset();

    // The rest of the journal unused when the run ends: said, and a failing exit code.
    journal::StartReplay(journal::TextSource(Slurp(path)), "prueba");
    journal::Time([] { return 0; });
    testing::internal::CaptureStdout();
    EXPECT_EQ(journal::Finish(0), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "La repeticion termino en el flip 0 sin usar el diario desde la linea 7\n");
}
