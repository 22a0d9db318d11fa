// The pack tool as a user runs it: JSON descriptions, conversion, pictures, refusals.
#include "vba/set_builder.h"
#include "vgp/pack_builder.h"

#include "platform/pixels/pixmap.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

using namespace testvba;
using testvgp::FPGHeader;
using testvgp::FPGRecord;
using testvgp::VGPHeader;
using testvgp::VGPRecord;

namespace {

struct ToolRun {
    int code;
    std::string out;
};

ToolRun Packtool(const std::string& args) {
    const std::string cmd = std::string(FK_BINARY_DIR) + "/packtool " + args + " 2>/dev/null";
    ToolRun r{-1, {}};
    FILE* f = popen(cmd.c_str(), "r");
    if (!f) return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(f);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// root "tronco" -> {1 "brazo" -> {2 "mano"}}; animation 0 of two key frames.
std::string SampleSet() {
    auto v = RootOnly();
    v->Father->Name = "tronco";
    v->Height = 90;
    VBABone* brazo = AddSon(*v->Father, 1, "brazo");
    brazo->Range1 = 3;
    AddSon(*brazo, 2, "ma\"no");
    v->NBones = 3;
    AddAnim(*v, Frames({{100, {State(0, 0, 0, 0, 1), State(0, 10, 0, 1, 2), State(0, 10, 0, 2, 2)}},
                        {300, {State(0, 0, 0, 0, 1), State(0, 10, 90, 1, 2), State(0, 10, 45, 2, 2)}}}));
    const std::string path = WorkPath("tool.vba");
    v->SaveVBA(path);
    return path;
}

std::string SamplePack() {
    Bytes b = VGPHeader();
    VGPRecord(b, 1, 8, 12, {{4, 0}, {4, 11}}, std::vector<uint32_t>(96, 0xFF3060C0u));
    VGPRecord(b, 2, 4, 10, {{2, 0}}, std::vector<uint32_t>(40, 0xFFC06030u));
    const std::string path = WorkPath("tool.vgp");
    b.save(path);
    return path;
}

}  // namespace

TEST(Packtool, InfoDescribesEachKindOfFile) {
    ToolRun r = Packtool("info " + SampleSet());
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "{\"type\":\"vba\",\"version\":2,\"height\":90,\"bones\":["
              "{\"id\":0,\"name\":\"tronco\",\"father\":-1,\"range1\":1,\"range2\":1},"
              "{\"id\":1,\"name\":\"brazo\",\"father\":0,\"range1\":3,\"range2\":1},"
              "{\"id\":2,\"name\":\"ma\\\"no\",\"father\":1,\"range1\":1,\"range2\":1}],"
              "\"animations\":[{\"number\":0,\"frames\":2,\"duration\":400}]}\n");

    r = Packtool("info " + SamplePack());
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "{\"type\":\"vgp\",\"version\":1,\"size\":3,\"flags\":8,\"graphs\":["
              "{\"number\":0,\"empty\":true},"
              "{\"number\":1,\"width\":8,\"height\":12,\"points\":[[4,0],[4,11]]},"
              "{\"number\":2,\"width\":4,\"height\":10,\"points\":[[2,0]]}]}\n");

    Bytes f = FPGHeader();
    FPGRecord(f, 2, "pelo.png", 2, 1, {{1, 0}}, {0xF800, 0x001F});
    f.save(WorkPath("tool.fpg"));
    r = Packtool("info " + WorkPath("tool.fpg"));
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "{\"type\":\"fpg\",\"graphs\":[{\"code\":2,\"file\":\"pelo.png\",\"width\":2,"
              "\"height\":1,\"points\":[[1,0]]}]}\n");

    // fpg2vgp: the output is a pack the library loads, pixels decoded.
    const std::string out = WorkPath("tool_from_fpg.vgp");
    EXPECT_EQ(Packtool("fpg2vgp " + WorkPath("tool.fpg") + " " + out).code, 0);
    VGPPtr p = VGP::LoadVGP(out, 0, 0);
    ASSERT_EQ(p->Size, 3);
    EXPECT_EQ(p->Graph[2]->CP[0], (TPoint{1, 0}));
    EXPECT_EQ(testvgp::Pixel(*p->Graph[2], 0, 0), 0xFFFF0000u);
    EXPECT_EQ(testvgp::Pixel(*p->Graph[2], 1, 0), 0xFF0000FFu);
}

TEST(Packtool, PicturesOfPacksAndPoses) {
    const std::string sheet = WorkPath("tool_sheet.png");
    std::remove(sheet.c_str());
    EXPECT_EQ(Packtool("sheet " + SamplePack() + " " + sheet).code, 0);
    TPixmapPtr s = LoadPixmap(sheet);
    ASSERT_NE(s, nullptr);
    // Both graphs' colours are on the sheet, and a pivot mark.
    bool blue = false, orange = false, red = false;
    for (int y = 0; y < s->height; y++)
        for (int x = 0; x < s->width; x++) {
            const uint32_t c = s->ReadPixel(x, y) & 0xFFFFFF;
            blue |= c == 0x3060C0;
            orange |= c == 0xC06030;
            red |= c == 0xE01010;
        }
    EXPECT_TRUE(blue && orange && red);

    const std::string strip = WorkPath("tool_anim.png");
    std::remove(strip.c_str());
    EXPECT_EQ(Packtool("anim " + SampleSet() + " " + SamplePack() + " 0 " + strip).code, 0);
    TPixmapPtr a = LoadPixmap(strip);
    ASSERT_NE(a, nullptr);
    // Two key frames and the midpoint between them: three cells side by side.
    EXPECT_GT(a->width, a->height);
    EXPECT_EQ(a->width % 3, 0);

    ToolRun r = Packtool("anim " + SampleSet() + " " + SamplePack() + " 1 " + strip);
    EXPECT_NE(r.code, 0);
    EXPECT_NE(r.out.find("no animation 1"), std::string::npos);
}

// Each key frame's cell shows that key frame's own picture: a figure that is graph 1 in
// key frame 0 and graph 2, twice the size, in key frame 1.
TEST(Packtool, EachKeyFrameIsDrawnInItsOwnPose) {
    auto v = RootOnly();
    AddAnim(*v, Frames({{100, {State(0, 0, 0, 0, 1)}}, {300, {State(0, 0, 0, 0, 2, 2.0f)}}}));
    const std::string set = WorkPath("tool_keys.vba");
    v->SaveVBA(set);
    const std::string strip = WorkPath("tool_keys.png");
    std::remove(strip.c_str());
    ASSERT_EQ(Packtool("anim " + set + " " + SamplePack() + " 0 " + strip).code, 0);
    TPixmapPtr a = LoadPixmap(strip);
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->width % 3, 0) << "key 0, half way, key 1";
    const int cell = a->width / 3;
    auto count = [&](int k, uint32_t rgb) {
        int n = 0;
        for (int y = 0; y < a->height; y++)
            for (int x = k * cell; x < (k + 1) * cell; x++) n += (a->ReadPixel(x, y) & 0xFFFFFF) == rgb;
        return n;
    };
    EXPECT_EQ(count(0, 0xC06030), 0);
    EXPECT_GT(count(0, 0x3060C0), 0);
    EXPECT_EQ(count(2, 0x3060C0), 0) << "key frame 1 drawn with key frame 0's picture";
    EXPECT_GT(count(2, 0xC06030), 4 * 10) << "graph 2 (4 x 10) at its own size, 2";
}

TEST(Packtool, RejectedFilesExitWithTheLibraryMessage) {
    Bytes bad;
    bad.str("k.n").u8(7).str("vba").u16(0);
    bad.save(WorkPath("tool_bad.vba"));
    ToolRun r = Packtool("info " + WorkPath("tool_bad.vba"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "VBA " + WorkPath("tool_bad.vba") +
                         " wrong version\nKeoX Engine: VBA module abnormal termination\n");

    Bytes pack = VGPHeader();
    pack.i32(-3).i32(0).i32(1).i32(1).i32(0);
    pack.save(WorkPath("tool_bad.vgp"));
    r = Packtool("sheet " + WorkPath("tool_bad.vgp") + " " + WorkPath("never.png"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "Bad record reading VGP " + WorkPath("tool_bad.vgp") +
                         "\nKeoX_net VGP module abnormal termination\n");

    r = Packtool("fpg2vgp " + WorkPath("missing.fpg") + " " + WorkPath("x.vgp"));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.rfind("FPG " + WorkPath("missing.fpg") + " not found\n", 0), 0u);

    EXPECT_EQ(Packtool("frobnicate").code, 2);
}
