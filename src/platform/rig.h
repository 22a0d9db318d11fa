#pragma once
// The headless rig: command-line options, scripted input, the drawing trace, shots,
// a flip limit and frame-time recording. Without options none of it is active and the
// game behaves as it always does.
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rig {

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
    std::vector<int> pads;      // seats (0..3) given to controllers in connection order; empty: 0,1,2,3
    std::optional<std::string> cpu;       // --cpu: seats computers play (names or "all"), unchecked
    std::optional<std::string> cpuLevel;  // --cpu-level: 1, 2 or 3, unchecked
    std::string record;         // session journal to write
    std::string replay;         // session journal to play back instead of the machine
};

// Parses the game's command line. Throws GameError with a clear text on a bad option.
// --help and --version end the parsing (what follows them is not read).
Options ParseOptions(int argc, char** argv);
// The --help text: a usage line and every option with its one line of explanation.
std::string HelpText();
// Applies the options: clock, script, trace, shots, limits. Call once before Graphics.
void Configure(const Options& options);
const Options& Current();
// Restores everything to the plain game defaults (tests).
void Reset();

// Thrown by Flip after the last allowed flip; main exits with code().
class Stop : public std::exception {
public:
    explicit Stop(int code) : exitCode(code) {}
    int code() const { return exitCode; }
    const char* what() const noexcept override { return "rig flip limit reached"; }

private:
    int exitCode;
};

// Flips done so far (the next flip is FlipCount() + 1).
int FlipCount();

// ---- scripted input ----
// Adds one script line ("<flip> key Q press", ...). Throws GameError on a malformed line.
void AddScriptLine(const std::string& line);
// Delivers the script events due at or before the current flip (called by the event pump).
void DeliverScriptEvents();

// ---- trace ----
bool Tracing();
// Keeps trace lines in memory instead of (or as well as) a file; tests read them back.
void CaptureTrace(bool on);
std::vector<std::string>& CapturedTrace();

// One trace line: {"flip":N,"op":"...",...}. Fields keep their insertion order.
class Record {
public:
    explicit Record(const char* op);
    ~Record();
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;
    Record& add(const char* key, const std::string& value);
    Record& add(const char* key, const char* value) { return add(key, std::string(value)); }
    Record& add(const char* key, double value);
    Record& add(const char* key, int value);
    Record& addRaw(const char* key, const std::string& json);  // already JSON
    // A JSON array of numbers, written as the single-number adds write them.
    Record& addList(const char* key, std::initializer_list<double> values);
    Record& addList(const char* key, std::initializer_list<int> values);
    // Writes the line when tracing (no-op otherwise).
    void emit();

private:
    Record& key(const char* name);
    std::string body;
};
// JSON helpers for composite values.
std::string Json(double v);
std::string JsonString(const std::string& s);

// ---- called by Flip ----
// Records the end of a frame's work (frame-times), the shot path for this flip (empty
// when none) and counts the flip; throws Stop after the limit.
std::string ShotForNextFlip();
void FlipDone(int sync, int32_t clockMs);
// Processes the flip's events, then ends the run when the window was closed (code 0) or
// the flip limit is reached (code 3) by throwing Stop.
void CheckFlipLimit();
// Marks that sleeping/retrace waiting starts or ends (excluded from frame work time).
void WaitBegin();
void WaitEnd();

}  // namespace rig
