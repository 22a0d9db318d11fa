#pragma once
// The session journal: every outside fact the game reads (clock readings, input events
// with the flip and pump that delivered them, display and sound facts, directory
// listings), written while recording and given back in the same order while replaying.
//
// A journal is the ordered sequence of those facts as the game asked for them. Replay
// answers each question with the next line and stops with a clear message (naming the
// line) when that line holds a different kind of fact: the run has left the recording.
//
// File format (text, one line per fact, fields separated by one space):
//   frikipartida-journal 2        format version
//   game 1.0.0                    the game's version
//   seed N | seed clock           the --seed given, or none (the seed is a clock reading)
//   clock virtual | clock real    which clock the recording ran on
//   max-flips N                   the --max-flips given (0: none)
//   ... facts ...
//   end FLIPS CODE                flips done and exit code; the last line
// Facts: "time MS", "playing CHANNEL 0|1", "driver 0|1",
//   "display W H HZ 0" or "display W H HZ 1 WINDOW_W WINDOW_H",
//   "dir PATH NAME...", "ev FLIP PUMP KIND FIELDS..." (kinds in journal_events.cpp),
//   "setting NAME VALUE" (a choice made from settings files and options, such as who
//   plays each seat, so that a replay needs neither the files nor the options again).
// Strings are written with %XX escapes for spaces, '%', '~' and bytes outside 0x21..0x7e;
// "~" is the empty string.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

union SDL_Event;

namespace journal {

constexpr int kFormatVersion = 2;

// A controller's event travels as an SDL user event of this type (the run's controller
// number needs no device behind it on replay): code is the kind (connect, disconnect,
// button, axis), windowID the controller, data1 the control and data2 the value.
constexpr uint32_t kPadEventType = 0x8001;

// Facts of the run fixed before the game starts.
struct Header {
    std::optional<int32_t> seed;
    bool virtualClock = false;
    int maxFlips = 0;
};

// One parsed line. Numbers are kept as text and read by the fact that asks.
struct Line {
    int number = 0;  // 1-based line number in the file
    std::string kind;
    std::vector<std::string> fields;
};

// A whole journal read into memory and checked line by line.
struct Parsed {
    Header header;
    std::vector<Line> facts;  // everything between the header and "end"
    int endFlips = 0;
    int endCode = 0;
    int endLine = 0;
};

// Reads a journal's text. Throws GameError naming the line on a damaged line, another
// format or game version, or a file cut short (no "end" line, or a last line without
// its line end).
Parsed Parse(const std::string& text);

bool Recording();
bool Replaying();

// Starts writing a journal (buffered). Throws GameError when the file cannot be written.
void StartRecording(const std::string& path, const Header& header);
// Reads and checks a whole journal, then answers facts from it. Throws GameError.
Header StartReplay(const std::string& path);
// Ends the journal: recording writes "end" and closes the file; replay checks that the
// run used every fact (unless it stopped early at its own flip limit). Returns the exit
// code to use (a replay that left its journal unused returns 1 after saying why).
int Finish(int exitCode);
// Forgets any journal (tests).
void Reset();

// ---- facts: Read* answers from the journal when replaying; Write* records ----
int32_t ReadTime();
void WriteTime(int32_t ms);
int ReadPlaying(int channel);
void WritePlaying(int channel, int playing);
bool ReadDriver();
void WriteDriver(bool available);
struct DisplayFact {
    bool open = false;
    int width = 0, height = 0;  // the window's size when open
};
DisplayFact ReadDisplay(int width, int height, int hz);
void WriteDisplay(int width, int height, int hz, const DisplayFact& fact);
std::vector<std::string> ReadDir(const std::string& path);
void WriteDir(const std::string& path, const std::vector<std::string>& names);
// A choice made from settings files and options: when replaying, the recorded value
// (choose is not called, so no file is read or rewritten); otherwise choose()'s value,
// recorded when recording.
std::string Setting(const std::string& name, const std::function<std::string()>& choose);

// ---- events ----
// A pump starts (every event processing counts one). Replaying, returns the events the
// recording delivered in this pump.
std::vector<SDL_Event> PumpEvents(int flip);
// Recording: one event delivered in the current pump (kinds the journal does not know
// are left out: the game does nothing with them).
void WriteEvent(int flip, const SDL_Event& event);

// ---- strings and event kinds (journal_events.cpp) ----
std::string Escape(const std::string& s);
// false on a bad escape
bool Unescape(const std::string& s, std::string& out);
// The kind name and fields of an event the journal keeps; empty name for others.
std::string EventKindOf(const SDL_Event& e, std::string& fields);
// Builds an event from its kind and fields; false when they are not a valid event.
bool EventFrom(const std::string& kind, const std::vector<std::string>& fields, size_t first, SDL_Event& e);

}  // namespace journal
