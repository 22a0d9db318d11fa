#pragma once
// The one skeleton every figure shares, its key frames, and the sixteen animations of
// the set (0 reference pose, 1 standing ... 15 boss catching).
#include "look.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace assetgen {

// Bones by ID. "A" limbs are on the left of the screen in the front view (the far side
// in a side view), "B" limbs on the right (the near side). The prop hangs from hand A.
enum Bone {
    kHips,
    kTorso,
    kNeck,
    kHead,
    kUpperArmA,
    kForearmA,
    kHandA,
    kUpperArmB,
    kForearmB,
    kHandB,
    kThighA,
    kShinA,
    kFootA,
    kThighB,
    kShinB,
    kFootB,
    kProp,
    kBoneCount
};

// Father of each bone (-1 for the root) and its name in the set file.
int BoneFather(int bone);
const char* BoneName(int bone);

struct BoneKey {
    float X = 0, Y = 0, Angle = 0, Size = 1;
    int Z = 0, Graph = 0;
};

struct KeyFrame {
    int duration = 100;  // ms to the next key frame
    std::array<BoneKey, kBoneCount> bones{};
};

struct Animation {
    std::string name;
    bool loops = true;
    std::vector<KeyFrame> frames;
};

// Angles of a limb: first bone, second bone, end (hand or foot; NaN keeps a foot flat on
// the ground and a hand in line), and a vertical shift of the whole limb (negative lifts).
struct Limb {
    double a0 = 0, a1 = 0, a2 = NAN, lift = 0;
};

// A pose described by a few numbers; MakePose turns it into bone states.
struct PoseParams {
    View view = View::Front;
    double x = 0, y = 0;          // root shift from its rest place
    double hips = 0;              // angle of the whole body about the hips
    double torso = 0, torsoY = 0;  // torso bend and vertical shift
    double head = 0, headY = 0;
    Part headPart = Part::Head;
    int headView = -1;            // another view for the head only (looking aside)
    double shoulderY = 0;         // both arms shifted down (dropped shoulders)
    Limb armA{7, -3}, armB{-7, 3}, legA{2, -2}, legB{-2, 2};
    Part handA = Part::Hand, handB = Part::Hand;
    bool disc = false;       // CD in hand A
    bool hideLegs = false;   // seated behind a chair
    bool armsBehind = false;  // arms hidden behind the body (back view, hands in front)
};

KeyFrame MakePose(const PoseParams& p, int durationMs);
// The same key frame seen in the mirror: left-facing pictures become right-facing ones.
KeyFrame Mirror(const KeyFrame& k);

// The animation set, indexed by animation number (16 entries).
std::vector<Animation> BuildAnimations();

}  // namespace assetgen
