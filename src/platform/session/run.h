#pragma once
// The session: what this run was asked to do (its options), whether it is live, scripted
// or replayed, and the count of flips so far. It is the one place that knows where the
// outside facts come from: the clock (clock.h) and the journal (journal.h) sit beside it,
// and the rig's trace (trace.h) numbers its lines with the flip count kept here.
//
// Without options none of the rig is active and the game behaves as it always does.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace journal {
class ByteSource;
}

namespace session {

// What the command line asked of this run (the game's own defaults without one).
struct Options {
    bool window = false;        // a window of the configured size instead of full screen
    bool headless = false;      // offscreen GL, silent mixer
    bool virtualClock = false;  // clock moves only by sleeps and retrace waits
    std::string script;         // input script file
    std::string trace;          // JSON-lines trace file
    std::vector<std::pair<int, std::string>> shots;  // flip number -> PNG path
    int maxFlips = 0;           // 0: no limit
    std::optional<int32_t> seed;
    std::string frameTimes;     // file for per-flip work milliseconds
    std::string data;           // folder of the game data ("" = look for it)
    bool help = false;          // print the option list and leave
    bool version = false;       // print the version and leave
    bool keepAspect = false;    // a 4:3 picture with black bars on a screen of another shape
    bool stretch = false;       // --stretch: the picture stretched over a screen of another shape
    std::string draw;           // --draw: auto, window or small ("" not given)
    std::vector<int> pads;      // seats (0..3) given to controllers in connection order; empty: 0,1,2,3
    std::optional<std::string> cpu;       // --cpu: seats computers play (names or "all"), unchecked
    std::optional<std::string> cpuLevel;  // --cpu-level: 1, 2 or 3, unchecked
    std::string record;         // session journal to write
    std::string replay;         // session journal to play back instead of the machine
    // Online play: this run hosts a match (its journal is written for the stream even
    // without --record) or follows a host's live stream (a player or a spectator).
    struct Network {
        bool host = false;
        std::string join;   // --join ADDRESS[:PORT]
        std::string watch;  // --watch ADDRESS[:PORT]
        std::string seat;   // --seat NAME, unchecked
        std::string name;   // --name TEXT ("" the login name)
        int port = 7341;    // --port N (the host's; a client's address may carry its own)
        int wait = 0;       // --wait N: players to wait for before the first flip
        bool fair = false;  // --fair
        bool Follows() const { return !join.empty() || !watch.empty(); }
    } net;
};

// Applies the options: journal (replay or record), clock, trace, frame times. Call once
// before Graphics. Throws GameError when a file cannot be read or written.
void Configure(const Options& options);
// The same for a run that follows a live stream (online play): its journal comes from
// stream, named `name` in messages, and its sleeps give way to the follower's own pacing.
void Configure(const Options& options, std::unique_ptr<journal::ByteSource> stream, const std::string& name);
// Whether this run follows a live stream.
bool FollowsStream();
const Options& Current();
// Restores everything to the plain game defaults (tests).
void Reset();

// Thrown after the last allowed flip (or when the window was closed); main exits with
// code().
class Stop : public std::exception {
public:
    explicit Stop(int code) : exitCode(code) {}
    int code() const { return exitCode; }
    const char* what() const noexcept override { return "rig flip limit reached"; }

private:
    int exitCode;
};

// A run that replays (a journal, or a host's stream it follows) and got a stop signal
// ends here with code 0: the journal it left unused is not held against it. A live run
// instead takes the signal as the window's close, at its next event processing.
[[noreturn]] void StopForSignal();

// Flips done so far (the next flip is FlipCount() + 1).
int FlipCount();

// Called after every flip is counted, with the count and the clock reading the flip was
// shown at (online play streams each flip's facts and keeps a follower's pace there).
// Empty: none. Stays set across runs.
void SetFlipListener(std::function<void(int flips, int32_t clockMs)> listener);

// ---- called by Flip ----
// The shot path for the coming flip (empty when none).
std::string ShotForNextFlip();
// The --shot file of the nearest flip still to come, "" none (a picture shown between
// flips: a network follower's notice while it waits for its host).
std::string ShotStillToCome();
// Records the end of a frame's work (trace, frame times) and counts the flip.
void FlipDone(int sync, int32_t clockMs);
// Marks that sleeping/retrace waiting starts or ends (excluded from frame work time).
void WaitBegin();
void WaitEnd();

}  // namespace session
