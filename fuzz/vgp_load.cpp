// Fuzz target: a graphics pack file, then copying, recolouring and saving it.
// A longer run of every target: fuzz/run build-fuzz 600
#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "vgp/vgp.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    VGPPtr p;
    try {
        auto s = TStream::FromMemory(std::string(reinterpret_cast<const char*>(data), size));
        p = VGP::LoadVGP(*s, "fuzz.vgp", 6, 1);
    } catch (const GameError&) {
        return 0;
    }
    VGPPtr c = p->Copy();
    c->ChangeRanges(255, 255, 0, 0, 255, 0, 10, 20, 255, 100);
    c->BlackMask();
    p->SaveVGP("/dev/null");
    c->Unload();
    p->Unload();
    return 0;
}
