// Playback: key frame advance, interpolation, the pose walk, mirroring and depth order.
#include "set_builder.h"

#include "vba/anim_state.h"

#include <gtest/gtest.h>

using namespace testvba;

namespace {

class Playback : public ::testing::Test {
protected:
    void SetUp() override { InitTrigTables(); }

    // Root 0 with one son 1; one animation per list of key frames.
    static VBAPtr TwoBones(std::vector<std::vector<std::pair<int, std::vector<VBABoneState>>>> anims) {
        auto v = RootOnly();
        AddSon(*v->Father, 1, "hijo");
        v->NBones = 2;
        for (auto& frames : anims) {
            std::vector<std::unique_ptr<VBAFrame>> list;
            for (auto& [d, s] : frames) list.push_back(Frame(d, s));
            AddAnim(*v, std::move(list));
        }
        return v;
    }

    // The placement of the bone drawing graph g (graphs identify bones in these tests).
    static const RepBone& ByGraph(const AnimState& st, int g) {
        for (const RepBone& r : st.BoneList)
            if (r.Graph == g) return r;
        ADD_FAILURE() << "no bone with graph " << g;
        static RepBone none;
        return none;
    }
};

constexpr float kEps = 1e-3f;

}  // namespace

TEST_F(Playback, RootOffsetTurnsClockwiseAndSonsFollowTheirFather) {
    auto v = TwoBones({{{100, {State(10, 0, 0, 0, 1), State(10, 0, 30, 0, 2)}}}});
    auto st = AnimState::Create(v);
    ASSERT_EQ(st->ChangeAnim(0, 0, 1, 0, 0), 1);
    st->PrepareBoneList(0, 1, 1, 90);
    ASSERT_EQ(st->BoneList.size(), 2u);
    const RepBone& root = ByGraph(*st, 1);
    EXPECT_NEAR(root.X, 0, kEps);
    EXPECT_NEAR(root.Y, 10, kEps);
    EXPECT_NEAR(root.Angle, 90, kEps);
    // The son's offset is turned by the father's accumulated angle (90).
    const RepBone& son = ByGraph(*st, 2);
    EXPECT_NEAR(son.X, 0, kEps);
    EXPECT_NEAR(son.Y, 20, kEps);
    EXPECT_NEAR(son.Angle, 120, kEps);

    // The figure scale multiplies positions only; Size is the bone's own.
    st->PrepareBoneList(0, 2, 3, 0);
    EXPECT_NEAR(ByGraph(*st, 2).X, 2 * (10 + 10 * 1.0f), kEps);
    EXPECT_NEAR(ByGraph(*st, 2).Y, 0, kEps);
    EXPECT_EQ(ByGraph(*st, 2).Size, 1.0f);
}

TEST_F(Playback, AnglesAreLookedUpNormalised) {
    auto v = TwoBones({{{100, {State(10, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}}}});
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 0, 1, 0, 0);
    st->PrepareBoneList(0, 1, 1, -90);  // as 270
    EXPECT_NEAR(ByGraph(*st, 1).X, 0, kEps);
    EXPECT_NEAR(ByGraph(*st, 1).Y, -10, kEps);
    EXPECT_NEAR(ByGraph(*st, 1).Angle, 270, kEps);
    st->PrepareBoneList(0, 1, 1, 720);  // as 0
    EXPECT_NEAR(ByGraph(*st, 1).X, 10, kEps);
    EXPECT_NEAR(ByGraph(*st, 1).Y, 0, kEps);
    EXPECT_NEAR(ByGraph(*st, 1).Angle, 0, kEps);
}

TEST_F(Playback, MirroringFlipsPositionsAndTurnsAnglesAround) {
    auto v = TwoBones({{{100, {State(10, 4, 20, 0, 1), State(5, 0, 10, 0, 2)}}}});
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 0, 1, 0, 0);
    st->PrepareBoneList(0, 1, 1, 0);
    const std::vector<RepBone> plain = st->BoneList;

    st->PrepareBoneList(0, -1, 1, 0);
    for (size_t i = 0; i < plain.size(); i++) {
        EXPECT_FLOAT_EQ(st->BoneList[i].X, -plain[i].X);
        EXPECT_FLOAT_EQ(st->BoneList[i].Y, plain[i].Y);
        EXPECT_FLOAT_EQ(st->BoneList[i].Angle, -plain[i].Angle);
    }
    st->PrepareBoneList(0, -1, -1, 0);
    for (size_t i = 0; i < plain.size(); i++) {
        EXPECT_FLOAT_EQ(st->BoneList[i].X, -plain[i].X);
        EXPECT_FLOAT_EQ(st->BoneList[i].Y, -plain[i].Y);
        EXPECT_FLOAT_EQ(st->BoneList[i].Angle, plain[i].Angle);
    }
}

TEST_F(Playback, InterpolationTakesTheShorterWayRound) {
    auto v = TwoBones({{{100, {State(0, 0, 350, 0, 1), State(0, 0, 10, 0, 2)}},
                        {100, {State(20, -8, 10, 7, 3, 2.0f), State(0, 0, 350, 0, 2)}}}});
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 1000, 1, 0, 0);
    st->PrepareBoneList(1050, 1, 1, 0);  // g = 0.5
    const RepBone& root = ByGraph(*st, 1);
    EXPECT_NEAR(root.Angle, 0, kEps);  // through 360, not 180
    EXPECT_NEAR(root.X, 10, kEps);
    EXPECT_NEAR(root.Y, -4, kEps);
    EXPECT_EQ(root.Size, 1.0f);  // Size, Z and Graph switch at the key frame
    EXPECT_EQ(root.Z, 0);

    st->PrepareBoneList(1025, 1, 1, 0);  // g = 0.25
    // Root 350 -> 10 at a quarter is -5; the son's 10 -> 350 is 5, added to the root's
    // angle looked up as 355: stored angles are not normalised.
    EXPECT_NEAR(ByGraph(*st, 1).Angle, -5, kEps);
    EXPECT_NEAR(ByGraph(*st, 2).Angle, 360, kEps);
}

TEST_F(Playback, ClockJumpKeepsTheRhythm) {
    auto v = TwoBones({{{100, {State(0, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}},
                        {200, {State(5, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}}}});
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 1000, 1, 0, 0);
    EXPECT_EQ(st->FrameTime1, 1000);
    EXPECT_EQ(st->FrameTime2, 1100);
    st->Update(1350);
    EXPECT_EQ(st->FrameTime1, 1300);
    EXPECT_EQ(st->FrameTime2, 1400);
    EXPECT_EQ(st->CurrentFrame, v->Anim[0]->Frames.get());
    EXPECT_EQ(st->Finished, 0);

    // Not looping: the last key frame is held.
    st->ChangeAnim(0, 1000, 0, 0, 0);
    st->Update(1350);
    EXPECT_EQ(st->Finished, 1);
    EXPECT_EQ(st->FrameTime2, 0);
    st->PrepareBoneList(1350, 1, 1, 0);
    EXPECT_NEAR(ByGraph(*st, 1).X, 5, kEps);
    st->Update(99999);
    EXPECT_EQ(st->CurrentFrame, v->Anim[0]->Frames->NextFrame.get());
}

TEST_F(Playback, StartingAnimations) {
    auto v = TwoBones({{{400, {State(0, 0, 0), State(0, 0, 0)}}, {600, {State(0, 0, 0), State(0, 0, 0)}}},
                       {{100, {State(0, 0, 0), State(0, 0, 0)}}}});
    auto st = AnimState::Create(v);
    EXPECT_EQ(AnimState::Create(nullptr), nullptr);
    EXPECT_EQ(st->Finished, 1);

    EXPECT_EQ(st->ChangeAnim(0, 0, 1, 0, 500), 1);
    EXPECT_EQ(st->CurrentSpeed, 2.0f);
    EXPECT_EQ(st->FrameTime2, 200);

    EXPECT_EQ(st->ChangeAnim(2, 0, 1, 0, 0), 0);  // == NAnims
    EXPECT_EQ(st->ChangeAnim(-2, 0, 1, 0, 0), 0);
    EXPECT_EQ(st->CurrentAnim, 0);
    EXPECT_EQ(st->CurrentSpeed, 2.0f);

    // One key frame: held at once; finished only when not looping.
    st->ChangeAnim(1, 0, 1, 0, 0);
    EXPECT_EQ(st->FrameTime2, 0);
    EXPECT_EQ(st->Finished, 0);
    st->ChangeAnim(1, 0, 0, 0, 0);
    EXPECT_EQ(st->Finished, 1);

    st->ChangeAnim(-1, 0, 1, 0, 0);
    st->PrepareBoneList(0, 1, 1, 0);
    EXPECT_TRUE(st->BoneList.empty());
}

TEST_F(Playback, EqualDepthsKeepTheWalkOrder) {
    auto v = RootOnly();
    AddSon(*v->Father, 1);
    AddSon(*v->Father, 2);
    v->NBones = 3;
    AddAnim(*v, Frames({{100, {State(0, 0, 0, 5, 10), State(0, 0, 0, 1, 11), State(0, 0, 0, 5, 12)}}}));
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 0, 1, 0, 0);
    st->PrepareBoneList(0, 1, 1, 0);
    ASSERT_EQ(st->BoneList.size(), 3u);
    EXPECT_EQ(st->BoneList[0].Graph, 10);
    EXPECT_EQ(st->BoneList[1].Graph, 12);
    EXPECT_EQ(st->BoneList[2].Graph, 11);
}

TEST_F(Playback, BlendMovesFromTheCurrentPoseToTheNewAnimation) {
    auto v = TwoBones({{{100, {State(0, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}}},
                       {{100, {State(100, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}},
                        {100, {State(300, 0, 0, 0, 1), State(0, 0, 0, 0, 2)}}}});
    // A fresh state has no pose to blend from: nothing shows, nothing advances.
    auto fresh = AnimState::Create(v);
    fresh->ChangeAnim(1, 1000, 1, 200, 0);
    fresh->Update(5000);
    EXPECT_EQ(fresh->FrameTime2, 1200);
    fresh->PrepareBoneList(5000, 1, 1, 0);
    EXPECT_TRUE(fresh->BoneList.empty());

    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 0, 1, 0, 0);
    st->ChangeAnim(1, 2000, 1, 100, 0);
    st->PrepareBoneList(2050, 1, 1, 0);
    EXPECT_NEAR(ByGraph(*st, 1).X, 50, kEps);
    st->Update(2150);
    EXPECT_EQ(st->CurrentFrame, v->Anim[1]->Frames.get());
    EXPECT_EQ(st->FrameTime1, 2100);
    EXPECT_EQ(st->FrameTime2, 2200);
    st->PrepareBoneList(2150, 1, 1, 0);
    EXPECT_NEAR(ByGraph(*st, 1).X, 200, kEps);
}

TEST_F(Playback, KeyFramesOfNoLengthDoNotHangUpdate) {
    auto v = TwoBones({{{0, {State(0, 0, 0, 0, 1), State(0, 0, 0)}}, {0, {State(9, 0, 0, 0, 1), State(0, 0, 0)}}},
                       {{100, {State(0, 0, 0, 0, 1), State(0, 0, 0)}}, {200, {State(0, 0, 0, 0, 1), State(0, 0, 0)}}}});
    auto st = AnimState::Create(v);
    st->ChangeAnim(0, 1000, 1, 0, 0);
    st->Update(5000.5f);  // returns
    st->Update(6000);
    st->PrepareBoneList(6000, 1, 1, 0);
    EXPECT_EQ(st->BoneList.size(), 2u);

    // A speed that truncates every key frame to 0 ms, and speeds no clock can hold.
    for (float speed : {1e9f, 0.0f, -1.0f}) {
        st->ChangeAnimP(1, 1000, 1, 0, speed);
        st->Update(5000);
        st->Update(1e9f);
    }
    SUCCEED();
}
