// Fuzz target: a session journal read as a replay reads it, line by line from a byte
// source that hands the bytes over in pieces whose size follows from the input (so lines
// are cut across reads anywhere, and the seed journals still read as journals); every
// event line rebuilt and every string written back the way it was read.
#include "platform/base/errors.h"
#include "platform/session/journal.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = 1 + (size + data[size - 1]) % 64;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        journal::Reader reader(journal::TextSource(std::move(bytes), piece), "fuzz");
        int last = 5;
        while (const journal::Line* line = reader.Peek()) {
            if (line->number != last + 1) __builtin_trap();  // one fact per line, in order
            last = line->number;
            if (line->kind == "ev") {
                SDL_Event e;
                if (!journal::EventFrom(line->fields[2], line->fields, 3, e)) __builtin_trap();  // checked
                std::string fields;
                if (journal::EventKindOf(e, fields) != line->fields[2]) __builtin_trap();
            }
            if (line->kind == "dir" || line->kind == "setting") {
                for (const std::string& field : line->fields) {
                    std::string text, again;
                    if (!journal::Unescape(field, text)) __builtin_trap();
                    if (!journal::Unescape(journal::Escape(text), again) || again != text) __builtin_trap();
                }
            }
            reader.Pop();
        }
        if (reader.endLine() != last + 1) __builtin_trap();
        if (reader.Peek() != nullptr) __builtin_trap();  // the end stays the end
    } catch (const GameError&) {
    }
    return 0;
}
