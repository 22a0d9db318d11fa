// Import of 16-bit FPG collections into packs: decoded pictures, or pictures loaded from
// the image files the records name; pack layout (code n in slot n) and grid layout
// (code n in slot n - 1).
#include "pack_io.h"
#include "platform/base/stream.h"
#include "platform/video/render.h"
#include "ssvgp.h"

namespace {

// What the readers share: open, header, then one call per record until the end.
struct FPGRecord {
    int code = 0;
    std::string name;  // only read by the image-file import
    int w = 0, h = 0;
    int points = 0;
};

template <class OnRecord>
void ReadFPG(TStream& s, const std::string& path, bool readName, OnRecord onRecord) {
    GetEmptyGraph();
    if (!packio::ReadFPGHeader(s)) VGPFatal("Wrong header reading FPG " + path);
    SetMaskColor(0, 0, 0);
    const int64_t end = s.Size();
    while (s.Pos() < end) {
        packio::RecordShape r;
        FPGRecord rec;
        r.number = s.ReadInt();
        s.ReadInt();  // record length
        s.ReadString(32);  // description
        if (readName)
            rec.name = ReadFixedString(s, 12);
        else
            s.ReadString(12);
        r.w = s.ReadInt();
        r.h = s.ReadInt();
        r.points = s.ReadInt();
        if (!packio::RecordFits(r, packio::Left(s, end), 2)) VGPFatal("Bad record reading FPG " + path);
        rec.code = static_cast<int>(r.number);
        rec.w = static_cast<int>(r.w);
        rec.h = static_cast<int>(r.h);
        rec.points = static_cast<int>(r.points);
        onRecord(rec);
    }
}

TStreamPtr OpenFPG(const std::string& path) {
    TStreamPtr s = ReadStream(path);
    if (!s) VGPFatal("FPG " + path + " not found");
    return s;
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
    ReadFPG(s, path, true, [&](const FPGRecord& rec) {
        const int slot = rec.code - slotOffset;
        if (slot < 0) VGPFatal("Bad record reading FPG " + path);
        packio::GrowTo(p, slot);
        // A picture that cannot be loaded leaves the slot to the filler.
        p.Graph[slot] = GraphFromFile(s, rec, folder, p.VFlags);
    });
}

}  // namespace

VGPPtr VGP::LoadFPG(const std::string& path, int flags) {
    TStreamPtr s = OpenFPG(path);
    VGPPtr p = LoadFPG(*s, path, flags);
    s->Close();
    return p;
}

VGPPtr VGP::LoadFPG(TStream& s, const std::string& path, int flags) {
    auto p = std::make_shared<VGP>();
    p->VFlags = flags | DYNAMICIMAGE;
    std::vector<uint8_t> buf;
    ReadFPG(s, path, false, [&](const FPGRecord& rec) {
        TGraphPtr g = packio::NewGraph(rec.w, rec.h, p->VFlags);
        if (!g) VGPFatal("Bad record reading FPG " + path);
        packio::ReadPoints(s, *g, rec.points);
        TPixmapPtr pm = LockImage(g->I, 0, true, true);
        packio::Read565(s, *pm, rec.w, rec.h, buf);
        UnlockImage(g->I, 0);
        packio::SetGraphHandle(*g);
        packio::GrowTo(*p, rec.code);
        p->Graph[rec.code] = std::move(g);
    });
    p->Graph.reset(0);
    packio::FillEmpty(*p, 1, p->Size);
    return p;
}

VGPPtr VGP::LoadFPGasVGP(const std::string& path, int flags) {
    TStreamPtr s = OpenFPG(path);
    VGPPtr p = LoadFPGasVGP(*s, path, packio::FolderOf(path), flags);
    s->Close();
    return p;
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
    TStreamPtr s = OpenFPG(path);
    SSVGPPtr p = LoadFPGasVGP(*s, path, packio::FolderOf(path), flags);
    s->Close();
    return p;
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
