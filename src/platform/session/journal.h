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
#include "platform/session/journal_reader.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

union SDL_Event;

namespace journal {

constexpr int kFormatVersion = 2;

// A controller's event travels as an SDL user event of this type (the run's controller
// number needs no device behind it on replay): code is the kind (connect, disconnect,
// button, axis), windowID the controller, data1 the control and data2 the value.
constexpr uint32_t kPadEventType = 0x8001;
// A seat taken (or left) by a player over the network travels as an event of this type
// laid out as SDL's text input: windowID the seat (0..3), text the player's name (empty:
// the player left).
constexpr uint32_t kRemoteSeatEventType = 0x8003;

// Starts writing a journal (buffered): into the file at path, when one is given, and to
// the line listener, when one is set. Throws GameError when the file cannot be written.
void StartRecording(const std::string& path, const Header& header);
// Takes every line a recording writes, header and "end" included, without its newline, as
// it is written (a network host streams them). Empty: none. It stays set across runs.
void SetLineListener(std::function<void(const std::string&)> listener);
// Starts answering facts from a journal ("-": standard input), reading its header now
// and every later line when the game asks for it. Throws GameError.
Header StartReplay(const std::string& path);
// The same from any source of bytes (a network stream, say); name starts its messages.
Header StartReplay(std::unique_ptr<ByteSource> source, const std::string& name);
// Ends the journal: recording writes "end" and closes the file; replay checks that the
// run used every fact (unless it stopped early at its own flip limit). Returns the exit
// code to use (a replay that left its journal unused returns 1 after saying why).
int Finish(int exitCode);
// Forgets any journal (tests).
void Reset();

// ---- facts: the one door ----
// Each outside fact passes through one of these. Replaying: the journal's answer, and
// measure is not called. Otherwise: measure's answer, written down when recording. A
// replay stops with a message naming the line when the journal holds another fact there.
//
// A clock reading, in milliseconds.
int32_t Time(const std::function<int32_t()>& measure);
// Whether a sound channel is playing (0 or 1) when the game asks.
int Playing(int channel, const std::function<int()>& measure);
// Whether an OpenGL display can be made.
bool Driver(const std::function<bool()>& measure);
// A display asked for (width, height, rate): whether it opened, and the logical screen's
// size. open() opens the size asked and says what came of it. A replay calls openRecorded
// with the recording's answer instead, to open (or close) a window showing the recorded
// screen: the asked size is not held against the journal's, as resolucion.cfg may differ.
struct DisplayFact {
    bool open = false;
    int width = 0, height = 0;  // the logical screen's size when open
};
DisplayFact Display(int width, int height, int hz, const std::function<DisplayFact()>& open,
                    const std::function<void(const DisplayFact&)>& openRecorded);
// The sorted entry names of a folder.
std::vector<std::string> Dir(const std::string& path,
                             const std::function<std::vector<std::string>()>& measure);
// A choice made from settings files and options (choose reads no file on replay).
std::string Setting(const std::string& name, const std::function<std::string()>& choose);
// The same for a setting newer than some journals: replaying a journal that does not hold
// it at this point (recorded before it existed), the game plays with `absent`, the value
// every run had then, and the journal reads on as before.
std::string NewSetting(const std::string& name, const std::function<std::string()>& choose,
                       const std::string& absent);

// ---- events ----
// A pump starts (every event processing counts one). Replaying, returns the events the
// recording delivered in this pump, to be delivered again; otherwise none.
std::vector<SDL_Event> PumpEvents(int flip);
// An input event from outside (SDL, the rig's script, a controller) as the current pump
// delivers it: written down when recording (kinds the journal does not know are left out:
// the game does nothing with them). Returns whether the game takes it: not when replaying,
// where the journal's events stand in for the machine's.
bool Event(const SDL_Event& event);

// Whether the run replays a journal: for the session room's own bookkeeping (a headless
// replay's sleeps wait for nothing); every other room asks its facts through the door.
bool Replaying();
// Whether the run records a journal (every live run does, in memory at least).
bool Recording();
// Every line the recording has written so far, each ending in a newline.
const std::string& Written();
// Facts written so far after the header (recording) or taken so far (replaying): the same
// count at the same point of the same run, so a replay that kept in step can prove it.
int64_t FactsSoFar();

// ---- strings and event kinds (journal_events.cpp) ----
std::string Escape(const std::string& s);
// false on a bad escape
bool Unescape(const std::string& s, std::string& out);
// The kind name and fields of an event the journal keeps; empty name for others.
std::string EventKindOf(const SDL_Event& e, std::string& fields);
// Builds an event from its kind and fields; false when they are not a valid event.
bool EventFrom(const std::string& kind, const std::vector<std::string>& fields, size_t first, SDL_Event& e);

}  // namespace journal
