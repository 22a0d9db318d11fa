// The session journal: parsing and checking a whole file, buffered recording, and
// answering the game's questions in order while replaying.
//
// Sections: parsing | recording | replaying | facts | events
#include "platform/session/journal.h"

#include "platform/base/errors.h"
#include "platform/session/run.h"

#include <SDL.h>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#ifndef FK_VERSION
#define FK_VERSION "1.0.0"
#endif

namespace journal {
namespace {

constexpr const char* kMagic = "frikipartida-journal";
constexpr size_t kWriteBuffer = 1 << 20;  // one large buffer: the disk is met rarely

enum class Mode { Live, Record, Replay };

struct State {
    Mode mode = Mode::Live;
    std::FILE* file = nullptr;
    std::string path;
    std::unique_ptr<char[]> buffer;
    Parsed journal;
    size_t next = 0;  // replay: index of the next fact
    int64_t pump = 0;  // pumps so far
    bool diverged = false;  // replay: already stopped with its own message
};
State st;

[[noreturn]] void Bad(const std::string& what) { throw GameError(what); }

[[noreturn]] void Damaged(int line, const std::string& why) {
    Bad("Linea " + std::to_string(line) + " del diario danada: " + why);
}

bool ToInt(const std::string& s, int64_t lo, int64_t hi, int64_t& out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out >= lo && out <= hi;
}

int64_t Field(const Line& l, size_t i, int64_t lo, int64_t hi) {
    int64_t v = 0;
    if (i >= l.fields.size() || !ToInt(l.fields[i], lo, hi, v))
        Damaged(l.number, "numero no valido en '" + l.kind + "'");
    return v;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i <= line.size()) {
        size_t space = line.find(' ', i);
        if (space == std::string::npos) space = line.size();
        out.push_back(line.substr(i, space - i));
        i = space + 1;
    }
    return out;
}

// Checks the fields of one fact line; throws naming the line when they are wrong.
void CheckFact(const Line& l, int64_t& lastPump) {
    auto count = [&](size_t n) {
        if (l.fields.size() != n) Damaged(l.number, "numero de campos incorrecto en '" + l.kind + "'");
    };
    std::string text;
    if (l.kind == "time") {
        count(1);
        Field(l, 0, INT32_MIN, INT32_MAX);
    } else if (l.kind == "playing") {
        count(2);
        Field(l, 0, 0, INT32_MAX);
        Field(l, 1, 0, 1);
    } else if (l.kind == "driver") {
        count(1);
        Field(l, 0, 0, 1);
    } else if (l.kind == "display") {
        if (l.fields.size() != 4 && l.fields.size() != 6) Damaged(l.number, "numero de campos incorrecto en 'display'");
        for (size_t i = 0; i < 3; ++i) Field(l, i, INT32_MIN, INT32_MAX);
        bool open = Field(l, 3, 0, 1) == 1;
        if (open != (l.fields.size() == 6)) Damaged(l.number, "'display' abierta sin tamano o cerrada con el");
        if (open) {
            Field(l, 4, 1, 1 << 16);
            Field(l, 5, 1, 1 << 16);
        }
    } else if (l.kind == "dir") {
        if (l.fields.empty()) Damaged(l.number, "'dir' sin carpeta");
        for (const std::string& f : l.fields)
            if (!Unescape(f, text)) Damaged(l.number, "texto mal escrito en 'dir'");
    } else if (l.kind == "setting") {
        count(2);
        for (const std::string& f : l.fields)
            if (!Unescape(f, text)) Damaged(l.number, "texto mal escrito en 'setting'");
    } else if (l.kind == "ev") {
        if (l.fields.size() < 3) Damaged(l.number, "evento incompleto");
        Field(l, 0, 0, INT32_MAX);
        int64_t pump = Field(l, 1, 0, INT64_MAX);
        if (pump < lastPump) Damaged(l.number, "evento fuera de orden");
        lastPump = pump;
        SDL_Event e;
        if (!EventFrom(l.fields[2], l.fields, 3, e)) Damaged(l.number, "evento no valido '" + l.fields[2] + "'");
    } else {
        Damaged(l.number, "tipo de linea desconocido '" + l.kind + "'");
    }
}

void WriteLine(const std::string& line) {
    if (!st.file) return;
    std::fwrite(line.data(), 1, line.size(), st.file);
    std::fputc('\n', st.file);
}

// Replay: the run asked for something the journal does not hold at this point.
[[noreturn]] void Diverged(int line, const std::string& what) {
    st.diverged = true;
    Bad("La repeticion se separa de la grabacion en la linea " + std::to_string(line) + " del diario: " + what);
}

// Replay: the next fact, which must be of the kind asked for.
const Line& Take(const char* kind, const std::string& what) {
    const Parsed& j = st.journal;
    if (st.next >= j.facts.size()) {
        st.diverged = true;
        Bad("La partida pide " + what + " pero el diario ya termina (linea " + std::to_string(j.endLine) + ")");
    }
    const Line& l = j.facts[st.next];
    if (l.kind != kind) Diverged(l.number, "la partida pide " + what + " y el diario tiene '" + l.kind + "'");
    ++st.next;
    return l;
}

}  // namespace

// ---------------------------------------------------------------- parsing

Parsed Parse(const std::string& text) {
    Parsed p;
    std::vector<Line> lines;
    size_t start = 0;
    int number = 0;
    while (start < text.size()) {
        ++number;
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            Bad("El diario esta cortado: la linea " + std::to_string(number) + " no termina");
        std::string raw = text.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        start = end + 1;
        std::vector<std::string> tokens = Split(raw);
        Line l;
        l.number = number;
        l.kind = tokens[0];
        l.fields.assign(tokens.begin() + 1, tokens.end());
        for (const std::string& t : tokens)
            if (t.empty()) Damaged(number, "campo vacio o espacio de mas");
        lines.push_back(std::move(l));
    }
    if (lines.empty() || lines[0].kind != kMagic || lines[0].fields.size() != 1)
        Bad("No es un diario de Frikipartida (linea 1)");
    int64_t format = 0;
    if (!ToInt(lines[0].fields[0], 0, INT32_MAX, format)) Damaged(1, "version de formato no valida");
    if (format != kFormatVersion)
        Bad("El diario tiene el formato " + std::to_string(format) + " y este juego lee el formato " +
            std::to_string(kFormatVersion) + " (linea 1)");
    auto header = [&](size_t i, const char* kind) -> const Line& {
        if (lines.size() <= i) Bad("El diario esta cortado: falta la linea '" + std::string(kind) + "'");
        const Line& l = lines[i];
        if (l.kind != kind || l.fields.size() != 1)
            Damaged(l.number, "se esperaba '" + std::string(kind) + " VALOR'");
        return l;
    };
    const Line& game = header(1, "game");
    if (game.fields[0] != FK_VERSION)
        Bad("El diario es de la version " + game.fields[0] + " del juego y esta es la " FK_VERSION " (linea 2)");
    const Line& seed = header(2, "seed");
    if (seed.fields[0] != "clock") p.header.seed = static_cast<int32_t>(Field(seed, 0, INT32_MIN, INT32_MAX));
    const Line& clock = header(3, "clock");
    if (clock.fields[0] != "virtual" && clock.fields[0] != "real") Damaged(4, "se esperaba 'clock virtual' o 'clock real'");
    p.header.virtualClock = clock.fields[0] == "virtual";
    p.header.maxFlips = static_cast<int>(Field(header(4, "max-flips"), 0, 0, INT32_MAX));

    int64_t lastPump = 0;
    size_t i = 5;
    for (; i < lines.size() && lines[i].kind != "end"; ++i) CheckFact(lines[i], lastPump);
    if (i >= lines.size())
        Bad("El diario esta cortado: falta la linea 'end' tras la linea " + std::to_string(lines.size()));
    const Line& end = lines[i];
    if (end.fields.size() != 2) Damaged(end.number, "se esperaba 'end FLIPS CODIGO'");
    p.endFlips = static_cast<int>(Field(end, 0, 0, INT32_MAX));
    p.endCode = static_cast<int>(Field(end, 1, INT32_MIN, INT32_MAX));
    p.endLine = end.number;
    if (i + 1 != lines.size()) Damaged(lines[i + 1].number, "texto tras la linea 'end'");
    lines.resize(i);
    lines.erase(lines.begin(), lines.begin() + 5);
    p.facts = std::move(lines);
    return p;
}

bool Recording() { return st.mode == Mode::Record; }
bool Replaying() { return st.mode == Mode::Replay; }

// ---------------------------------------------------------------- recording

void StartRecording(const std::string& path, const Header& header) {
    Reset();
    st.file = std::fopen(path.c_str(), "wb");
    if (!st.file) Bad("No se puede escribir el diario " + path);
    st.buffer = std::make_unique<char[]>(kWriteBuffer);
    std::setvbuf(st.file, st.buffer.get(), _IOFBF, kWriteBuffer);
    st.path = path;
    st.mode = Mode::Record;
    WriteLine(std::string(kMagic) + " " + std::to_string(kFormatVersion));
    WriteLine("game " FK_VERSION);
    WriteLine("seed " + (header.seed ? std::to_string(*header.seed) : std::string("clock")));
    WriteLine(std::string("clock ") + (header.virtualClock ? "virtual" : "real"));
    WriteLine("max-flips " + std::to_string(header.maxFlips));
}

// ---------------------------------------------------------------- replaying

Header StartReplay(const std::string& path) {
    Reset();
    std::ifstream in(path, std::ios::binary);
    if (!in) Bad("No se puede leer el diario " + path);
    std::ostringstream text;
    text << in.rdbuf();
    try {
        st.journal = Parse(text.str());
    } catch (const GameError& e) {
        Bad(path + ": " + e.what());
    }
    st.mode = Mode::Replay;
    st.path = path;
    return st.journal.header;
}

int Finish(int exitCode) {
    if (st.mode == Mode::Record) {
        WriteLine("end " + std::to_string(session::FlipCount()) + " " + std::to_string(exitCode));
        bool failed = std::fflush(st.file) != 0 || std::ferror(st.file);
        failed = std::fclose(st.file) != 0 || failed;
        st.file = nullptr;
        if (failed) std::printf("No se pudo escribir entero el diario %s\n", st.path.c_str());
        Reset();
        return exitCode;
    }
    if (st.mode == Mode::Replay && st.diverged) {
        Reset();
    } else if (st.mode == Mode::Replay) {
        const Parsed& j = st.journal;
        const int flips = session::FlipCount();
        const bool ownLimit = exitCode == 3 && flips < j.endFlips && flips == session::Current().maxFlips;
        std::string problem;
        if (!ownLimit) {
            if (st.next < j.facts.size())
                problem = "La repeticion termino en el flip " + std::to_string(flips) +
                          " sin usar el diario desde la linea " + std::to_string(j.facts[st.next].number);
            else if (flips != j.endFlips || exitCode != j.endCode)
                problem = "La repeticion termino en el flip " + std::to_string(flips) + " con el codigo " +
                          std::to_string(exitCode) + "; la grabacion, en el flip " + std::to_string(j.endFlips) +
                          " con el codigo " + std::to_string(j.endCode) + " (linea " + std::to_string(j.endLine) + ")";
        }
        Reset();
        if (!problem.empty()) {
            std::printf("%s\n", problem.c_str());
            std::fflush(stdout);
            return exitCode == 0 ? 1 : exitCode;
        }
    }
    return exitCode;
}

void Reset() {
    if (st.file) std::fclose(st.file);
    st = State{};
}

// ---------------------------------------------------------------- facts

int32_t ReadTime() { return static_cast<int32_t>(Field(Take("time", "la hora"), 0, INT32_MIN, INT32_MAX)); }
void WriteTime(int32_t ms) {
    char line[24];
    std::snprintf(line, sizeof line, "time %d", ms);
    WriteLine(line);
}

int ReadPlaying(int channel) {
    const Line& l = Take("playing", "el estado del canal " + std::to_string(channel));
    if (Field(l, 0, 0, INT32_MAX) != channel)
        Diverged(l.number, "la partida pregunta por el canal " + std::to_string(channel) + " y el diario por el " +
                               l.fields[0]);
    return static_cast<int>(Field(l, 1, 0, 1));
}
void WritePlaying(int channel, int playing) {
    WriteLine("playing " + std::to_string(channel) + " " + std::to_string(playing ? 1 : 0));
}

bool ReadDriver() { return Field(Take("driver", "si hay controlador grafico"), 0, 0, 1) == 1; }
void WriteDriver(bool available) { WriteLine(available ? "driver 1" : "driver 0"); }

DisplayFact ReadDisplay(int width, int height, int hz) {
    // The size asked for comes from resolucion.cfg, which may differ here: the journal's
    // window is what the recorded game saw, so it is what the replay opens.
    const Line& l = Take("display", "abrir la pantalla de " + std::to_string(width) + "x" +
                                        std::to_string(height) + " a " + std::to_string(hz) + " Hz");
    DisplayFact f;
    f.open = Field(l, 3, 0, 1) == 1;
    if (f.open) {
        f.width = static_cast<int>(Field(l, 4, 1, 1 << 16));
        f.height = static_cast<int>(Field(l, 5, 1, 1 << 16));
    }
    return f;
}
void WriteDisplay(int width, int height, int hz, const DisplayFact& fact) {
    std::string line = "display " + std::to_string(width) + " " + std::to_string(height) + " " + std::to_string(hz);
    line += fact.open ? " 1 " + std::to_string(fact.width) + " " + std::to_string(fact.height) : " 0";
    WriteLine(line);
}

std::vector<std::string> ReadDir(const std::string& path) {
    const Line& l = Take("dir", "el contenido de la carpeta " + path);
    std::vector<std::string> names;
    std::string text;
    Unescape(l.fields[0], text);
    if (text != path)
        Diverged(l.number, "la partida lee la carpeta " + path + " y el diario la " + text);
    for (size_t i = 1; i < l.fields.size(); ++i) {
        Unescape(l.fields[i], text);
        names.push_back(text);
    }
    return names;
}
void WriteDir(const std::string& path, const std::vector<std::string>& names) {
    std::string line = "dir " + Escape(path);
    for (const std::string& n : names) line += " " + Escape(n);
    WriteLine(line);
}

std::string Setting(const std::string& name, const std::function<std::string()>& choose) {
    if (Replaying()) {
        const Line& l = Take("setting", "el ajuste " + name);
        std::string text;
        Unescape(l.fields[0], text);
        if (text != name) Diverged(l.number, "la partida pide el ajuste " + name + " y el diario da " + text);
        Unescape(l.fields[1], text);
        return text;
    }
    std::string value = choose();
    if (Recording()) WriteLine("setting " + Escape(name) + " " + Escape(value));
    return value;
}

// ---------------------------------------------------------------- events

std::vector<SDL_Event> PumpEvents(int flip) {
    std::vector<SDL_Event> events;
    if (st.mode == Mode::Live) return events;
    ++st.pump;
    if (st.mode != Mode::Replay) return events;
    const auto& facts = st.journal.facts;
    while (st.next < facts.size() && facts[st.next].kind == "ev") {
        const Line& l = facts[st.next];
        const int64_t pump = Field(l, 1, 0, INT64_MAX);
        if (pump > st.pump) break;
        if (pump < st.pump || Field(l, 0, 0, INT32_MAX) != flip)
            Diverged(l.number, "el evento llego en el flip " + l.fields[0] + ", proceso " + l.fields[1] +
                                   ", y la repeticion esta en el flip " + std::to_string(flip) + ", proceso " +
                                   std::to_string(st.pump));
        SDL_Event e;
        EventFrom(l.fields[2], l.fields, 3, e);
        events.push_back(e);
        ++st.next;
    }
    return events;
}

void WriteEvent(int flip, const SDL_Event& event) {
    std::string fields;
    std::string kind = EventKindOf(event, fields);
    if (kind.empty()) return;
    std::string line = "ev " + std::to_string(flip) + " " + std::to_string(st.pump) + " " + kind;
    if (!fields.empty()) line += " " + fields;
    WriteLine(line);
}

}  // namespace journal
