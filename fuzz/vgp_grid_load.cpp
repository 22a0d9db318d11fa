// Fuzz target: a pack file read as a grid pack and as a pixmap pack, then the grid
// pack's copy, recolouring and writer.
// A longer run of every target: fuzz/run build-fuzz 600
#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        auto s = TStream::FromMemory(bytes);
        SSVGPPtr p = SSVGP::LoadVGP(*s, "fuzz.vgp", 0);
        auto c = p->Copy();
        c->ChangeRanges(0, 0, 255, 255, 0, 0, 0, 255, 0, 50);
        c->BlackMask();
        p->SaveGridVGP("/dev/null");
        p->Unload();
    } catch (const GameError&) {
    }
    try {
        auto s = TStream::FromMemory(bytes);
        PVGPPtr p = PVGP::LoadPVGP(*s, "fuzz.vgp");
        p->Unload();
    } catch (const GameError&) {
    }
    return 0;
}
