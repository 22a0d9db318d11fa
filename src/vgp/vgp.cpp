// Graphics packs: the VGP reader and writer, copies and recolouring.
#include "vgp.h"

#include "pack_io.h"
#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "platform/video/render.h"

#include <algorithm>

TGraphPtr EmptyGraph;

const TGraphPtr& GetEmptyGraph() {
    if (!EmptyGraph) {
        auto g = TGraph::Create();
        g->W = 1;
        g->H = 1;
        g->I = CreateImage(1, 1, 1, 0);  // blank: its one pixel is transparent
        EmptyGraph = g;
    }
    return EmptyGraph;
}

void VGPFatal(const std::string& message) { throw GameError(message, VGP_CLOSING_LINE, /*notice=*/true, /*lineEnd=*/false); }

std::string ReadFixedString(TStream& s, int n) {
    std::string field = s.ReadString(n > 0 ? static_cast<size_t>(n) : 0);
    const size_t zero = field.find('\0');
    if (zero != std::string::npos) field.resize(zero);
    return field;
}

// ---------------------------------------------------------------------------------------
// Reading

VGPPtr VGP::LoadVGP(const std::string& path, int flags, int relative) {
    return packio::LoadFile("VGP", path, [&](TStream& s) { return LoadVGP(s, path, flags, relative); });
}

void packio::ReadPackRecords(TStream& s, const std::string& path, VGP& p) {
    GetEmptyGraph();
    static const char magic[] = "VGP";
    for (int i = 0; i < 3; i++)
        if (s.ReadByte() != static_cast<uint8_t>(magic[i])) VGPFatal("Wrong header reading VGP " + path);
    s.ReadByte();  // version
    SetMaskColor(0, 0, 0);

    const int64_t end = s.Size();
    std::vector<uint8_t> buf;
    const std::string what = "VGP " + path;
    while (s.Pos() < end) {
        // The 4 bytes after the number are the record's data size.
        const packio::RecordShape r = packio::ReadRecordHead(s, end, 4, 4, what);
        const int n = static_cast<int>(r.number);
        TGraphPtr g = packio::ReadRecordGraph(s, r, p.VFlags, packio::ReadArgb, buf, what);
        packio::GrowTo(p, n);
        p.Graph[n] = std::move(g);
    }
}

VGPPtr VGP::LoadVGP(TStream& s, const std::string& path, int flags, int relative) {
    auto p = std::make_shared<VGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    packio::ReadPackRecords(s, path, *p);
    // Graph 0 means "no picture of its own": the filler, whatever the file holds.
    p->Graph.reset(0);
    packio::FillEmpty(*p, 1, p->Size);

    if (relative != 0) {
        for (const auto& [n, g] : p->Graph.stored()) {
            if (!g || g == EmptyGraph || g->CP.size() < 2) continue;
            const TPoint first = g->CP[0];
            for (size_t k = 1; k < g->CP.size(); k++) {
                g->CP[k].X -= first.X;
                g->CP[k].Y -= first.Y;
            }
        }
    }
    return p;
}

// ---------------------------------------------------------------------------------------
// Writing

namespace {

void WriteRecord(TStream& s, int number, const TGraph& g, bool zeroAlpha0) {
    s.WriteInt(number);
    s.WriteInt(static_cast<int32_t>(static_cast<uint32_t>(g.W) * static_cast<uint32_t>(g.H) * 4u));
    s.WriteInt(g.W);
    s.WriteInt(g.H);
    const int cps = g.CPs > 0 ? g.CPs : 0;
    s.WriteInt(cps);
    for (int k = 0; k < cps; k++) {
        const TPoint pt = k < static_cast<int>(g.CP.size()) ? g.CP[k] : TPoint{};
        s.WriteShort(static_cast<int16_t>(pt.X & 0xFFFF));
        s.WriteShort(static_cast<int16_t>(pt.Y & 0xFFFF));
    }
    packio::WriteArgb(s, g, zeroAlpha0);
}

}  // namespace

int packio::SavePackRecords(const VGP& p, const std::string& path, int first, bool zeroAlpha0) {
    GetEmptyGraph();
    TStreamPtr s = WriteStream(path);
    if (!s) VGPFatal("Impossible to write VGP " + path);
    s->WriteString("VGP");
    s->WriteByte(1);
    const size_t end = std::min(p.Size < 0 ? size_t{0} : static_cast<size_t>(p.Size), p.Graph.size());
    const auto& slots = p.Graph.stored();
    for (auto it = slots.lower_bound(first < 0 ? 0 : static_cast<size_t>(first)); it != slots.end() && it->first < end;
         ++it) {
        const TGraphPtr& g = it->second;
        if (!g || g == EmptyGraph) continue;
        WriteRecord(*s, static_cast<int>(it->first), *g, zeroAlpha0);
    }
    s->Close();
    return 0;
}

int VGP::SaveVGP(const std::string& path) const { return packio::SavePackRecords(*this, path, 1, true); }

// ---------------------------------------------------------------------------------------
// Copies and recolouring

namespace {

TGraphPtr CopyGraph(const TGraph& src, int flags) {
    auto g = TGraph::Create();
    g->W = src.W;
    g->H = src.H;
    g->CPs = src.CPs;
    g->CP = src.CP;
    if (src.W > 0 && src.H > 0) g->I = CreateImage(src.W, src.H, 1, flags);
    TPixmapPtr from = src.I ? LockImage(src.I, 0, true, false) : nullptr;
    TPixmapPtr to = g->I ? LockImage(g->I, 0, true, true) : nullptr;
    if (from && to) {
        if (from->format == to->format && from->width == to->width &&
            from->height == to->height && from->pitch == to->pitch) {
            to->pixels = from->pixels;
        } else {
            for (int y = 0; y < src.H; y++)
                for (int x = 0; x < src.W; x++) to->WritePixel(x, y, from->ReadPixel(x, y));
        }
    }
    if (from) UnlockImage(src.I, 0);
    if (to) UnlockImage(g->I, 0);
    packio::SetGraphHandle(*g);
    return g;
}

// Calls f(pixel&) on every pixel (0xAARRGGBB) of frame 0, writing back the changes.
template <class F>
void EachPixel(TGraph& g, F f) {
    TPixmapPtr pm = g.I ? LockImage(g.I, 0, true, true) : nullptr;
    if (!pm) return;
    for (int y = 0; y < pm->height; y++) {
        for (int x = 0; x < pm->width; x++) {
            uint32_t c = pm->ReadPixel(x, y);
            const uint32_t before = c;
            f(c);
            if (c != before) pm->WritePixel(x, y, c);
        }
    }
    UnlockImage(g.I, 0);
}

}  // namespace

std::shared_ptr<VGP> packio::CopyPack(const VGP& src, std::shared_ptr<VGP> p) {
    p->Size = src.Size;
    p->VFlags = src.VFlags;
    p->Graph.clear();
    p->Graph.resize(src.Size > 0 ? static_cast<size_t>(src.Size) : 0);
    GetEmptyGraph();
    for (const auto& [n, g] : src.Graph.stored()) {
        if (n >= p->Graph.size()) break;
        if (!g)
            p->Graph[n] = nullptr;
        else if (g != EmptyGraph)
            p->Graph[n] = CopyGraph(*g, src.VFlags);
    }
    return p;
}

VGPPtr VGP::Copy() const { return packio::CopyPack(*this, std::make_shared<VGP>()); }

void VGP::MaskGraph(TGraph& g) {
    EachPixel(g, [](uint32_t& c) {
        if (c != 0) c = 0xFF000000u;
    });
}

void VGP::RangesGraph(TGraph& g, const uint8_t k[9], uint8_t limit) {
    EachPixel(g, [&](uint32_t& c) {
        const uint32_t A = c >> 24, R = (c >> 16) & 255, G = (c >> 8) & 255, B = c & 255;
        if (A == 0) return;
        uint32_t v;
        const uint8_t* t;
        if (R > limit && G <= limit && B <= limit) {
            v = R, t = k;
        } else if (R <= limit && G > limit && B <= limit) {
            v = G, t = k + 3;
        } else if (R <= limit && G <= limit && B > limit) {
            v = B, t = k + 6;
        } else {
            return;
        }
        c = (A << 24) | ((v * t[0] / 255) << 16) | ((v * t[1] / 255) << 8) | (v * t[2] / 255);
    });
}

int VGP::BlackMask() {
    GetEmptyGraph();
    EachOwnGraph(1, [](TGraph& g) { MaskGraph(g); });
    return 0;
}

int VGP::ChangeRanges(uint8_t r1, uint8_t g1, uint8_t b1, uint8_t r2, uint8_t g2, uint8_t b2,
                      uint8_t r3, uint8_t g3, uint8_t b3, uint8_t limit) {
    GetEmptyGraph();
    const uint8_t k[9] = {r1, g1, b1, r2, g2, b2, r3, g3, b3};
    EachOwnGraph(1, [&](TGraph& g) { RangesGraph(g, k, limit); });
    return 0;
}

int VGP::Unload() {
    GetEmptyGraph();
    for (auto& [n, g] : Graph.stored()) {
        if (!g || g == EmptyGraph) continue;
        g->I.reset();
        g->CP.clear();
        g.reset();
    }
    Graph.clear();
    Size = 0;
    return 0;
}
