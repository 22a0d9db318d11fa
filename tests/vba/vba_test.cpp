// Animation set: file round trips, old versions, fatal messages, hostile files, editing.
#include "set_builder.h"

#include "platform/base/errors.h"
#include "platform/base/stream.h"
#include "vba/vba.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

using namespace testvba;

namespace {

// The message of the GameError f throws (and that it carries the set's closing line).
std::string FatalOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const GameError& e) {
        EXPECT_EQ(e.closingLine(), "KeoX Engine: VBA module abnormal termination");
        return e.what();
    }
    ADD_FAILURE() << "no fatal error";
    return {};
}

std::string LoadFatal(const Bytes& bytes, const std::string& name) {
    const std::string path = WorkPath(name);
    bytes.save(path);
    return FatalOf([&] { VBA::LoadVBA(path); });
}

// Header of a set file of the given version.
Bytes Header(int version, int height = 100) {
    Bytes b;
    b.str("k.n").u8(version).str("vba").u16(height);
    return b;
}

Bytes& BoneRecord(Bytes& b, int id, const std::string& name) {
    return b.u8(id).str(name).str("\r\n").u16(1).u16(1);
}

// root 0 -> {1 "cab\rza", 2 "brazo" -> {3 "mano"}}
VBAPtr SampleSet() {
    auto v = std::make_shared<VBA>();
    v->Height = 120.7f;
    v->Father = Bone(0, "cuerpo");
    v->Father->Range1 = 7;
    v->Father->Range2 = 65535;
    AddSon(*v->Father, 1, "cab\rza");
    VBABone* brazo = AddSon(*v->Father, 2, "brazo");
    AddSon(*brazo, 3, "mano");
    v->NBones = 4;
    std::vector<VBABoneState> a{State(1.5f, -2.25f, 359.5f, 3, 7, 1.5f), State(0, 0, 0),
                                State(-4, 8, 90, 65535, 65535, 0.25f), State(0.125f, 1e6f, -45, 1, 2)};
    std::vector<VBABoneState> b = a;
    b[0].X = 100;
    b[3].Graph = 9;
    AddAnim(*v, Frames({{100, a}, {250, b}}));
    AddAnim(*v, Frames({{65535, b}}));
    return v;
}

void ExpectSameTree(const VBABone& a, const VBABone& b) {
    EXPECT_EQ(a.ID, b.ID);
    EXPECT_EQ(a.Range1, b.Range1);
    EXPECT_EQ(a.Range2, b.Range2);
    ASSERT_EQ(a.NSons, b.NSons);
    ASSERT_EQ(a.Sons.size(), b.Sons.size());
    for (size_t i = 0; i < a.Sons.size(); i++) ExpectSameTree(*a.Sons[i], *b.Sons[i]);
}

void ExpectSameAnims(const VBA& a, const VBA& b) {
    ASSERT_EQ(a.NAnims, b.NAnims);
    for (int n = 0; n < a.NAnims; n++) {
        const VBAAnim& x = *a.Anim[n];
        const VBAAnim& y = *b.Anim[n];
        EXPECT_EQ(x.NFrames, y.NFrames);
        EXPECT_EQ(x.Duration, y.Duration);
        const VBAFrame* f = x.Frames.get();
        const VBAFrame* g = y.Frames.get();
        for (; f && g; f = f->NextFrame.get(), g = g->NextFrame.get()) {
            EXPECT_EQ(f->Duration, g->Duration);
            EXPECT_EQ(f->Bones, g->Bones);
        }
        EXPECT_EQ(f, nullptr);
        EXPECT_EQ(g, nullptr);
    }
}

}  // namespace

TEST(VBAFile, SaveThenLoadGivesTheSameSet) {
    VBAPtr v = SampleSet();
    const std::string path = WorkPath("roundtrip.vba");
    ASSERT_EQ(v->SaveVBA(path), 0);
    VBAPtr w = VBA::LoadVBA(path);

    EXPECT_EQ(w->Height, 120.0f);  // stored truncated, 16 bits
    EXPECT_EQ(w->NBones, 4);
    ExpectSameTree(*v->Father, *w->Father);
    EXPECT_EQ(w->Father->Name, "cuerpo");
    EXPECT_EQ(w->Father->Sons[0]->Name, "cabza");  // byte 13 is dropped on reading
    EXPECT_EQ(w->Father->Sons[1]->Sons[0]->Name, "mano");
    ExpectSameAnims(*v, *w);
    EXPECT_EQ(w->Anim[0]->Duration, 350);
    EXPECT_EQ(w->Anim[1]->Frames->NextFrame, nullptr);

    // Names are lines ended by CR LF; the tree is closed by 255 after each subtree.
    const std::string bytes = ReadFile(path);
    EXPECT_EQ(bytes.substr(0, 9), std::string("k.n\x02vba\x78\x00", 9));
    EXPECT_NE(bytes.find(std::string("\x02" "brazo\r\n", 8)), std::string::npos);
    EXPECT_NE(bytes.find(std::string("\x03mano\r\n\x01\x00\x01\x00\xff\xff\xff", 14)), std::string::npos);

    // Saving what was loaded gives the same bytes, but for the dropped byte 13.
    const std::string again = WorkPath("roundtrip2.vba");
    w->SaveVBA(again);
    std::string expected = bytes;
    expected.erase(expected.find("cab\r") + 3, 1);
    EXPECT_EQ(ReadFile(again), expected);
}

TEST(VBAFile, OldVersionsLoadWithSizeOneAndSaveAsVersionTwo) {
    for (int version : {0, 1}) {
        Bytes b = Header(version, 64);
        BoneRecord(b, 0, "r");
        BoneRecord(b, 1, "s");
        b.u8(255).u8(255);
        b.u16(1).u16(40);  // one animation, one key frame of 40 ms
        for (int i = 0; i < 2; i++) b.f32(1.0f + i).f32(2).f32(3).u16(4).u16(5);
        const std::string path = WorkPath("old" + std::to_string(version) + ".vba");
        b.save(path);

        VBAPtr v = VBA::LoadVBA(path);
        ASSERT_EQ(v->NAnims, 1);
        const VBAFrame& f = *v->Anim[0]->Frames;
        EXPECT_EQ(f.Duration, 40);
        EXPECT_EQ(f.Bones[1].X, 2.0f);
        EXPECT_EQ(f.Bones[1].Z, 4);
        EXPECT_EQ(f.Bones[1].Graph, 5);
        EXPECT_EQ(f.Bones[0].Size, 1.0f);
        EXPECT_EQ(f.Bones[1].Size, 1.0f);

        const std::string saved = WorkPath("old_saved.vba");
        v->SaveVBA(saved);
        const std::string out = ReadFile(saved);
        EXPECT_EQ(out[3], 2);
        EXPECT_EQ(out.size(), b.b.size() + 2 * 4);  // four more bytes per state
    }
}

TEST(VBAFile, ShortAndSingleFrameFiles) {
    Bytes b = Header(2);
    BoneRecord(b, 0, "r");
    b.u8(255);
    b.save(WorkPath("noanims.vba"));
    EXPECT_EQ(VBA::LoadVBA(WorkPath("noanims.vba"))->NAnims, 0);

    // An animation stored with no key frames still reads one (zeros past the end).
    Bytes c = b;
    c.u16(0);
    c.save(WorkPath("zeroframes.vba"));
    VBAPtr v = VBA::LoadVBA(WorkPath("zeroframes.vba"));
    ASSERT_EQ(v->NAnims, 1);
    ASSERT_NE(v->Anim[0]->Frames, nullptr);
    EXPECT_EQ(v->Anim[0]->Frames->Bones.size(), 1u);
    EXPECT_EQ(v->Anim[0]->Frames->Bones[0].Size, 0.0f);
}

TEST(VBAFile, FatalMessages) {
    const std::string missing = WorkPath("missing.vba");
    EXPECT_EQ(FatalOf([&] { VBA::LoadVBA(missing); }), "VBA " + missing + " not found");

    Bytes bad1;
    bad1.str("k.m").u8(2).str("vba").u16(0);
    EXPECT_EQ(LoadFatal(bad1, "bad1.vba"), "VBA " + WorkPath("bad1.vba") + " bad file format");
    Bytes bad2;
    bad2.str("k.n").u8(2).str("vbb").u16(0);
    EXPECT_EQ(LoadFatal(bad2, "bad2.vba"), "VBA " + WorkPath("bad2.vba") + " bad file format");
    Bytes v3 = Header(3);
    EXPECT_EQ(LoadFatal(v3, "v3.vba"), "VBA " + WorkPath("v3.vba") + " wrong version");

    Bytes root64 = Header(2);
    BoneRecord(root64, 64, "r").u8(255);
    EXPECT_EQ(LoadFatal(root64, "root64.vba"), "VBA " + WorkPath("root64.vba") + " bad file format");
    Bytes son64 = Header(2);
    BoneRecord(son64, 0, "r");
    BoneRecord(son64, 64, "s").u8(255).u8(255);
    EXPECT_EQ(LoadFatal(son64, "son64.vba"), "VBA " + WorkPath("son64.vba") + " bad file format");

    const std::string cannot = WorkPath("no/such/dir/out.vba");
    EXPECT_EQ(FatalOf([&] { RootOnly()->SaveVBA(cannot); }), "Could not create VBA " + cannot);
}

// Sets whose IDs or shape would make playback index outside its tables are refused.
TEST(VBAFile, RefusesSetsPlaybackCannotIndex) {
    const auto message = [](const std::string& name) { return "VBA " + WorkPath(name) + " bad file format"; };

    Bytes dup = Header(2);
    BoneRecord(dup, 0, "r");
    BoneRecord(dup, 1, "a").u8(255);
    BoneRecord(dup, 1, "b").u8(255).u8(255);
    EXPECT_EQ(LoadFatal(dup, "dup.vba"), message("dup.vba"));

    Bytes gap = Header(2);  // IDs 0 and 2: state 2 would not exist
    BoneRecord(gap, 0, "r");
    BoneRecord(gap, 2, "a").u8(255).u8(255);
    EXPECT_EQ(LoadFatal(gap, "gap.vba"), message("gap.vba"));

    // A chain of 64 bones is 64 levels: fine. The 65th level is refused.
    Bytes deep64 = Header(2);
    for (int i = 0; i < 64; i++) BoneRecord(deep64, i, "b");
    for (int i = 0; i < 64; i++) deep64.u8(255);
    deep64.save(WorkPath("deep64.vba"));
    EXPECT_EQ(VBA::LoadVBA(WorkPath("deep64.vba"))->NBones, 64);

    // A file cut inside the tree reads zero bytes: a repeated ID 0, not an endless tree.
    Bytes cut = Header(2);
    BoneRecord(cut, 0, "r");
    BoneRecord(cut, 1, "a");
    EXPECT_EQ(LoadFatal(cut, "cut.vba"), message("cut.vba"));

    // 60000 key frames declared, two in the file.
    Bytes many = Header(2);
    BoneRecord(many, 0, "r").u8(255);
    many.u16(60000);
    for (int i = 0; i < 2; i++) many.u16(10).f32(0).f32(0).f32(0).u16(0).f32(1).u16(0);
    EXPECT_EQ(LoadFatal(many, "many.vba"), message("many.vba"));
}

TEST(VBASearch, BonesAndFathers) {
    VBAPtr v = SampleSet();
    EXPECT_EQ(v->SearchBone(0), v->Father.get());
    EXPECT_EQ(v->SearchBone(3)->Name, "mano");
    EXPECT_EQ(v->SearchBone(4), nullptr);
    EXPECT_EQ(v->SearchBoneFather(3)->Name, "brazo");
    EXPECT_EQ(v->SearchBoneFather(1), v->Father.get());
    EXPECT_EQ(v->SearchBoneFather(0), nullptr);
    EXPECT_EQ(v->SearchBoneFather(9), nullptr);
}

TEST(VBAEdit, DeleteLeafShrinksStatesAndShiftsDepths) {
    VBAPtr v = SampleSet();
    EXPECT_EQ(v->DeleteBone(1), 0);
    EXPECT_EQ(v->NBones, 3);
    ASSERT_EQ(v->Father->Sons.size(), 1u);
    EXPECT_EQ(v->Father->Sons[0]->Name, "brazo");
    EXPECT_EQ(v->Father->Sons[0]->ID, 1);  // renumbered
    EXPECT_EQ(v->Father->Sons[0]->Sons[0]->ID, 2);
    const VBAFrame& f = *v->Anim[0]->Frames;
    ASSERT_EQ(f.Bones.size(), 3u);
    EXPECT_EQ(f.Bones[1].X, -4.0f);     // old state 2 moved down
    EXPECT_EQ(f.Bones[1].Z, 65534);     // Z above the deleted ID shifted
    EXPECT_EQ(f.Bones[0].Z, 2);
    EXPECT_EQ(f.Bones[2].Z, 1);         // Z not above 1 kept
    EXPECT_EQ(v->Anim[1]->Frames->Bones.size(), 3u);
}

TEST(VBAEdit, DeleteBoneWithOneSonPutsTheSonInItsPlace) {
    VBAPtr v = SampleSet();
    AddSon(*v->Father, 4, "pierna");
    v->NBones = 5;
    for (auto& a : v->Anim)
        for (VBAFrame* f = a->Frames.get(); f; f = f->NextFrame.get()) f->Bones.push_back(State(0, 0, 0));
    EXPECT_EQ(v->DeleteBone(2), 0);
    ASSERT_EQ(v->Father->Sons.size(), 3u);
    EXPECT_EQ(v->Father->Sons[1]->Name, "mano");  // same place as "brazo"
    EXPECT_EQ(v->Father->Sons[1]->ID, 2);
    EXPECT_EQ(v->Father->Sons[2]->ID, 3);
    EXPECT_EQ(v->Anim[0]->Frames->Bones[2].Y, 1e6f);
}

TEST(VBAEdit, DeleteRootAndRefusals) {
    VBAPtr v = SampleSet();
    EXPECT_EQ(v->DeleteBone(0), 2);  // two sons: nothing changes
    EXPECT_EQ(v->NBones, 4);
    EXPECT_EQ(v->Father->Sons.size(), 2u);
    EXPECT_EQ(v->DeleteBone(4), 1);
    EXPECT_EQ(v->DeleteBone(-1), 1);

    // A root with one son: the son becomes the root and keeps its ID.
    auto w = RootOnly();
    AddSon(*w->Father, 1, "hijo");
    AddSon(*w->Father->Sons[0], 2, "nieto");
    w->NBones = 3;
    AddAnim(*w, Frames({{10, {State(0, 0, 0, 0), State(1, 0, 0, 2), State(2, 0, 0, 2)}}}));
    EXPECT_EQ(w->DeleteBone(0), 0);
    EXPECT_EQ(w->Father->Name, "hijo");
    EXPECT_EQ(w->Father->ID, 1);
    EXPECT_EQ(w->Father->Sons[0]->ID, 1);
    EXPECT_EQ(w->NBones, 2);
    EXPECT_EQ(w->Anim[0]->Frames->Bones[0].X, 1.0f);
    EXPECT_EQ(w->Anim[0]->Frames->Bones[0].Z, 1);

    auto lone = RootOnly();
    EXPECT_EQ(lone->DeleteBone(0), 0);
    EXPECT_EQ(lone->Father, nullptr);
    EXPECT_EQ(lone->NBones, 0);
}

TEST(VBAEdit, AnimationsAndKeyFrames) {
    VBAPtr v = SampleSet();
    VBAAnim* second = v->Anim[1].get();
    EXPECT_EQ(v->DeleteAnim(0), 0);
    EXPECT_EQ(v->NAnims, 1);
    EXPECT_EQ(v->Anim[0].get(), second);
    EXPECT_EQ(v->Anim.size(), 2u);  // the table keeps its length

    EXPECT_EQ(v->InsertAnim(0), 0);
    EXPECT_EQ(v->NAnims, 2);
    EXPECT_EQ(v->Anim[0]->NFrames, 0);
    EXPECT_EQ(v->Anim[1].get(), second);
    v->InsertAnim(99);
    EXPECT_EQ(v->Anim[2]->Frames, nullptr);
    EXPECT_EQ(v->NAnims, 3);

    VBAAnim& a = AddAnim(*v, Frames({{10, {}}, {20, {}}, {30, {}}}));
    EXPECT_EQ(a.CountTime(), 60);
    EXPECT_EQ(a.SearchFrame(2)->Duration, 30);
    EXPECT_EQ(a.SearchFrame(3), nullptr);
    a.DelFrame(1);
    EXPECT_EQ(a.NFrames, 2);
    EXPECT_EQ(a.CountTime(), 40);
    EXPECT_EQ(a.Duration, 60);  // left as it was
    a.DelFrame(0);
    EXPECT_EQ(a.Frames->Duration, 30);
    a.ClearFrames();
    EXPECT_EQ(a.Frames, nullptr);
    EXPECT_EQ(a.NFrames, 0);

    VBAPtr sample = SampleSet();
    const VBAFrame& f = *sample->Anim[0]->Frames;
    auto copy = f.Copy();
    EXPECT_EQ(copy->Bones, f.Bones);
    EXPECT_EQ(copy->NextFrame, nullptr);
    EXPECT_NE(copy->Bones.data(), f.Bones.data());
}

TEST(VBATrig, TablesAtATenthOfADegree) {
    InitTrigTables();
    EXPECT_EQ(SinTable[0], 0.0f);
    EXPECT_EQ(CosTable[0], 1.0f);
    EXPECT_FLOAT_EQ(SinTable[900], 1.0f);
    EXPECT_NEAR(CosTable[900], 0.0f, 1e-7);
    EXPECT_FLOAT_EQ(SinTable[300], 0.5f);
    EXPECT_FLOAT_EQ(SinTable[3599], static_cast<float>(std::sin(359.9 * std::numbers::pi / 180)));
}

TEST(VBAFile, LoadsFromMemory) {
    VBAPtr v = SampleSet();
    v->SaveVBA(WorkPath("mem.vba"));
    auto s = TStream::FromMemory(ReadFile(WorkPath("mem.vba")));
    VBAPtr w = VBA::LoadVBA(*s, "mem");
    ExpectSameAnims(*v, *w);
}
