// Import of 16-bit FPG collections into packs: decoded pictures, or pictures loaded from
// the image files the records name; pack layout (code n in slot n) and grid layout
// (code n in slot n - 1).
#include "pack_io.h"
#include "platform/base/stream.h"
#include "platform/video/render.h"
#include "ssvgp.h"

namespace {

// What the readers share: header, then one call per record until the end.
struct FPGRecord {
    packio::RecordShape shape;
    int code = 0;
    std::string name;  // only used by the image-file import
    int w = 0, h = 0;
    int points = 0;
};

template <class OnRecord>
void ReadFPG(TStream& s, const std::string& path, OnRecord onRecord) {
    GetEmptyGraph();
    if (!packio::ReadFPGHeader(s)) VGPFatal("Wrong header reading FPG " + path);
    SetMaskColor(0, 0, 0);
    const int64_t end = s.Size();
    const std::string what = "FPG " + path;
    while (s.Pos() < end) {
        FPGRecord rec;
        // After the number: the record's length (4 bytes), a description (32), the name (12).
        rec.shape = packio::ReadRecordHead(s, end, 48, 2, what, &rec.name);
        rec.code = static_cast<int>(rec.shape.number);
        rec.w = static_cast<int>(rec.shape.w);
        rec.h = static_cast<int>(rec.shape.h);
        rec.points = static_cast<int>(rec.shape.points);
        onRecord(rec);
    }
}

// A graph whose picture is loaded from folder + the record's file name; the record's
// points are read and its pixels skipped. nullptr when the picture cannot be loaded.
TGraphPtr GraphFromFile(TStream& s, const FPGRecord& rec, const std::string& folder, int flags) {
    auto g = TGraph::Create();
    g->W = rec.w;
    g->H = rec.h;
    g->I = LoadImage(folder + rec.name, flags);
    packio::ReadPoints(s, *g, rec.points);
    s.Seek(s.Pos() + int64_t{rec.w} * rec.h * 2);
    if (!g->I) return nullptr;
    packio::SetGraphHandle(*g);
    return g;
}

template <class Pack>
void FillFromFiles(TStream& s, const std::string& path, const std::string& folder, Pack& p,
                   int slotOffset) {
    ReadFPG(s, path, [&](const FPGRecord& rec) {
        const int slot = rec.code - slotOffset;
        if (slot < 0) VGPFatal("Bad record reading FPG " + path);
        packio::GrowTo(p, slot);
        // A picture that cannot be loaded leaves the slot to the filler.
        p.Graph[slot] = GraphFromFile(s, rec, folder, p.VFlags);
    });
}

}  // namespace

VGPPtr VGP::LoadFPG(const std::string& path, int flags) {
    return packio::LoadFile("FPG", path, [&](TStream& s) { return LoadFPG(s, path, flags); });
}

VGPPtr VGP::LoadFPG(TStream& s, const std::string& path, int flags) {
    auto p = std::make_shared<VGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    std::vector<uint8_t> buf;
    ReadFPG(s, path, [&](const FPGRecord& rec) {
        TGraphPtr g = packio::ReadRecordGraph(s, rec.shape, p->VFlags, packio::Read565, buf, "FPG " + path);
        packio::GrowTo(*p, rec.code);
        p->Graph[rec.code] = std::move(g);
    });
    p->Graph.reset(0);
    packio::FillEmpty(*p, 1, p->Size);
    return p;
}

VGPPtr VGP::LoadFPGasVGP(const std::string& path, int flags) {
    return packio::LoadFile("FPG", path,
                            [&](TStream& s) { return LoadFPGasVGP(s, path, packio::FolderOf(path), flags); });
}

VGPPtr VGP::LoadFPGasVGP(TStream& s, const std::string& path, const std::string& folder, int flags) {
    auto p = std::make_shared<VGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    FillFromFiles(s, path, folder, *p, 0);
    p->Graph.reset(0);
    packio::FillEmpty(*p, 1, p->Size);
    return p;
}

SSVGPPtr SSVGP::LoadFPGasVGP(const std::string& path, int flags) {
    return packio::LoadFile("FPG", path,
                            [&](TStream& s) { return LoadFPGasVGP(s, path, packio::FolderOf(path), flags); });
}

SSVGPPtr SSVGP::LoadFPGasVGP(TStream& s, const std::string& path, const std::string& folder,
                             int flags) {
    auto p = std::make_shared<SSVGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    FillFromFiles(s, path, folder, *p, 1);
    // The highest code's slot is the last; it stays empty only when its picture
    // could not be loaded, and then takes the filler too.
    packio::FillEmpty(*p, 0, p->Size);
    return p;
}
