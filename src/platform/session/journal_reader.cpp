// Reading a journal line by line from a byte source: the sources, cutting lines, and
// checking the header and every fact once as it arrives.
#include "platform/session/journal_reader.h"

#include "platform/base/errors.h"
#include "platform/base/system.h"
#include "platform/session/journal.h"
#include "platform/session/run.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace journal {
namespace {

constexpr size_t kChunk = 1 << 16;
// No line the game writes comes near this (the longest is a folder listing); a source
// that never ends its line must not take all the memory.
constexpr size_t kMaxLine = 1 << 20;

// A file descriptor: a file, a FIFO, standard input. read() gives what is there as soon
// as there is something, and waits while a writer still holds a FIFO or pipe open.
class DescriptorSource : public ByteSource {
   public:
    DescriptorSource(int fd, bool owned, std::string path) : fd(fd), owned(owned), path(std::move(path)) {}
    ~DescriptorSource() override {
        if (owned) ::close(fd);
    }
    size_t Read(char* data, size_t size) override {
        for (;;) {
            const ssize_t n = ::read(fd, data, size);
            if (n >= 0) return static_cast<size_t>(n);
            // A stop signal while waiting on a FIFO or a pipe ends the replay there.
            if (errno == EINTR && StopSignal() != 0) session::StopForSignal();
            if (errno != EINTR)
                throw GameError("No se puede leer el diario " + path + ": " + std::strerror(errno));
        }
    }

   private:
    int fd;
    bool owned;
    std::string path;
};

class MemorySource : public ByteSource {
   public:
    MemorySource(std::string bytes, size_t piece)
        : bytes(std::move(bytes)), piece(std::max<size_t>(piece, 1)) {}
    size_t Read(char* data, size_t size) override {
        const size_t n = std::min({size, piece, bytes.size() - at});
        std::memcpy(data, bytes.data() + at, n);
        at += n;
        return n;
    }

   private:
    std::string bytes;
    size_t piece;
    size_t at = 0;
};

bool ToInt(const std::string& s, int64_t lo, int64_t hi, int64_t& out) {
    if (s.empty()) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && out >= lo && out <= hi;
}

}  // namespace

std::string Sum::Hex() const {
    char buf[12];
    std::snprintf(buf, sizeof buf, "%08x", static_cast<unsigned>(h));
    return buf;
}

std::unique_ptr<ByteSource> OpenSource(const std::string& path) {
    if (path == "-") return std::make_unique<DescriptorSource>(STDIN_FILENO, false, "de la entrada estandar");
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw GameError("No se puede leer el diario " + path);
    return std::make_unique<DescriptorSource>(fd, true, path);
}

std::unique_ptr<ByteSource> TextSource(std::string bytes, size_t piece) {
    return std::make_unique<MemorySource>(std::move(bytes), piece);
}

Reader::Reader(std::unique_ptr<ByteSource> source, const std::string& name)
    : source(std::move(source)), prefix(name.empty() ? "" : name + ": "), chunk(kChunk) {
    ReadHeader();
}

Reader::~Reader() = default;

void Reader::Bad(const std::string& what) const {
    throw GameError(prefix + what);
}

void Reader::Damaged(int line, const std::string& why) const {
    Bad("Linea " + std::to_string(line) + " del diario danada: " + why);
}

void Reader::Cut(int line) const {
    Bad("Diario cortado en la linea " + std::to_string(line) + ": reproducido hasta ahi");
}

int64_t Reader::Field(const Line& l, size_t i, int64_t lo, int64_t hi) const {
    int64_t v = 0;
    if (i >= l.fields.size() || !ToInt(l.fields[i], lo, hi, v))
        Damaged(l.number, "numero no valido en '" + l.kind + "'");
    return v;
}

bool Reader::ReadRaw() {
    raw.clear();
    for (;;) {
        if (at == filled && !sourceEnded) {
            at = 0;
            filled = source->Read(chunk.data(), chunk.size());
            sourceEnded = filled == 0;
        }
        if (at == filled) {
            if (raw.empty()) return false;
            Cut(number + 1);
        }
        const char* from = chunk.data() + at;
        const char* newline = static_cast<const char*>(std::memchr(from, '\n', filled - at));
        const size_t n = newline ? static_cast<size_t>(newline - from) : filled - at;
        if (raw.size() + n > kMaxLine) Damaged(number + 1, "linea demasiado larga");
        raw.append(from, n);
        at += n;
        if (newline) {
            ++at;
            ++number;
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            lineSum = sum.value();
            sum.Add(raw);
            return true;
        }
    }
}

bool Reader::ReadLine() {
    if (!ReadRaw()) return false;
    // Fields are separated by exactly one space: an empty field is damage.
    current.number = number;
    current.fields.clear();
    size_t i = 0;
    bool first = true;
    for (;;) {
        size_t space = raw.find(' ', i);
        if (space == std::string::npos) space = raw.size();
        if (space == i) Damaged(number, "campo vacio o espacio de mas");
        if (first)
            current.kind.assign(raw, i, space - i);
        else
            current.fields.emplace_back(raw, i, space - i);
        first = false;
        if (space == raw.size()) return true;
        i = space + 1;
    }
}

void Reader::ReadHeader() {
    if (!ReadLine() || current.kind != kMagic || current.fields.size() != 1)
        Bad("No es un diario de Frikipartida (linea 1)");
    int64_t format = 0;
    if (!ToInt(current.fields[0], 0, INT32_MAX, format)) Damaged(1, "version de formato no valida");
    if (format != kFormatVersion)
        Bad("El diario tiene el formato " + std::to_string(format) + " y este juego lee el formato " +
            std::to_string(kFormatVersion) + " (linea 1)");
    auto next = [&](const char* kind) -> const Line& {
        if (!ReadLine()) Bad("El diario esta cortado: falta la linea '" + std::string(kind) + "'");
        if (current.kind != kind || current.fields.size() != 1)
            Damaged(current.number, "se esperaba '" + std::string(kind) + " VALOR'");
        return current;
    };
    const Line& game = next("game");
    if (game.fields[0] != kGameVersion)
        Bad("El diario es de la version " + game.fields[0] +
            " del juego y esta es la " + std::string(kGameVersion) + " (linea 2)");
    const Line& seed = next("seed");
    if (seed.fields[0] != "clock") head.seed = static_cast<int32_t>(Field(seed, 0, INT32_MIN, INT32_MAX));
    const Line& clock = next("clock");
    if (clock.fields[0] != "virtual" && clock.fields[0] != "real")
        Damaged(4, "se esperaba 'clock virtual' o 'clock real'");
    head.virtualClock = clock.fields[0] == "virtual";
    head.maxFlips = static_cast<int>(Field(next("max-flips"), 0, 0, INT32_MAX));
}

const Line* Reader::Peek() {
    if (have) return &current;
    if (finished) return nullptr;
    do {
        if (!ReadLine()) Cut(number + 1);
        if (current.kind == kSumKind) CheckSum(current);
    } while (current.kind == kSumKind);
    if (current.kind != "end") {
        CheckFact(current);
        have = true;
        return &current;
    }
    if (current.fields.size() != 2) Damaged(current.number, "se esperaba 'end FLIPS CODIGO'");
    end.flips = static_cast<int>(Field(current, 0, 0, INT32_MAX));
    end.code = static_cast<int>(Field(current, 1, INT32_MIN, INT32_MAX));
    end.line = current.number;
    // Nothing may follow: the source must end here (a live one, once its writer closes).
    if (at < filled || (!sourceEnded && (filled = source->Read(chunk.data(), chunk.size())) > 0))
        Damaged(end.line + 1, "texto tras la linea 'end'");
    at = filled = 0;
    sourceEnded = true;
    finished = true;
    return nullptr;
}

void Reader::CheckSum(const Line& l) {
    if (l.fields.size() != 1 || l.fields[0].size() != 8) Damaged(l.number, "se esperaba 'sum' y 8 cifras");
    uint32_t recorded = 0;
    auto [end, ec] = std::from_chars(l.fields[0].data(), l.fields[0].data() + 8, recorded, 16);
    if (ec != std::errc() || end != l.fields[0].data() + 8) Damaged(l.number, "se esperaba 'sum' y 8 cifras");
    if (recorded != lineSum)
        Bad("Diario danado entre las lineas " + std::to_string(checkedUpTo + 1) + " y " + std::to_string(l.number) +
            ": la suma de la linea " + std::to_string(l.number) + " no coincide");
    checkedUpTo = l.number;
}

void Reader::CheckAhead() {
    while (!finished) {
        if (have) {
            have = false;
            continue;
        }
        if (!ReadLine()) Cut(number + 1);
        if (current.kind == kSumKind) return CheckSum(current);
        if (current.kind == "end") finished = true;
    }
}

// Checks the fields of one fact line; throws naming the line when they are wrong.
void Reader::CheckFact(const Line& l) {
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
        if (l.fields.size() != 4 && l.fields.size() != 6)
            Damaged(l.number, "numero de campos incorrecto en 'display'");
        for (size_t i = 0; i < 3; ++i) Field(l, i, INT32_MIN, INT32_MAX);
        bool open = Field(l, 3, 0, 1) == 1;
        if (open != (l.fields.size() == 6))
            Damaged(l.number, "'display' abierta sin tamano o cerrada con el");
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
        if (!EventFrom(l.fields[2], l.fields, 3, e))
            Damaged(l.number, "evento no valido '" + l.fields[2] + "'");
    } else {
        Damaged(l.number, "tipo de linea desconocido '" + l.kind + "'");
    }
}

}  // namespace journal
