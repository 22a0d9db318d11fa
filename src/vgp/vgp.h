#pragma once
// Graphics packs: numbered pictures with control points that dress the skeleton's bones.
// The first control point of a picture is its pivot (the image handle), so drawing graph
// n of a pack at (x, y) with rotation r and scale s is:
//   SetTransform(r, s, s); DrawImage(pack->Graph[n]->I, x, y);
// After any load or copy every slot 0 .. Size - 1 holds a graph (EmptyGraph where the
// pack has no picture); slot 0 is always EmptyGraph. Only the pictures a pack holds are
// stored (see slot_table.h), whatever its highest number.
//
// The model is public so that a generator can build a pack in code and save it:
//   auto p = std::make_shared<VGP>(); p->VFlags = DYNAMICIMAGE;
//   p->Size = n + 1; p->Graph.resize(p->Size);  // then fill slots with TGraph::Create()
//   p->SaveVGP("anim/tarsun.vgp");
#include "platform/pictures/image.h"
#include "vgp/slot_table.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream;

// Printed after every fatal message of the pack library.
inline constexpr const char* VGP_CLOSING_LINE = "KeoX_net VGP module abnormal termination";

// Stops the program with a message of the pack library: throws GameError carrying the
// message and VGP_CLOSING_LINE; `main` shows both and exits with a non-zero code.
[[noreturn]] void VGPFatal(const std::string& message);

// Limits on what a pack or FPG record may declare: graph numbers 0 .. VGP_MAX_GRAPH
// (bones name graphs in 16 bits) and pictures up to VGP_MAX_SIDE pixels a side.
inline constexpr int VGP_MAX_GRAPH = 65535;
inline constexpr int VGP_MAX_SIDE = 16384;

class TPoint {
public:
    int32_t X = 0;  // pixels in the graph's grid, origin top-left, y down
    int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

class TGraph {
public:
    int32_t W = 0;
    int32_t H = 0;
    int32_t CPs = 0;
    std::vector<TPoint> CP;  // CPs entries; CP[0] is the pivot
    TImagePtr I;             // one frame of W x H, created with the pack's VFlags

    static std::shared_ptr<TGraph> Create() { return std::make_shared<TGraph>(); }
};
using TGraphPtr = std::shared_ptr<TGraph>;

// The one filler graph shared by every pack: 1 x 1, no control points, its image's
// pixel transparent. Made on first use by any pack operation (or by GetEmptyGraph).
extern TGraphPtr EmptyGraph;
const TGraphPtr& GetEmptyGraph();

// The graphs of a pack by number; a slot without a graph of its own reads as EmptyGraph.
using TGraphTable = TSlotTable<TGraph, &GetEmptyGraph>;

// A zero-padded name field of n bytes: the bytes before the first zero (one character
// each); the whole field is consumed.
std::string ReadFixedString(TStream& stream, int n);

class VGP {
public:
    int32_t Size = 0;    // slots in Graph
    int32_t VFlags = 0;  // image flags of every picture of the pack; includes DYNAMICIMAGE
    TGraphTable Graph;   // indexed by graph number; EmptyGraph where the pack has none

    VGP() = default;
    virtual ~VGP() = default;

    // Graph n, or nullptr when n is outside the table or the slot is empty.
    TGraph* GetGraph(int n) const {
        return n >= 0 && n < static_cast<int>(Graph.size()) ? Graph[n].get() : nullptr;
    }

    // Reads a pack file. VFlags = flags | 8. relative != 0 turns control points 1 ..
    // CPs - 1 into offsets from the first. Failures stop the program through VGPFatal.
    static std::shared_ptr<VGP> LoadVGP(const std::string& path, int flags, int relative);
    // The same from an open stream; path only names the file in messages.
    static std::shared_ptr<VGP> LoadVGP(TStream& stream, const std::string& path, int flags,
                                        int relative);
    // A 16-bit FPG collection, graph code n in slot n, pictures decoded from the file.
    static std::shared_ptr<VGP> LoadFPG(const std::string& path, int flags);
    static std::shared_ptr<VGP> LoadFPG(TStream& stream, const std::string& path, int flags);
    // An FPG's index, each picture loaded from the image file its record names (in the
    // FPG's folder). A picture that cannot be loaded leaves its slot EmptyGraph.
    static std::shared_ptr<VGP> LoadFPGasVGP(const std::string& path, int flags);
    // folder: where the named image files are looked for, ending in "/".
    static std::shared_ptr<VGP> LoadFPGasVGP(TStream& stream, const std::string& path,
                                             const std::string& folder, int flags);

    // Writes slots 1 .. Size - 1 (skipping EmptyGraph); pixels of alpha 0 as zeros.
    int SaveVGP(const std::string& path) const;
    // A deep copy with new images; EmptyGraph is shared.
    virtual std::shared_ptr<VGP> Copy() const;
    // Every pixel that is not 0x00000000 becomes opaque black.
    virtual int BlackMask();
    // Re-tints pixels dominated by red, green or blue (strictly above limit, the other
    // two at most limit) with (r1,g1,b1), (r2,g2,b2), (r3,g3,b3), keeping their shade.
    virtual int ChangeRanges(uint8_t r1, uint8_t g1, uint8_t b1, uint8_t r2, uint8_t g2,
                             uint8_t b2, uint8_t r3, uint8_t g3, uint8_t b3, uint8_t limit);
    // Releases every graph of its own; Size 0. The pack is not used afterwards.
    int Unload();

protected:
    // f(graph) for every graph of the pack's own (not the filler) in slots first ..
    // Size - 1, in slot order.
    template <class F>
    void EachOwnGraph(int first, F f) {
        const size_t end = std::min(Size < 0 ? size_t{0} : static_cast<size_t>(Size), Graph.size());
        auto& slots = Graph.stored();
        for (auto it = slots.lower_bound(first < 0 ? 0 : static_cast<size_t>(first)); it != slots.end() && it->first < end;
             ++it)
            if (it->second && it->second != EmptyGraph) f(*it->second);
    }
    // Applies ChangeRanges / BlackMask to one graph's pixels.
    static void MaskGraph(TGraph& g);
    static void RangesGraph(TGraph& g, const uint8_t c[9], uint8_t limit);
};
using VGPPtr = std::shared_ptr<VGP>;
