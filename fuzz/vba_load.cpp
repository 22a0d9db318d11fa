// Fuzz target: an animation set file, then what playback does with it.
// A longer run of every target: fuzz/run build-fuzz 600
#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "vba/anim_state.h"
#include "vba/vba.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool tables = (InitTrigTables(), true);
    (void)tables;
    VBAPtr v;
    try {
        auto s = TStream::FromMemory(std::string(reinterpret_cast<const char*>(data), size));
        v = VBA::LoadVBA(*s, "fuzz.vba");
    } catch (const GameError&) {
        return 0;
    }
    auto st = AnimState::Create(v);
    for (int n = 0; n < v->NAnims && n < 64; n++) {
        st->ChangeAnim(n, 1000, n & 1, 0, 0);
        for (float t : {1000.0f, 1033.0f, 1500.0f, 90000.0f}) {
            st->Update(t);
            st->PrepareBoneList(t, (n & 2) ? -1.0f : 1.0f, 1.0f, t);
        }
        st->ChangeAnim((n + 1) % v->NAnims, 90000, 1, 100, 700);  // blend into the next
        st->Update(90050);
        st->PrepareBoneList(90050, 2, -2, -90);
    }
    v->SaveVBA("/dev/null");
    if (v->NBones > 1) v->DeleteBone(v->NBones - 1);
    v->Unload();
    return 0;
}
