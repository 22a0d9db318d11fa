// Grid packs: VGP files laid out from slot 0, written with every pixel as stored.
#include "ssvgp.h"

#include "pack_io.h"
#include "platform/base/stream.h"
#include "platform/video/render.h"

#include <algorithm>

SSVGPPtr SSVGP::LoadVGP(const std::string& path, int flags) {
    return packio::LoadFile("VGP", path, [&](TStream& s) { return LoadVGP(s, path, flags); });
}

SSVGPPtr SSVGP::LoadVGP(TStream& s, const std::string& path, int flags) {
    auto p = std::make_shared<SSVGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    packio::ReadPackRecords(s, path, *p);
    packio::FillEmpty(*p, 0, p->Size - 1);  // the last slot holds the highest number
    return p;
}

int SSVGP::SaveGridVGP(const std::string& path) const {
    return packio::SavePackRecords(*this, path, 0, false);
}

std::shared_ptr<VGP> SSVGP::Copy() const { return packio::CopyPack(*this, std::make_shared<SSVGP>()); }

// Unlike the pack's own, these start at slot 0 and do not spare the filler.
int SSVGP::BlackMask() {
    EachSlotGraph([](TGraph& g) { MaskGraph(g); });
    return 0;
}

template <class F>
void SSVGP::EachSlotGraph(F f) {
    GetEmptyGraph();
    const size_t end = std::min(static_cast<size_t>(std::max(Size, 0)), Graph.size());
    size_t own = 0;
    for (auto& [n, g] : Graph.stored()) {
        if (n >= end) break;
        if (!g) {
            ++own;  // a slot holding nothing at all: not the filler's
        } else if (g != EmptyGraph) {
            ++own;
            f(*g);
        }
    }
    if (own < end) f(*EmptyGraph);  // once, however many slots show it
}

int SSVGP::ChangeRanges(uint8_t r1, uint8_t g1, uint8_t b1, uint8_t r2, uint8_t g2, uint8_t b2,
                        uint8_t r3, uint8_t g3, uint8_t b3, uint8_t limit) {
    GetEmptyGraph();
    const uint8_t k[9] = {r1, g1, b1, r2, g2, b2, r3, g3, b3};
    EachSlotGraph([&](TGraph& g) { RangesGraph(g, k, limit); });
    return 0;
}
