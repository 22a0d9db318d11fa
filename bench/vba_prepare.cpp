// Cost of building one figure's pose: PrepareBoneList of a 20-bone skeleton between two
// key frames, as every figure on screen does every frame.
#include "vba/anim_state.h"
#include "vba/vba.h"

#include <benchmark/benchmark.h>

namespace {

// A figure of 20 bones: a spine of 4, a head, two arms and two legs of 3, a tail of 3.
VBAPtr Figure() {
    auto v = std::make_shared<VBA>();
    int next = 0;
    auto bone = [&](VBABone* father) {
        auto b = std::make_unique<VBABone>();
        b->ID = next++;
        VBABone* raw = b.get();
        if (father) {
            father->Sons.push_back(std::move(b));
            father->NSons++;
        } else {
            v->Father = std::move(b);
        }
        return raw;
    };
    VBABone* spine = bone(nullptr);
    for (int i = 0; i < 3; i++) spine = bone(spine);
    bone(spine);  // head
    for (int limb = 0; limb < 5; limb++) {
        VBABone* b = bone(limb < 2 ? spine : v->Father.get());
        for (int i = 0; i < 2; i++) b = bone(b);
    }
    v->NBones = next;
    auto a = std::make_shared<VBAAnim>();
    std::unique_ptr<VBAFrame>* link = &a->Frames;
    for (int f = 0; f < 2; f++) {
        auto frame = std::make_unique<VBAFrame>();
        frame->Duration = 200;
        for (int i = 0; i < v->NBones; i++) {
            VBABoneState s;
            s.X = static_cast<float>(i % 5) * 3;
            s.Y = 12;
            s.Angle = static_cast<float>((i * 37 + f * 200) % 360);
            s.Z = (i * 7) % 5;
            s.Graph = i + 1;
            frame->Bones.push_back(s);
        }
        *link = std::move(frame);
        link = &(*link)->NextFrame;
    }
    a->NFrames = 2;
    a->Duration = 400;
    v->Anim.push_back(a);
    v->NAnims = 1;
    return v;
}

void BM_PrepareBoneList20(benchmark::State& state) {
    InitTrigTables();
    VBAPtr v = Figure();
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 1000, 1, 0, 0);
    float t = 1000;
    for (auto _ : state) {
        t += 0.25f;
        if (t > 1190) t = 1000;
        st->PrepareBoneList(t, -1.5f, 1.5f, 10);
        benchmark::DoNotOptimize(st->BoneList.data());
    }
    state.counters["bones"] = static_cast<double>(st->BoneList.size());
}
BENCHMARK(BM_PrepareBoneList20);

}  // namespace
