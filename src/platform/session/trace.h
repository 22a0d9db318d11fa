#pragma once
// The rig's trace: one JSON object per line for every drawing operation, clear, flip,
// sound and channel change, written to the --trace file and/or kept in memory for tests.
// Lines carry the flip they belong to (the session's flip count plus one).
#include <initializer_list>
#include <string>
#include <vector>

namespace rig {

// Starts writing the trace to a file (replacing any earlier one). Throws GameError when
// it cannot be written.
void OpenTrace(const std::string& path);
// Closes the trace file and forgets the lines captured so far (capturing stays on or off).
void ResetTrace();
bool Tracing();
// While hushed, nothing is written: what is drawn outside the game's own frames (a
// follower's notice while it waits for its host) is no part of the run.
void Hush(bool on);
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

}  // namespace rig
