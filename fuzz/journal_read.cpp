// Fuzz target: a session journal, read and checked whole, then every event line rebuilt
// and every string written back the way it was read.
#include "platform/base/errors.h"
#include "platform/session/journal.h"

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    journal::Parsed parsed;
    try {
        parsed = journal::Parse(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const GameError&) {
        return 0;
    }
    for (const journal::Line& line : parsed.facts) {
        if (line.kind == "ev") {
            SDL_Event e;
            if (!journal::EventFrom(line.fields[2], line.fields, 3, e)) __builtin_trap();  // checked by Parse
            std::string fields;
            if (journal::EventKindOf(e, fields) != line.fields[2]) __builtin_trap();
        }
        if (line.kind == "dir") {
            for (const std::string& field : line.fields) {
                std::string text, again;
                if (!journal::Unescape(field, text)) __builtin_trap();
                if (!journal::Unescape(journal::Escape(text), again) || again != text) __builtin_trap();
            }
        }
    }
    return 0;
}
