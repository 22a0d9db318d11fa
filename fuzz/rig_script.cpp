// Fuzz target: the rig's script reader, one line at a time as the --script file is read,
// then the events delivered over the following flips into the input state.
#include "platform/base/errors.h"
#include "platform/input/input.h"
#include "platform/input/input_internal.h"
#include "platform/input/script.h"
#include "platform/session/run.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    session::Reset();
    input::ClearScript();
    input::Reset();
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            input::AddScriptLine(line);
        } catch (const GameError&) {
        }
        start = end + 1;
    }
    // The first flips one by one, as a run would see them.
    for (int flip = 0; flip < 64; ++flip) {
        input::DeliverScriptEvents();
        (void)KeyHit(KEY_ESCAPE);
        (void)GetChar();
        (void)MouseHit(1);
        session::FlipDone(0, 0);
    }
    session::Reset();
    input::ClearScript();
    return 0;
}
