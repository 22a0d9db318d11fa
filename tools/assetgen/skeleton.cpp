#include "skeleton.h"

namespace assetgen {

int BoneFather(int bone) {
    static const int fathers[kBoneCount] = {
        -1,      kHips,      kTorso,     kNeck,   kTorso,  kUpperArmA, kForearmA, kTorso, kUpperArmB,
        kForearmB, kHips,    kThighA,    kShinA,  kHips,   kThighB,    kShinB,    kHandA};
    return fathers[bone];
}

const char* BoneName(int bone) {
    static const char* names[kBoneCount] = {
        "cadera",  "torso",    "cuello",     "cabeza",  "brazo_a",  "antebrazo_a",
        "mano_a",  "brazo_b",  "antebrazo_b", "mano_b", "muslo_a",  "pierna_a",
        "pie_a",   "muslo_b",  "pierna_b",   "pie_b",   "objeto"};
    return names[bone];
}

namespace {
// Drawing depth of each bone per view (higher is further back).
int DepthOf(View v, int bone, bool armsBehind) {
    bool side = v == View::Left || v == View::Right;
    switch (bone) {
    case kHips: return 35;
    case kTorso: return 30;
    case kNeck: return 32;
    case kHead: return 10;
    case kThighA: case kShinA: case kFootA:
        return (side ? 46 : 42) - (bone - kThighA);
    case kThighB: case kShinB: case kFootB:
        return 42 - (bone - kThighB) - (side ? 2 : 0);
    case kUpperArmA: case kForearmA: case kHandA:
        if (side || armsBehind) return 52 - (bone - kUpperArmA);
        return 20 - (bone - kUpperArmA);
    case kUpperArmB: case kForearmB: case kHandB:
        if (armsBehind) return 52 - (bone - kUpperArmB);
        return 20 - (bone - kUpperArmB) - (side ? 4 : 0);
    case kProp: return (side || armsBehind) ? 48 : 16;
    default: return 0;
    }
}
}  // namespace

KeyFrame MakePose(const PoseParams& p, int durationMs) {
    KeyFrame k;
    k.duration = durationMs;
    const View v = p.view;
    const bool side = v == View::Left || v == View::Right;
    const double sgn = v == View::Right ? -1 : 1;  // side offsets mirror for right-facing
    auto set = [&](int bone, double x, double y, double angle, int graph) {
        BoneKey& b = k.bones[bone];
        b.X = static_cast<float>(x);
        b.Y = static_cast<float>(y);
        b.Angle = static_cast<float>(angle);
        b.Size = static_cast<float>(1.0 / kPackScale);
        b.Z = DepthOf(v, bone, p.armsBehind);
        b.Graph = graph;
    };
    set(kHips, p.x, -29 + p.y, p.hips, GraphId(v, Part::Hips));
    set(kTorso, 0, -1 + p.torsoY, p.torso, GraphId(v, Part::Torso));
    set(kNeck, 0, -19, 0, GraphId(v, Part::Neck));
    View hv = p.headView >= 0 ? static_cast<View>(p.headView) : v;
    Part hp = hv == View::Front ? p.headPart : Part::Head;
    set(kHead, 0, -3.6 + p.headY, p.head, GraphId(hv, hp));

    auto arm = [&](int first, const Limb& l, int sideIndex, Part hand) {
        double ax = side ? sgn * (sideIndex == 0 ? 1.4 : -0.6) : (sideIndex == 0 ? -8.4 : 8.4);
        double ay = (side ? -16.8 : -17.4) + p.shoulderY + l.lift;
        if (hand == Part::HandPoint && v == View::Back) hand = Part::Hand;
        set(first, ax, ay, l.a0, GraphId(v, Part::UpperArm, sideIndex));
        set(first + 1, 0, 10, l.a1, GraphId(v, Part::Forearm, sideIndex));
        set(first + 2, 0, 8.8, std::isnan(l.a2) ? 0 : l.a2, GraphId(v, hand, sideIndex));
    };
    arm(kUpperArmA, p.armA, 0, p.handA);
    arm(kUpperArmB, p.armB, 1, p.handB);

    auto leg = [&](int first, const Limb& l, int sideIndex) {
        double lx = side ? sgn * (sideIndex == 0 ? 1.3 : -1.3) : (sideIndex == 0 ? -4.3 : 4.3);
        double foot = std::isnan(l.a2) ? -(p.hips + l.a0 + l.a1) : l.a2;
        bool hide = p.hideLegs;
        set(first, lx, 2.6 + l.lift, l.a0, hide ? 0 : GraphId(v, Part::Thigh, sideIndex));
        set(first + 1, 0, 13, l.a1, hide ? 0 : GraphId(v, Part::Shin, sideIndex));
        set(first + 2, 0, 12, foot, hide ? 0 : GraphId(v, Part::Foot, sideIndex));
    };
    leg(kThighA, p.legA, 0);
    leg(kThighB, p.legB, 1);
    set(kProp, 0, 4.6, 0, p.disc ? kDiscGraph : 0);
    return k;
}

KeyFrame Mirror(const KeyFrame& in) {
    KeyFrame k = in;
    auto swapView = [](int g) {
        if (g >= GraphId(View::Left, Part::Hips) && g < GraphId(View::Right, Part::Hips)) return g + 40;
        if (g >= GraphId(View::Right, Part::Hips) && g < kDiscGraph) return g - 40;
        return g;
    };
    for (BoneKey& b : k.bones) {
        b.X = -b.X;
        b.Angle = -b.Angle;
        b.Graph = swapView(b.Graph);
    }
    return k;
}

}  // namespace assetgen
