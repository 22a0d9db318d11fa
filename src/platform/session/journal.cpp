// The session journal: buffered recording, answering the game's questions in order while
// replaying, and the one door every outside fact passes through.
//
// Sections: state | recording | replaying | the door for facts | facts | events
#include "platform/session/journal.h"

#include "platform/session/clock.h"

#include "platform/base/errors.h"
#include "platform/base/text.h"
#include "platform/session/run.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>

#ifndef FK_VERSION
#define FK_VERSION "1.0.0"
#endif

namespace journal {

const char* const kMagic = "frikipartida-journal";
const char* const kGameVersion = FK_VERSION;

namespace {

// ---------------------------------------------------------------- state

// Lines wait here for the flip's end; a flip that writes this much (a long folder listing)
// hands it to the file at once.
constexpr size_t kPendingLimit = 1 << 16;
// Game time between two "sum" lines: a damaged line is found within this much of replay.
constexpr int32_t kSumEveryMs = 1000;
// The longest message a replay prints (texts from the journal are in it).
constexpr size_t kMessageMax = 2000;

enum class Mode { Live, Record, Replay };

struct State {
    Mode mode = Mode::Live;
    int fd = -1;          // recording into a file
    std::string pending;  // recording: lines not yet handed to the file
    bool writeFailed = false;
    Sum sum;              // recording: over every line so far
    std::optional<int32_t> lastSumMs;
    std::string path;
    std::unique_ptr<Reader> reader;  // replay
    int64_t pump = 0;  // pumps so far
    bool failed = false;  // replay: already stopped with its own message
    int64_t facts = 0;    // facts written (recording) or taken (replaying) after the header
    std::string written;  // recording: every line so far (a host started mid-run sends them)
};
// Takes every line a recording writes (a network host streams them); it outlives Reset.
std::function<void(const std::string&)> lineListener;
std::function<void(const std::string&)> failureListener;
State st;
// A replay ended by a stop signal: its ending is not held against the journal.
bool interrupted = false;

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }

// A number of a line the reader has checked already.
int64_t Number(const Line& l, size_t i) {
    int64_t v = 0;
    if (i < l.fields.size()) std::from_chars(l.fields[i].data(), l.fields[i].data() + l.fields[i].size(), v);
    return v;
}

std::string Text(const Line& l, size_t i) {
    std::string text;
    Unescape(l.fields[i], text);
    return text;
}

// The first failed write is said at once; the game plays on with the journal kept in
// memory (a host still streams it) and the run's exit code says it failed.
void WriteFailed(int error) {
    st.writeFailed = true;
    st.pending.clear();
    const std::string message = "No se puede escribir el diario " + Printable(st.path) + ": " + std::strerror(error) +
                                "; la partida sigue sin grabarlo";
    std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(stderr);
    if (failureListener) failureListener(message);
}

// Hands the waiting lines to the file: one write, which the kernel keeps however the
// process ends afterwards.
void FlushPending() {
    if (st.fd < 0 || st.writeFailed) return;
    size_t done = 0;
    while (done < st.pending.size()) {
        const ssize_t n = ::write(st.fd, st.pending.data() + done, st.pending.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return WriteFailed(n < 0 ? errno : ENOSPC);
        done += static_cast<size_t>(n);
    }
    st.pending.clear();
}

void WriteLine(const std::string& line) {
    st.sum.Add(line);
    if (st.mode == Mode::Record) {
        st.written += line;
        st.written += '\n';
        if (lineListener) lineListener(line);
    }
    if (st.fd < 0 || st.writeFailed) return;
    st.pending += line;
    st.pending += '\n';
    if (st.pending.size() >= kPendingLimit) FlushPending();
}

void WriteSum() {
    WriteLine(std::string(kSumKind) + " " + st.sum.Hex());
}

// Replay: the next fact, read now if need be. A damaged or cut journal stops the run
// with the reader's message.
const Line* NextFact() {
    try {
        return st.reader->Peek();
    } catch (const GameError&) {
        st.failed = true;
        throw;
    }
}

// Replay: the run asked for something the journal does not hold at this point.
[[noreturn]] void Diverged(int line, const std::string& what) {
    st.failed = true;
    // A damaged journal sends the game elsewhere before its next "sum" line says so: that
    // line, read now, names the damage instead. A live stream is not waited on for it.
    if (!session::FollowsStream()) st.reader->CheckAhead();
    Bad("La repeticion se separa de la grabacion en la linea " + std::to_string(line) + " del diario: " + what);
}

// Replay: the next fact, which must be of the kind asked for; asked() words the question
// (only needed for a message). The line stays valid until the next one is read.
template <class Asked>
const Line& Take(const char* kind, const Asked& asked) {
    const Line* l = NextFact();
    if (!l) {
        st.failed = true;
        Bad("La partida pide " + asked() + " pero el diario ya termina (linea " +
            std::to_string(st.reader->endLine()) + ")");
    }
    if (l->kind != kind)
        Diverged(l->number, "la partida pide " + asked() + " y el diario tiene '" + l->kind + "'");
    st.reader->Pop();
    ++st.facts;
    return *l;
}

// ---------------------------------------------------------------- the door for facts

// Recording and replaying written once for every kind of fact. A Codec says how its kind
// is written and read back:
//   kKind                           the line's first word
//   Question, Answer                what the game asks and what it is told
//   Asked(question)                 the question in words, for messages
//   Write(line, question, answer)   appends the fields to the line
//   Read(line, question)            the recorded answer; Diverged when the line answers
//                                   another question
// recalled, when given, is handed a replayed answer, to make it true on this machine
// (the display opens the recorded window).
template <class Codec>
typename Codec::Answer Fact(const typename Codec::Question& question,
                            const std::function<typename Codec::Answer()>& measure,
                            const std::function<void(const typename Codec::Answer&)>& recalled = {}) {
    if (st.mode == Mode::Replay) {
        typename Codec::Answer answer =
            Codec::Read(Take(Codec::kKind, [&] { return Codec::Asked(question); }), question);
        if (recalled) recalled(answer);
        return answer;
    }
    typename Codec::Answer answer = measure();
    if (st.mode == Mode::Record) {
        std::string line = Codec::kKind;
        Codec::Write(line, question, answer);
        WriteLine(line);
        ++st.facts;
    }
    return answer;
}

struct None {};

struct TimeCodec {
    static constexpr const char* kKind = "time";
    using Question = None;
    using Answer = int32_t;
    static std::string Asked(None) { return "la hora"; }
    static void Write(std::string& line, None, int32_t ms) { line += " " + std::to_string(ms); }
    static int32_t Read(const Line& l, None) { return static_cast<int32_t>(Number(l, 0)); }
};

struct PlayingCodec {
    static constexpr const char* kKind = "playing";
    using Question = int;  // the channel
    using Answer = int;
    static std::string Asked(int channel) { return "el estado del canal " + std::to_string(channel); }
    static void Write(std::string& line, int channel, int playing) {
        line += " " + std::to_string(channel) + (playing ? " 1" : " 0");
    }
    static int Read(const Line& l, int channel) {
        if (Number(l, 0) != channel)
            Diverged(l.number, "la partida pregunta por el canal " + std::to_string(channel) +
                                   " y el diario por el " + l.fields[0]);
        return static_cast<int>(Number(l, 1));
    }
};

struct DriverCodec {
    static constexpr const char* kKind = "driver";
    using Question = None;
    using Answer = bool;
    static std::string Asked(None) { return "si hay controlador grafico"; }
    static void Write(std::string& line, None, bool available) { line += available ? " 1" : " 0"; }
    static bool Read(const Line& l, None) { return Number(l, 0) == 1; }
};

struct DisplayCodec {
    static constexpr const char* kKind = "display";
    struct Question {
        int width, height, hz;
    };
    using Answer = DisplayFact;
    static std::string Asked(const Question& q) {
        return "abrir la pantalla de " + std::to_string(q.width) + "x" + std::to_string(q.height) + " a " +
               std::to_string(q.hz) + " Hz";
    }
    static void Write(std::string& line, const Question& q, const DisplayFact& f) {
        line += " " + std::to_string(q.width) + " " + std::to_string(q.height) + " " + std::to_string(q.hz);
        line += f.open ? " 1 " + std::to_string(f.width) + " " + std::to_string(f.height) : " 0";
    }
    // The size asked for comes from resolucion.cfg, which may differ here: the journal's
    // size is the screen the recorded game computed with, and the replay computes with it.
    static DisplayFact Read(const Line& l, const Question&) {
        DisplayFact f;
        f.open = Number(l, 3) == 1;
        if (f.open) {
            f.width = static_cast<int>(Number(l, 4));
            f.height = static_cast<int>(Number(l, 5));
        }
        return f;
    }
};

struct DirCodec {
    static constexpr const char* kKind = "dir";
    using Question = std::string;  // the folder
    using Answer = std::vector<std::string>;
    static std::string Asked(const std::string& path) { return "el contenido de la carpeta " + path; }
    static void Write(std::string& line, const std::string& path, const Answer& names) {
        line += " " + Escape(path);
        for (const std::string& n : names) line += " " + Escape(n);
    }
    static Answer Read(const Line& l, const std::string& path) {
        const std::string recorded = Text(l, 0);
        if (recorded != path)
            Diverged(l.number, "la partida lee la carpeta " + path + " y el diario la " + recorded);
        Answer names;
        for (size_t i = 1; i < l.fields.size(); ++i) names.push_back(Text(l, i));
        return names;
    }
};

struct SettingCodec {
    static constexpr const char* kKind = "setting";
    using Question = std::string;  // the setting's name
    using Answer = std::string;
    static std::string Asked(const std::string& name) { return "el ajuste " + name; }
    static void Write(std::string& line, const std::string& name, const std::string& value) {
        line += " " + Escape(name) + " " + Escape(value);
    }
    static std::string Read(const Line& l, const std::string& name) {
        const std::string recorded = Text(l, 0);
        if (recorded != name)
            Diverged(l.number, "la partida pide el ajuste " + name + " y el diario da " + recorded);
        return Text(l, 1);
    }
};

}  // namespace

// ---------------------------------------------------------------- recording

const char* GameVersion() { return kGameVersion; }

bool Replaying() {
    return st.mode == Mode::Replay;
}

bool Recording() {
    return st.mode == Mode::Record;
}

const std::string& Written() {
    return st.written;
}

int64_t FactsSoFar() {
    return st.facts;
}

void SetLineListener(std::function<void(const std::string&)> listener) {
    lineListener = std::move(listener);
}

void SetWriteFailureListener(std::function<void(const std::string&)> listener) {
    failureListener = std::move(listener);
}

void StartRecording(const std::string& path, const Header& header) {
    Reset();
    if (!path.empty()) {
        do {
            st.fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        } while (st.fd < 0 && errno == EINTR);
        if (st.fd < 0) Bad("No se puede escribir el diario " + Printable(path) + ": " + std::strerror(errno));
    }
    st.path = path;
    st.mode = Mode::Record;
    WriteLine(std::string(kMagic) + " " + std::to_string(kFormatVersion));
    WriteLine(std::string("game ") + kGameVersion);
    WriteLine("seed " + (header.seed ? std::to_string(*header.seed) : std::string("clock")));
    WriteLine(std::string("clock ") + (header.virtualClock ? "virtual" : "real"));
    WriteLine("max-flips " + std::to_string(header.maxFlips));
    FlushPending();
}

void FlipEnd(int32_t clockMs) {
    if (st.mode != Mode::Record) return;
    if (!st.lastSumMs) {
        st.lastSumMs = clockMs;
    } else if (const int32_t desde = MillisecsBetween(*st.lastSumMs, clockMs); desde >= kSumEveryMs || desde < 0) {
        // Measured across the clock's wrap; a clock gone back writes a sum too.
        WriteSum();
        st.lastSumMs = clockMs;
    }
    FlushPending();
}

bool WriteFailedSoFar() {
    return st.writeFailed;
}

void Interrupted() {
    interrupted = true;
}

// ---------------------------------------------------------------- replaying

Header StartReplay(const std::string& path) {
    return StartReplay(OpenSource(path), path == "-" ? "entrada estandar" : path);
}

Header StartReplay(std::unique_ptr<ByteSource> source, const std::string& name) {
    Reset();
    st.reader = std::make_unique<Reader>(std::move(source), name);
    st.mode = Mode::Replay;
    st.path = name;
    return st.reader->header();
}

namespace {
// Replay: what is wrong with how the run ended, or "" when it ended as the recording did.
// A run stopped by its own flip limit sooner than the recording reads no further (a live
// source would only make it wait for what it will not use).
std::string ReplayEnding(int exitCode) {
    Reader& r = *st.reader;
    const int flips = session::FlipCount();
    const bool ownLimit = exitCode == 3 && flips == session::Current().maxFlips;
    const int recordedLimit = r.header().maxFlips;
    if (ownLimit && !r.ReachedEnd() && (recordedLimit == 0 || flips < recordedLimit)) return {};
    const Line* next = nullptr;
    try {
        next = r.Peek();
    } catch (const GameError& e) {
        return e.what();
    }
    if (next)
        return "La repeticion termino en el flip " + std::to_string(flips) +
               " sin usar el diario desde la linea " + std::to_string(next->number);
    if (ownLimit && flips < r.endFlips()) return {};
    if (flips != r.endFlips() || exitCode != r.endCode())
        return "La repeticion termino en el flip " + std::to_string(flips) + " con el codigo " +
               std::to_string(exitCode) + "; la grabacion, en el flip " + std::to_string(r.endFlips()) +
               " con el codigo " + std::to_string(r.endCode()) + " (linea " + std::to_string(r.endLine()) +
               ")";
    return {};
}
}  // namespace

int Finish(int exitCode) {
    if (st.mode == Mode::Record) {
        WriteSum();
        WriteLine("end " + std::to_string(session::FlipCount()) + " " + std::to_string(exitCode));
        FlushPending();
        if (st.fd >= 0 && !st.writeFailed && ::close(st.fd) != 0) WriteFailed(errno);
        st.fd = -1;
        const bool failed = st.writeFailed;
        Reset();
        // A run that failed for its own reason keeps that code.
        return failed && (exitCode == 0 || exitCode == 3) ? kWriteFailedCode : exitCode;
    }
    if (st.mode == Mode::Replay && interrupted) {
        Reset();
        return exitCode;
    }
    if (st.mode == Mode::Replay && !st.failed) {
        const std::string problem = ReplayEnding(exitCode);
        Reset();
        if (!problem.empty()) {
            std::printf("%s\n", Printable(problem, kMessageMax).c_str());
            std::fflush(stdout);
            return exitCode == 0 ? 1 : exitCode;
        }
        return exitCode;
    }
    Reset();
    return exitCode;
}

void Reset() {
    if (st.fd >= 0) ::close(st.fd);
    st = State{};
    interrupted = false;
}

// ---------------------------------------------------------------- facts

int32_t Time(const std::function<int32_t()>& measure) {
    return Fact<TimeCodec>({}, measure);
}
int Playing(int channel, const std::function<int()>& measure) {
    return Fact<PlayingCodec>(channel, measure);
}
bool Driver(const std::function<bool()>& measure) {
    return Fact<DriverCodec>({}, measure);
}
DisplayFact Display(int width, int height, int hz, const std::function<DisplayFact()>& open,
                    const std::function<void(const DisplayFact&)>& openRecorded) {
    return Fact<DisplayCodec>({width, height, hz}, open, openRecorded);
}
std::vector<std::string> Dir(const std::string& path,
                             const std::function<std::vector<std::string>()>& measure) {
    return Fact<DirCodec>(path, measure);
}
std::string Setting(const std::string& name, const std::function<std::string()>& choose) {
    return Fact<SettingCodec>(name, choose);
}
std::string SettingSince(const std::string& name, const std::string& before,
                         const std::function<std::string()>& choose) {
    if (st.mode == Mode::Replay) {
        // A journal from before the setting existed has no line for it here.
        const Line* l = NextFact();
        if (!l || l->kind != SettingCodec::kKind || l->fields.empty() || Text(*l, 0) != name) return before;
    }
    return Setting(name, choose);
}

// ---------------------------------------------------------------- events

std::vector<SDL_Event> PumpEvents(int flip) {
    std::vector<SDL_Event> events;
    if (st.mode == Mode::Live) return events;
    ++st.pump;
    if (st.mode != Mode::Replay) return events;
    while (const Line* l = NextFact()) {
        if (l->kind != "ev") break;
        const int64_t pump = Number(*l, 1);
        if (pump > st.pump) break;
        if (pump < st.pump || Number(*l, 0) != flip)
            Diverged(l->number, "el evento llego en el flip " + l->fields[0] + ", proceso " + l->fields[1] +
                                    ", y la repeticion esta en el flip " + std::to_string(flip) +
                                    ", proceso " + std::to_string(st.pump));
        SDL_Event e;
        EventFrom(l->fields[2], l->fields, 3, e);
        events.push_back(e);
        st.reader->Pop();
        ++st.facts;
    }
    return events;
}

bool Event(const SDL_Event& event) {
    if (st.mode == Mode::Replay) return false;
    if (st.mode == Mode::Live) return true;
    std::string fields;
    std::string kind = EventKindOf(event, fields);
    if (kind.empty()) return true;
    std::string line =
        "ev " + std::to_string(session::FlipCount()) + " " + std::to_string(st.pump) + " " + kind;
    if (!fields.empty()) line += " " + fields;
    WriteLine(line);
    ++st.facts;
    return true;
}

}  // namespace journal
