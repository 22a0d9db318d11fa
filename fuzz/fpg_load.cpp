// Fuzz target: a 16-bit FPG collection through every FPG loader, then the operations
// on what they made.
// A longer run of every target: fuzz/run build-fuzz 600
#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"
#include "vgp/vgp.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        auto s = TStream::FromMemory(bytes);
        VGPPtr p = VGP::LoadFPG(*s, "fuzz.fpg", 0);
        VGPPtr c = p->Copy();
        c->BlackMask();
        c->SaveVGP("/dev/null");
    } catch (const GameError&) {
    }
    try {
        // Named picture files are looked for in a folder that does not exist.
        auto s = TStream::FromMemory(bytes);
        SSVGPPtr p = SSVGP::LoadFPGasVGP(*s, "fuzz.fpg", "/nonexistent-fuzz-folder/", 0);
        p->SaveGridVGP("/dev/null");
        p->Copy();
    } catch (const GameError&) {
    }
    try {
        auto s = TStream::FromMemory(bytes);
        PVGPPtr p = PVGP::LoadPFPG(*s, "fuzz.fpg");
        p->Unload();
    } catch (const GameError&) {
    }
    return 0;
}
