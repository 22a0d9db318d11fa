#pragma once
// Playback of one figure: which animation runs, between which key frames the clock
// stands, and the pose at a given time as a flat list of bone placements sorted back to
// front. Every owner calls, each frame:
//   st->Update(now); st->PrepareBoneList(now, sizeX, sizeY, angle);
//   for (const RepBone& r : st->BoneList) {
//       SetTransform(r.Angle, r.Size, r.Size);
//       DrawImage(pack->Graph[r.Graph]->I, x + r.X, y + r.Y);   // check r.Graph < pack->Size
//   }
// Times are the caller's clock in milliseconds (float), moving forward only.
#include "vba.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// One bone's placement in a pose.
class RepBone {
public:
    float X = 0;        // joint relative to the figure's position, px, figure scale applied
    float Y = 0;
    int32_t Z = 0;      // depth from the key frame (higher = further back)
    float Angle = 0;    // rotation of the bone's picture, degrees (not normalised)
    float Size = 1.0f;  // scale of the bone's picture
    int32_t Graph = 0;  // graph number in the figure's pack

    // -1 when other.Z < Z, 1 when Z < other.Z, 0 when equal: ascending order by this
    // comparison is decreasing depth.
    int Compare(const RepBone& other) const {
        if (other.Z < Z) return -1;
        if (Z < other.Z) return 1;
        return 0;
    }
};

class AnimState {
public:
    VBAPtr V;                  // the set played (shared, read-only)
    int32_t FrameTime1 = 0;    // clock (ms) at which CurrentFrame is reached
    int32_t FrameTime2 = 0;    // clock (ms) at which NextFrame is reached; 0 = pose held
    int32_t CurrentAnim = -1;  // -1 none
    const VBAFrame* CurrentFrame = nullptr;  // owned by V
    float CurrentSpeed = 1.0f;  // a key frame of duration d lasts d / CurrentSpeed ms
    const VBAFrame* NextFrame = nullptr;     // owned by V; none when there is none
    int32_t Loop = 0;
    int32_t Finished = 1;
    std::vector<RepBone> BoneList;  // the pose built by the last PrepareBoneList

    // Walk stacks, one place per tree level, allocated once per state.
    std::array<const VBABone*, VBA_MAX_DEPTH> Stack1{};  // bone open at each level
    std::array<uint8_t, VBA_MAX_DEPTH> Stack2{};         // sons done
    std::array<float, VBA_MAX_DEPTH> Stack3{};           // accumulated angle, degrees
    std::array<float, VBA_MAX_DEPTH> Stack4{};           // joint x before the figure scale
    std::array<float, VBA_MAX_DEPTH> Stack5{};           // joint y before the figure scale
    int32_t OnStack = -1;

    // nullptr when set is null; otherwise a state with no animation running.
    static std::unique_ptr<AnimState> Create(const VBAPtr& set);
    // Starts animation anim (-1 stops) at clock time. blend ms moves the pose from the
    // current key frame to the new first one; duration ms (0 = natural) sets the speed.
    // 1, or 0 (nothing changed) when anim < -1 or anim >= NAnims.
    int ChangeAnim(int anim, float time, int loop, int blend, int duration);
    // The same with the speed factor given directly.
    int ChangeAnimP(int anim, float time, int loop, int blend, float speed);
    // Advances the key frames until time lies before FrameTime2. Always returns, also
    // for key frames that last 0 ms at the current speed.
    int Update(float time);
    // Rebuilds BoneList for the pose at time, the figure scaled (sizeX, sizeY) and
    // turned by angle degrees (clockwise on screen). No allocation once warmed up.
    int PrepareBoneList(float time, float sizeX, float sizeY, float angle);
    // Empties BoneList and forgets the walk's bone references.
    int Unload();
};
using AnimStatePtr = std::unique_ptr<AnimState>;
