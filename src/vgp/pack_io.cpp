// Record checks, pixel codecs and slot filling shared by every pack reader and writer.
#include "pack_io.h"

#include <algorithm>

namespace packio {

bool RecordFits(const RecordShape& r, int64_t left, int pixelBytes) {
    if (r.number < 0 || r.number > VGP_MAX_GRAPH) return false;
    if (r.w < 1 || r.h < 1 || r.w > VGP_MAX_SIDE || r.h > VGP_MAX_SIDE) return false;
    if (r.w * r.h > int64_t{16} * 1024 * 1024) return false;
    if (r.points < 0) return false;
    return r.points * 4 + r.w * r.h * pixelBytes <= left;
}

RecordShape ReadRecordHead(TStream& s, int64_t end, int skip, int pixelBytes, const std::string& what,
                           std::string* name) {
    RecordShape r;
    r.number = s.ReadInt();
    if (name) {
        s.ReadString(static_cast<size_t>(skip - 12));
        *name = ReadFixedString(s, 12);
    } else {
        s.ReadString(static_cast<size_t>(skip));
    }
    r.w = s.ReadInt();
    r.h = s.ReadInt();
    r.points = s.ReadInt();
    if (!RecordFits(r, Left(s, end), pixelBytes)) VGPFatal("Bad record reading " + what);
    return r;
}

TGraphPtr ReadRecordGraph(TStream& s, const RecordShape& r, int flags, PixelDecoder decode,
                          std::vector<uint8_t>& buf, const std::string& what) {
    TGraphPtr g = NewGraph(static_cast<int>(r.w), static_cast<int>(r.h), flags);
    if (!g) VGPFatal("Bad record reading " + what);
    ReadPoints(s, *g, static_cast<int>(r.points));
    TPixmapPtr pm = LockImage(g->I, 0, true, true);
    decode(s, *pm, g->W, g->H, buf);
    UnlockImage(g->I, 0);
    SetGraphHandle(*g);
    return g;
}

void ReadPoints(TStream& s, TGraph& g, int count) {
    g.CPs = count;
    g.CP.resize(static_cast<size_t>(count));
    for (TPoint& p : g.CP) {
        p.X = static_cast<uint16_t>(s.ReadShort());
        p.Y = static_cast<uint16_t>(s.ReadShort());
    }
}

void SetGraphHandle(const TGraph& g) {
    if (!g.I) return;
    if (g.CPs > 0 && !g.CP.empty())
        SetImageHandle(g.I, static_cast<float>(g.CP[0].X), static_cast<float>(g.CP[0].Y));
    else
        SetImageHandle(g.I, static_cast<float>(g.W / 2), static_cast<float>(g.H / 2));
}

TGraphPtr NewGraph(int w, int h, int flags) {
    auto g = TGraph::Create();
    g->W = w;
    g->H = h;
    g->I = CreateImage(w, h, 1, flags);
    if (!g->I || g->I->FrameCount() < 1 || !g->I->frames[0]) return nullptr;
    return g;
}

namespace {

inline void Put(TPixmap& pm, int x, int y, uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    if (pm.format == PF_RGBA8888 && x < pm.width && y < pm.height) {
        uint8_t* p = pm.row(y) + static_cast<size_t>(x) * 4;
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    } else {
        pm.WritePixel(x, y, (uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | b);
    }
}

}  // namespace

void ReadArgb(TStream& s, TPixmap& pm, int w, int h, std::vector<uint8_t>& buf) {
    const size_t rowBytes = static_cast<size_t>(w) * 4;
    buf.resize(rowBytes);
    for (int y = 0; y < h; y++) {
        s.ReadBytes(buf.data(), rowBytes);
        const uint8_t* p = buf.data();
        for (int x = 0; x < w; x++, p += 4) Put(pm, x, y, p[0], p[1], p[2], p[3]);
    }
}

uint32_t Colour565(uint16_t m) {
    const uint32_t r = (m >> 11) * 255u / 31u;
    const uint32_t g = ((m >> 5) & 63u) * 255u / 63u;
    const uint32_t b = (m & 31u) * 255u / 31u;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void Read565(TStream& s, TPixmap& pm, int w, int h, std::vector<uint8_t>& buf) {
    const size_t rowBytes = static_cast<size_t>(w) * 2;
    buf.resize(rowBytes);
    for (int y = 0; y < h; y++) {
        s.ReadBytes(buf.data(), rowBytes);
        const uint8_t* p = buf.data();
        for (int x = 0; x < w; x++, p += 2) {
            const uint32_t c = Colour565(static_cast<uint16_t>(p[0] | (p[1] << 8)));
            Put(pm, x, y, 255, static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                static_cast<uint8_t>(c));
        }
    }
}

void WriteArgb(TStream& s, const TGraph& g, bool zeroAlpha0) {
    if (g.W <= 0 || g.H <= 0) return;
    TPixmapPtr pm = g.I ? LockImage(g.I, 0, true, false) : nullptr;
    std::vector<uint8_t> row(static_cast<size_t>(g.W) * 4);
    for (int y = 0; y < g.H; y++) {
        uint8_t* p = row.data();
        for (int x = 0; x < g.W; x++, p += 4) {
            const uint32_t c = pm ? pm->ReadPixel(x, y) : 0;
            const bool clear = zeroAlpha0 && (c >> 24) == 0;
            p[0] = static_cast<uint8_t>(c >> 24);
            p[1] = clear ? 0 : static_cast<uint8_t>(c >> 16);
            p[2] = clear ? 0 : static_cast<uint8_t>(c >> 8);
            p[3] = clear ? 0 : static_cast<uint8_t>(c);
        }
        s.WriteBytes(row.data(), row.size());
    }
    if (pm) UnlockImage(g.I, 0);
}

bool ReadFPGHeader(TStream& s) {
    static const uint8_t magic[7] = {'f', '1', '6', 26, 13, 10, 0};
    for (uint8_t m : magic)
        if (s.ReadByte() != m) return false;
    s.ReadByte();  // version
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return "/";
    return path.substr(0, slash) + "/";
}

void FillEmpty(VGP& p, int from, int to) {
    // Slots never given a graph read as the filler already; only those explicitly left
    // null (a picture that could not be loaded) need it.
    const TGraphPtr& empty = GetEmptyGraph();
    const size_t first = from < 0 ? 0 : static_cast<size_t>(from);
    const size_t last = std::min(to < 0 ? size_t{0} : static_cast<size_t>(to), p.Graph.size());
    auto& slots = p.Graph.stored();
    for (auto it = slots.lower_bound(first); it != slots.end() && it->first < last; ++it)
        if (!it->second) it->second = empty;
}

void GrowTo(VGP& p, int n) {
    if (n >= p.Size) {
        p.Size = n + 1;
        p.Graph.resize(static_cast<size_t>(p.Size));
    }
}

}  // namespace packio
