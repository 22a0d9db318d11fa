// Pixmap packs: the pictures of an FPG or VGP file as plain pixmaps.
#include "pvgp.h"

#include "pack_io.h"
#include "platform/base/stream.h"
#include "platform/video/render.h"

const TPixmapPtr& NoPixmap() {
    static const TPixmapPtr none;
    return none;
}

namespace {

// Reads records until the end of the stream into slot `number` of p as bare pixmaps (the
// points skipped), decoding pixels with `decode`.
void ReadPixmapRecords(TStream& s, const std::string& what, PVGP& p, int skip, int pixelBytes,
                       packio::PixelDecoder decode) {
    const int64_t end = s.Size();
    std::vector<uint8_t> buf;
    while (s.Pos() < end) {
        const packio::RecordShape r = packio::ReadRecordHead(s, end, skip, pixelBytes, what);
        TPixmapPtr pm = CreatePixmap(static_cast<int>(r.w), static_cast<int>(r.h), PF_RGBA8888, 4);
        if (!pm) VGPFatal("Bad record reading " + what);
        s.Seek(s.Pos() + r.points * 4);
        decode(s, *pm, static_cast<int>(r.w), static_cast<int>(r.h), buf);
        const int n = static_cast<int>(r.number);
        if (n >= p.Size) {
            p.Size = n + 1;
            p.Graph.resize(static_cast<size_t>(p.Size));
        }
        p.Graph[n] = std::move(pm);
    }
}

}  // namespace

PVGPPtr PVGP::LoadPFPG(const std::string& path) {
    return packio::LoadFile("FPG", path, [&](TStream& s) { return LoadPFPG(s, path); });
}

PVGPPtr PVGP::LoadPFPG(TStream& s, const std::string& path) {
    if (!packio::ReadFPGHeader(s)) VGPFatal("Wrong header reading FPG " + path);
    SetMaskColor(0, 0, 0);
    auto p = std::make_shared<PVGP>();
    ReadPixmapRecords(s, "FPG " + path, *p, 48, 2, packio::Read565);
    return p;
}

PVGPPtr PVGP::LoadPVGP(const std::string& path) {
    return packio::LoadFile("VGP", path, [&](TStream& s) { return LoadPVGP(s, path); });
}

PVGPPtr PVGP::LoadPVGP(TStream& s, const std::string& path) {
    static const char magic[] = "VGP";
    for (int i = 0; i < 3; i++)
        if (s.ReadByte() != static_cast<uint8_t>(magic[i])) VGPFatal("Wrong header reading VGP " + path);
    s.ReadByte();  // version
    SetMaskColor(0, 0, 0);
    auto p = std::make_shared<PVGP>();
    ReadPixmapRecords(s, "VGP " + path, *p, 4, 4, packio::ReadArgb);
    return p;
}

int PVGP::Unload() {
    Graph.clear();
    Size = 0;
    return 0;
}
