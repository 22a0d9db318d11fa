#pragma once
// Reading a session journal as its bytes arrive: from a file, standard input, a FIFO, or
// (through the same small interface) a network stream. Each line is checked once as it
// is read and forgotten when the game has used it, so a replay of hours keeps no more in
// memory than a replay of seconds; while the source is still open the reader waits for
// the next line instead of taking the pause for the end.
// The format is described in journal.h.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace journal {

// The first word of every journal, and the game's version a journal must name: its
// recorder's (journal.cpp, where the build gives the version).
extern const char* const kMagic;
extern const char* const kGameVersion;

// The running check of a journal: a 32-bit FNV-1a over every line before it, each with
// its newline. A recording writes "sum HEX" (8 lower-case hex digits) at least every
// second of play and before "end"; a replay compares. Any one changed byte changes the
// sum. Journals written before these lines existed have none and replay as they are.
constexpr const char* kSumKind = "sum";
class Sum {
   public:
    void Add(std::string_view line) {
        for (unsigned char c : line) Mix(c);
        Mix('\n');
    }
    uint32_t value() const { return h; }
    std::string Hex() const;

   private:
    void Mix(unsigned char c) { h = (h ^ c) * 16777619u; }
    uint32_t h = 2166136261u;
};

// Facts of the run fixed before the game starts.
struct Header {
    std::optional<int32_t> seed;
    bool virtualClock = false;
    int maxFlips = 0;
};

// One line. Numbers are kept as text and read by the fact that asks.
struct Line {
    int number = 0;  // 1-based line number in the journal
    std::string kind;
    std::vector<std::string> fields;
};

// Where a journal's bytes come from.
class ByteSource {
   public:
    virtual ~ByteSource() = default;
    // Up to size bytes into data, waiting while the source is open and has none yet.
    // Returns how many; 0 only when the source has ended for good. Throws GameError when
    // the source fails.
    virtual size_t Read(char* data, size_t size) = 0;
};

// A file, a FIFO or, for "-", standard input. Opening a FIFO waits for its writer.
// Throws GameError when it cannot be opened.
std::unique_ptr<ByteSource> OpenSource(const std::string& path);
// Bytes already in memory, given back at most piece bytes per Read (tests and fuzzing cut
// them anywhere).
std::unique_ptr<ByteSource> TextSource(std::string bytes, size_t piece = SIZE_MAX);

// The facts of one journal in order, read from its source as they are asked for.
// Every problem is a GameError naming the line: a damaged line (also one found by a "sum"
// line that does not match), another format or game version (found by the constructor),
// a journal cut short (the source ended without the "end" line, or inside a line: "Diario
// cortado en la linea N: reproducido hasta ahi", the game having used every fact before).
class Reader {
   public:
    // Reads and checks the header, waiting for it. name starts every message ("" none).
    Reader(std::unique_ptr<ByteSource> source, const std::string& name);
    ~Reader();
    const Header& header() const { return head; }

    // The next fact, read and checked now if it was not yet (waiting for it while the
    // source is open), or nullptr once the "end" line is reached. The same fact until
    // Pop. Throws GameError (see above).
    const Line* Peek();
    // Forgets the fact Peek gave.
    void Pop() { have = false; }
    // Whether the "end" line has been read, and its values then.
    bool ReachedEnd() const { return finished; }
    int endFlips() const { return end.flips; }
    int endCode() const { return end.code; }
    int endLine() const { return end.line; }
    // Reads on to the next "sum" line (or the end), checking it: a replay that left the
    // recording learns whether the journal was damaged there. Throws GameError as Peek.
    void CheckAhead();

   private:
    bool ReadRaw();   // the next line's text into raw; false when the source ended between lines
    bool ReadLine();  // the next line split into current; false as ReadRaw
    void ReadHeader();
    [[noreturn]] void Bad(const std::string& what) const;
    [[noreturn]] void Damaged(int line, const std::string& why) const;
    int64_t Field(const Line& l, size_t i, int64_t lo, int64_t hi) const;
    void CheckFact(const Line& l);
    void CheckSum(const Line& l);
    [[noreturn]] void Cut(int line) const;

    std::unique_ptr<ByteSource> source;
    std::string prefix;  // "name: " or ""
    std::vector<char> chunk;
    size_t at = 0, filled = 0;
    bool sourceEnded = false;
    std::string raw;  // the line being read
    int number = 0;   // lines read so far
    Line current;
    bool have = false;      // current holds a fact not yet popped
    bool finished = false;  // the "end" line was read
    struct {
        int flips = 0, code = 0, line = 0;
    } end;
    int64_t lastPump = 0;
    Sum sum;              // over every line read before the current one
    uint32_t lineSum = 0; // the sum before the current line
    int checkedUpTo = 0;  // the last line a "sum" line vouched for
    Header head;
};

}  // namespace journal
