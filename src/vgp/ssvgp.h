#pragma once
// Grid packs: packs laid out from slot 0 with no reserved slot (FPG graph 1 in slot 0,
// VGP graph n in slot n, graph 0 kept). Their recolouring includes slot 0 and EmptyGraph.
#include "vgp.h"

class SSVGP : public VGP {
public:
    // As VGP::LoadFPGasVGP with code n in slot n - 1; Size is the highest code.
    static std::shared_ptr<SSVGP> LoadFPGasVGP(const std::string& path, int flags);
    static std::shared_ptr<SSVGP> LoadFPGasVGP(TStream& stream, const std::string& path,
                                               const std::string& folder, int flags);
    // A VGP file laid out from slot 0; control points stay absolute.
    static std::shared_ptr<SSVGP> LoadVGP(const std::string& path, int flags);
    static std::shared_ptr<SSVGP> LoadVGP(TStream& stream, const std::string& path, int flags);

    // Writes slots 0 .. Size - 1 (skipping EmptyGraph), every pixel as stored.
    int SaveGridVGP(const std::string& path) const;
    std::shared_ptr<VGP> Copy() const override;
    int BlackMask() override;
    int ChangeRanges(uint8_t r1, uint8_t g1, uint8_t b1, uint8_t r2, uint8_t g2, uint8_t b2,
                     uint8_t r3, uint8_t g3, uint8_t b3, uint8_t limit) override;

private:
    // f(graph) for every graph shown in slots 0 .. Size - 1, the filler once if any
    // slot shows it.
    template <class F>
    void EachSlotGraph(F f);
};
using SSVGPPtr = std::shared_ptr<SSVGP>;
