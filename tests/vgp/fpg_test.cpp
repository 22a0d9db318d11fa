// FPG import, grid packs and pixmap packs.
#include "pack_builder.h"

#include "platform/base/stream.h"
#include "platform/pixels/pixmap.h"
#include "vgp/pvgp.h"
#include "vgp/ssvgp.h"

#include <filesystem>

using namespace testvgp;

namespace {

std::string Save(const Bytes& b, const std::string& name) {
    const std::string path = WorkPath(name);
    b.save(path);
    return path;
}

// A folder holding an FPG with codes 1 and 3 whose records name two PNG files: one name
// of eight letters padded with zeros, one filling all twelve bytes.
std::string FolderWithPictures() {
    const std::string dir = WorkPath("fpgpics");
    std::filesystem::create_directories(dir);
    auto a = CreatePixmap(6, 4, PF_RGBA8888);
    a->ClearPixels(0xFF0000FFu);
    SavePixmapPNG(*a, dir + "/abcd.png");
    auto b = CreatePixmap(3, 5, PF_RGBA8888);
    b->ClearPixels(0xFF00FF00u);
    SavePixmapPNG(*b, dir + "/abcdefgh.png");
    Bytes f = FPGHeader();
    FPGRecord(f, 1, "abcd.png", 6, 4, {{2, 3}}, {});
    FPGRecord(f, 3, "abcdefgh.png", 8, 8, {}, {});
    f.save(dir + "/set.fpg");
    return dir + "/set.fpg";
}

}  // namespace

TEST(FPGImport, SixteenBitColoursAndPackLayout) {
    Bytes b = FPGHeader();
    FPGRecord(b, 3, "x", 4, 1, {{3, 0}, {1, 1}}, {0xF800, 0x07E0, 0x0010, 0x0000});
    FPGRecord(b, 1, "y", 5, 3, {}, {});
    const std::string path = Save(b, "colours.fpg");

    VGPPtr p = VGP::LoadFPG(path, 2);
    EXPECT_EQ(p->VFlags, 10);
    ASSERT_EQ(p->Size, 4);
    EXPECT_EQ(p->Graph[0], EmptyGraph);
    EXPECT_EQ(p->Graph[2], EmptyGraph);
    const TGraph& g = *p->Graph[3];
    EXPECT_EQ(Pixel(g, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(Pixel(g, 1, 0), 0xFF00FF00u);
    EXPECT_EQ(Pixel(g, 2, 0), 0xFF000083u);  // 16 * 255 / 31 = 131
    EXPECT_EQ(Pixel(g, 3, 0), 0xFF000000u);  // colour 0 is opaque black
    EXPECT_EQ(g.CP[1], (TPoint{1, 1}));      // control points stay absolute
    EXPECT_EQ(g.I->handleX, 3.0f);
    EXPECT_EQ(p->Graph[1]->I->handleX, 2.0f);
    EXPECT_EQ(p->Graph[1]->I->handleY, 1.0f);

    PVGPPtr q = PVGP::LoadPFPG(path);
    ASSERT_EQ(q->Size, 4);
    EXPECT_EQ(q->Graph[0], nullptr);
    EXPECT_EQ(q->Graph[2], nullptr);
    ASSERT_NE(q->Graph[3], nullptr);
    EXPECT_EQ(q->Graph[3]->format, PF_RGBA8888);
    EXPECT_EQ(q->Graph[3]->ReadPixel(2, 0), 0xFF000083u);
    EXPECT_EQ(q->Graph[1]->width, 5);
    q->Unload();
    EXPECT_EQ(q->Size, 0);
    EXPECT_TRUE(q->Graph.empty());
}

TEST(FPGImport, PicturesFromNamedFiles) {
    const std::string path = FolderWithPictures();

    VGPPtr p = VGP::LoadFPGasVGP(path, 0);
    ASSERT_EQ(p->Size, 4);
    EXPECT_EQ(p->Graph[0], EmptyGraph);
    EXPECT_EQ(p->Graph[2], EmptyGraph);
    ASSERT_NE(p->Graph[1], EmptyGraph);
    EXPECT_EQ(p->Graph[1]->I->width, 6);  // "abcd.png" + four zero bytes
    EXPECT_EQ(Pixel(*p->Graph[1], 0, 0), 0xFF0000FFu);
    EXPECT_EQ(p->Graph[1]->I->handleX, 2.0f);
    ASSERT_NE(p->Graph[3], EmptyGraph);
    EXPECT_EQ(p->Graph[3]->I->width, 3);  // twelve letters, no zero
    // The handle comes from the sizes in the FPG record, not the loaded picture's.
    EXPECT_EQ(p->Graph[3]->I->handleX, 4.0f);
    EXPECT_EQ(p->Graph[3]->W, 8);

    SSVGPPtr s = SSVGP::LoadFPGasVGP(path, 0);
    ASSERT_EQ(s->Size, 3);
    EXPECT_EQ(s->Graph[0]->I->width, 6);
    EXPECT_EQ(s->Graph[1], EmptyGraph);
    EXPECT_EQ(s->Graph[2]->I->width, 3);

    // A named picture that does not exist leaves the filler in its slot.
    std::filesystem::remove(WorkPath("fpgpics/abcd.png"));
    VGPPtr m = VGP::LoadFPGasVGP(path, 0);
    EXPECT_EQ(m->Graph[1], EmptyGraph);
    EXPECT_NE(m->Graph[3], EmptyGraph);
}

TEST(FPGImport, FixedNameFields) {
    auto s = TStream::FromMemory(std::string("abcdefgh\0\0\0\0abcdefghijklXY", 26));
    EXPECT_EQ(ReadFixedString(*s, 12), "abcdefgh");
    EXPECT_EQ(ReadFixedString(*s, 12), "abcdefghijkl");
    EXPECT_EQ(s->ReadByte(), 'X');
}

TEST(GridPack, KeepsSlotZeroAndTransparentColours) {
    Bytes b = VGPHeader();
    VGPRecord(b, 0, 2, 1, {{1, 0}, {1, 1}}, {0x00123456u, 0xFF00FF00u});
    VGPRecord(b, 3, 1, 1, {}, {0x80FF0000u});
    const std::string path = Save(b, "grid.vgp");

    SSVGPPtr s = SSVGP::LoadVGP(path, 0);
    ASSERT_EQ(s->Size, 4);
    ASSERT_NE(s->Graph[0], EmptyGraph);
    EXPECT_EQ(s->Graph[0]->CP[1], (TPoint{1, 1}));  // never made relative
    EXPECT_EQ(Pixel(*s->Graph[0], 0, 0), 0x00123456u);
    EXPECT_EQ(s->Graph[1], EmptyGraph);
    EXPECT_EQ(s->Graph[2], EmptyGraph);

    const std::string out = WorkPath("grid_saved.vgp");
    s->SaveGridVGP(out);
    EXPECT_EQ(ReadFile(out), b.b);  // every pixel as stored, slot 0 included
    SSVGPPtr t = SSVGP::LoadVGP(out, 0);
    EXPECT_EQ(Pixel(*t->Graph[0], 0, 0), 0x00123456u);

    // Recolouring a grid pack starts at slot 0.
    auto c = std::static_pointer_cast<SSVGP>(t->Copy());
    c->BlackMask();
    EXPECT_EQ(Pixel(*c->Graph[0], 1, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(*t->Graph[0], 1, 0), 0xFF00FF00u);
    t->ChangeRanges(0, 0, 255, 0, 0, 0, 0, 0, 0, 10);
    EXPECT_EQ(Pixel(*t->Graph[3], 0, 0), 0x800000FFu);

    PVGPPtr q = PVGP::LoadPVGP(path);
    ASSERT_EQ(q->Size, 4);
    EXPECT_EQ(q->Graph[0]->ReadPixel(0, 0), 0x00123456u);
    EXPECT_EQ(q->Graph[1], nullptr);
    EXPECT_EQ(q->Graph[3]->ReadPixel(0, 0), 0x80FF0000u);
}

TEST(FPGImport, FatalMessages) {
    const std::string missing = WorkPath("missing.fpg");
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPG(missing, 0); }), "FPG " + missing + " not found");
    EXPECT_EQ(FatalOf([&] { SSVGP::LoadFPGasVGP(missing, 0); }), "FPG " + missing + " not found");
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPFPG(missing); }), "FPG " + missing + " not found");
    EXPECT_EQ(FatalOf([&] { SSVGP::LoadVGP(missing, 0); }), "VGP " + missing + " not found");
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPVGP(missing); }), "VGP " + missing + " not found");

    Bytes b;
    b.str("f16").u8(26).u8(13).u8(10).u8(1).u8(1);  // seventh byte 1
    const std::string bad = Save(b, "badhead.fpg");
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPG(bad, 0); }), "Wrong header reading FPG " + bad);
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPGasVGP(bad, 0); }), "Wrong header reading FPG " + bad);
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPFPG(bad); }), "Wrong header reading FPG " + bad);
    const std::string badv = Save(Bytes().str("VGX"), "badhead2.vgp");
    EXPECT_EQ(FatalOf([&] { SSVGP::LoadVGP(badv, 0); }), "Wrong header reading VGP " + badv);
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPVGP(badv); }), "Wrong header reading VGP " + badv);

    const std::string cannot = WorkPath("no/such/dir/grid.vgp");
    EXPECT_EQ(FatalOf([&] { SSVGP().SaveGridVGP(cannot); }), "Impossible to write VGP " + cannot);
}

TEST(FPGImport, HostileRecords) {
    Bytes neg = FPGHeader();
    FPGRecord(neg, -4, "x", 1, 1, {}, {});
    const std::string negPath = Save(neg, "negcode.fpg");
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPG(negPath, 0); }), "Bad record reading FPG " + negPath);
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPFPG(negPath); }), "Bad record reading FPG " + negPath);

    // Code 0 has no slot in the grid layout.
    Bytes zero = FPGHeader();
    FPGRecord(zero, 0, "x", 1, 1, {}, {});
    const std::string zeroPath = Save(zero, "zerocode.fpg");
    EXPECT_EQ(FatalOf([&] { SSVGP::LoadFPGasVGP(zeroPath, 0); }), "Bad record reading FPG " + zeroPath);

    Bytes big = FPGHeader();
    big.i32(1).i32(0).str(std::string(44, 'n')).i32(20000).i32(20000).i32(0);
    const std::string bigPath = Save(big, "bigside.fpg");
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPG(bigPath, 0); }), "Bad record reading FPG " + bigPath);

    Bytes pts = FPGHeader();
    pts.i32(1).i32(0).str(std::string(44, 'n')).i32(1).i32(1).i32(100000).u16(0);
    const std::string ptsPath = Save(pts, "points.fpg");
    EXPECT_EQ(FatalOf([&] { VGP::LoadFPGasVGP(ptsPath, 0); }), "Bad record reading FPG " + ptsPath);

    Bytes pv = VGPHeader();
    pv.i32(2).i32(0).i32(-1).i32(3).i32(0);
    const std::string pvPath = Save(pv, "negwidth.vgp");
    EXPECT_EQ(FatalOf([&] { PVGP::LoadPVGP(pvPath); }), "Bad record reading VGP " + pvPath);
}
