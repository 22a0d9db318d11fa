// Graphics packs: slot layout, handles, relative points, round trips, recolouring,
// copies, fatal messages and hostile records.
#include "pack_builder.h"

#include "platform/base/stream.h"
#include "vgp/vgp.h"

using namespace testvgp;

namespace {

VGPPtr LoadBytes(const Bytes& b, const std::string& name, int flags = 6, int relative = 1) {
    const std::string path = WorkPath(name);
    b.save(path);
    return VGP::LoadVGP(path, flags, relative);
}

}  // namespace

TEST(VGPLoad, SlotsHandlesAndRelativePoints) {
    Bytes b = VGPHeader();
    VGPRecord(b, 3, 5, 3, {}, {0xFF010203u});
    VGPRecord(b, 1, 4, 2, {{10, 20}, {15, 18}, {4, 30}}, {});
    VGPPtr p = LoadBytes(b, "layout.vgp");

    EXPECT_EQ(p->VFlags, 14);
    ASSERT_EQ(p->Size, 4);
    EXPECT_EQ(p->Graph[0], EmptyGraph);
    EXPECT_EQ(p->Graph[2], EmptyGraph);
    ASSERT_NE(p->Graph[1], EmptyGraph);
    ASSERT_NE(p->Graph[3], EmptyGraph);
    EXPECT_EQ(EmptyGraph->W, 1);
    EXPECT_EQ(Pixel(*EmptyGraph, 0, 0), 0u);

    const TGraph& g3 = *p->Graph[3];
    EXPECT_EQ(g3.W, 5);
    EXPECT_EQ(g3.H, 3);
    EXPECT_EQ(g3.I->flags & 14, 14);
    EXPECT_EQ(g3.I->handleX, 2.0f);  // the integer centre of 5 x 3
    EXPECT_EQ(g3.I->handleY, 1.0f);
    EXPECT_EQ(Pixel(g3, 0, 0), 0xFF010203u);

    const TGraph& g1 = *p->Graph[1];
    ASSERT_EQ(g1.CPs, 3);
    EXPECT_EQ(g1.CP[0], (TPoint{10, 20}));
    EXPECT_EQ(g1.CP[1], (TPoint{5, -2}));
    EXPECT_EQ(g1.CP[2], (TPoint{-6, 10}));
    EXPECT_EQ(g1.I->handleX, 10.0f);
    EXPECT_EQ(g1.I->handleY, 20.0f);

    // Absolute points when not asked for relative ones; graph 0 of a file is the filler.
    Bytes c = VGPHeader();
    VGPRecord(c, 0, 2, 2, {}, {});
    VGPRecord(c, 1, 4, 2, {{10, 20}, {15, 18}}, {});
    VGPPtr q = LoadBytes(c, "absolute.vgp", 0, 0);
    EXPECT_EQ(q->VFlags, 8);
    EXPECT_EQ(q->Graph[0], EmptyGraph);
    EXPECT_EQ(q->Graph[1]->CP[1], (TPoint{15, 18}));

    EXPECT_EQ(LoadBytes(VGPHeader(), "empty.vgp")->Size, 0);
}

TEST(VGPSave, RoundTripWithClearPixelsAndNegativePoints) {
    auto p = std::make_shared<VGP>();
    p->VFlags = DYNAMICIMAGE;
    p->Size = 3;
    p->Graph = {GetEmptyGraph(), MakeGraph(2, 1, {{1, 0}, {-5, 7}}, 0xFF00FF00u), MakeGraph(3, 2, {}, 0x7F102030u)};
    SetPixel(*p->Graph[1], 0, 0, 0x00123456u);  // alpha 0, colour (18, 52, 86)
    SetPixel(*p->Graph[1], 1, 0, 0x80FF0000u);
    const std::string path = WorkPath("roundtrip.vgp");
    EXPECT_EQ(p->SaveVGP(path), 0);

    const std::string bytes = ReadFile(path);
    // header, then record 1: number, data size, W, H, CPs, points, pixels
    const std::string rec1 = std::string("\x01\0\0\0\x08\0\0\0\x02\0\0\0\x01\0\0\0\x02\0\0\0", 20) +
                             std::string("\x01\0\0\0\xfb\xff\x07\0", 8) +
                             std::string("\0\0\0\0\x80\xff\0\0", 8);
    EXPECT_EQ(bytes.substr(0, 4), "VGP\x01");
    EXPECT_EQ(bytes.substr(4, rec1.size()), rec1);
    EXPECT_EQ(bytes.size(), 4 + rec1.size() + 20 + 24u);

    VGPPtr q = VGP::LoadVGP(path, 0, 0);
    ASSERT_EQ(q->Size, 3);
    EXPECT_EQ(q->Graph[0], EmptyGraph);
    EXPECT_EQ(Pixel(*q->Graph[1], 0, 0), 0u);
    EXPECT_EQ(Pixel(*q->Graph[1], 1, 0), 0x80FF0000u);
    EXPECT_EQ(q->Graph[1]->CP[1], (TPoint{65531, 7}));  // -5 comes back as its 16 bits
    EXPECT_EQ(q->Graph[2]->W, 3);
    EXPECT_EQ(Pixel(*q->Graph[2], 2, 1), 0x7F102030u);

    // Saving the loaded pack gives the same file.
    q->SaveVGP(WorkPath("roundtrip2.vgp"));
    EXPECT_EQ(ReadFile(WorkPath("roundtrip2.vgp")), bytes);
}

TEST(VGPColour, BlackMaskAndChangeRanges) {
    auto p = std::make_shared<VGP>();
    p->VFlags = DYNAMICIMAGE;
    p->Size = 2;
    p->Graph = {GetEmptyGraph(), MakeGraph(4, 1, {}, 0)};
    TGraph& g = *p->Graph[1];
    SetPixel(g, 0, 0, 0xFFC83232u);  // (200, 50, 50): red-dominant
    SetPixel(g, 1, 0, 0xFFC89632u);  // (200, 150, 50): two channels above the limit
    SetPixel(g, 2, 0, 0x00C83232u);  // alpha 0: left alone
    SetPixel(g, 3, 0, 0x80001EC8u);  // (0, 30, 200): blue-dominant
    p->ChangeRanges(255, 255, 0, 0, 0, 0, 10, 20, 255, 100);
    EXPECT_EQ(Pixel(g, 0, 0), 0xFFC8C800u);
    EXPECT_EQ(Pixel(g, 1, 0), 0xFFC89632u);
    EXPECT_EQ(Pixel(g, 2, 0), 0x00C83232u);
    EXPECT_EQ(Pixel(g, 3, 0), 0x80070FC8u);  // 200*10/255, 200*20/255, 200

    SetPixel(g, 0, 0, 0);
    SetPixel(g, 1, 0, 0x01000000u);
    p->BlackMask();
    EXPECT_EQ(Pixel(g, 0, 0), 0u);
    EXPECT_EQ(Pixel(g, 1, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(g, 2, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(*EmptyGraph, 0, 0), 0u);
}

TEST(VGPCopy, DeepCopySharesOnlyTheFiller) {
    Bytes b = VGPHeader();
    VGPRecord(b, 2, 3, 3, {{1, 2}, {3, 3}}, {0xFF112233u});
    VGPPtr p = LoadBytes(b, "copy.vgp");
    VGPPtr c = p->Copy();
    ASSERT_EQ(c->Size, 3);
    EXPECT_EQ(c->VFlags, p->VFlags);
    EXPECT_EQ(c->Graph[0], EmptyGraph);
    EXPECT_EQ(c->Graph[1], EmptyGraph);
    ASSERT_NE(c->Graph[2], p->Graph[2]);
    EXPECT_NE(c->Graph[2]->I, p->Graph[2]->I);
    EXPECT_EQ(c->Graph[2]->CP, p->Graph[2]->CP);
    EXPECT_EQ(c->Graph[2]->I->handleX, 1.0f);
    EXPECT_EQ(Pixel(*c->Graph[2], 0, 0), 0xFF112233u);

    c->BlackMask();
    EXPECT_EQ(Pixel(*c->Graph[2], 0, 0), 0xFF000000u);
    EXPECT_EQ(Pixel(*p->Graph[2], 0, 0), 0xFF112233u);

    p->Unload();
    EXPECT_EQ(p->Size, 0);
    EXPECT_TRUE(p->Graph.empty());
    EXPECT_EQ(Pixel(*c->Graph[2], 1, 1), 0xFF000000u);
    EXPECT_NE(EmptyGraph, nullptr);
}

TEST(VGPFatal, Messages) {
    const std::string missing = WorkPath("missing.vgp");
    EXPECT_EQ(FatalOf([&] { VGP::LoadVGP(missing, 6, 1); }), "VGP " + missing + " not found");
    Bytes b;
    b.str("VGQ").u8(1);
    b.save(WorkPath("badhead.vgp"));
    EXPECT_EQ(FatalOf([&] { VGP::LoadVGP(WorkPath("badhead.vgp"), 6, 1); }),
              "Wrong header reading VGP " + WorkPath("badhead.vgp"));
    const std::string cannot = WorkPath("no/such/dir/out.vgp");
    EXPECT_EQ(FatalOf([&] { VGP().SaveVGP(cannot); }), "Impossible to write VGP " + cannot);
}

// Records that would size an allocation from unchecked numbers are refused up front.
TEST(VGPFatal, HostileRecords) {
    struct Case {
        const char* name;
        int n, w, h, points;
    };
    const Case cases[] = {
        {"negnumber.vgp", -1, 2, 2, 0},     {"hugenumber.vgp", 1 << 30, 2, 2, 0},
        {"negwidth.vgp", 1, -2, 2, 0},      {"negheight.vgp", 1, 2, -2, 0},
        {"hugewidth.vgp", 1, 1 << 30, 1, 0}, {"zerowidth.vgp", 1, 0, 2, 0},
        {"points.vgp", 1, 2, 2, 1 << 30},   {"negpoints.vgp", 1, 2, 2, -1},
    };
    for (const Case& c : cases) {
        Bytes b = VGPHeader();
        b.i32(c.n).i32(16).i32(c.w).i32(c.h).i32(c.points);
        for (int i = 0; i < 16; i++) b.u8(0xFF);
        const std::string path = WorkPath(c.name);
        b.save(path);
        EXPECT_EQ(FatalOf([&] { VGP::LoadVGP(path, 6, 1); }), "Bad record reading VGP " + path) << c.name;
    }
    // A picture larger than what is left of the file.
    Bytes cut = VGPHeader();
    VGPRecord(cut, 1, 8, 8, {}, {});
    cut.b.resize(cut.b.size() - 1);
    cut.save(WorkPath("cut.vgp"));
    EXPECT_EQ(FatalOf([&] { VGP::LoadVGP(WorkPath("cut.vgp"), 6, 1); }),
              "Bad record reading VGP " + WorkPath("cut.vgp"));
}

TEST(VGPLoad, FromMemoryStream) {
    Bytes b = VGPHeader();
    VGPRecord(b, 1, 1, 1, {}, {0xFFFFFFFFu});
    auto s = TStream::FromMemory(b.b);
    VGPPtr p = VGP::LoadVGP(*s, "mem", 0, 1);
    EXPECT_EQ(Pixel(*p->Graph[1], 0, 0), 0xFFFFFFFFu);
}
