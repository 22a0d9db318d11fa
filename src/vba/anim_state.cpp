// Playback of one figure: key frame advance and the pose as a sorted placement list.
#include "anim_state.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Truncation toward zero into the int32 clock, saturating (and 0 for NaN) so that odd
// speeds or times never overflow.
int32_t TruncMs(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(v);
}

// An angle brought into 0 <= n < 360; NaN and infinities count as 0.
inline float NormAngle(float a) {
    float n = std::fmod(a, 360.0f);
    if (n < 0) n += 360.0f;
    if (!(n >= 0.0f && n < 360.0f)) n = 0.0f;
    return n;
}

// Table entry of a normalised angle: trunc(n * 10), kept inside the table when float
// rounding of n * 10 reaches 3600.
inline int TrigIndex(float n) {
    const int i = static_cast<int>(n * 10.0f);
    return i < TRIG_TABLE_SIZE ? i : TRIG_TABLE_SIZE - 1;
}

const VBAAnim* AnimAt(const VBA& v, int n) {
    if (n < 0 || n >= v.NAnims || n >= static_cast<int>(v.Anim.size())) return nullptr;
    return v.Anim[n].get();
}

// A bone's state in a key frame; a default state for a table shorter than the set
// (only a set built wrongly in code has one).
inline const VBABoneState& StateOf(const VBAFrame* f, int id) {
    static const VBABoneState none;
    if (id < 0 || id >= static_cast<int>(f->Bones.size())) return none;
    return f->Bones[id];
}

}  // namespace

std::unique_ptr<AnimState> AnimState::Create(const VBAPtr& set) {
    if (!set) return nullptr;
    auto st = std::make_unique<AnimState>();
    st->V = set;
    st->BoneList.reserve(VBA_MAX_BONES);
    return st;
}

int AnimState::ChangeAnim(int anim, float time, int loop, int blend, int duration) {
    if (!V || anim < -1 || anim >= V->NAnims) return 0;
    float speed = 1.0f;
    if (anim >= 0) {
        const VBAAnim* a = AnimAt(*V, anim);
        if (!a) return 0;
        if (duration > 0 && a->Duration > 0)
            speed = static_cast<float>(a->Duration) / static_cast<float>(duration);
    }
    return ChangeAnimP(anim, time, loop, blend, speed);
}

int AnimState::ChangeAnimP(int anim, float time, int loop, int blend, float speed) {
    if (!V || anim < -1 || anim >= V->NAnims) return 0;
    const VBAAnim* a = anim >= 0 ? AnimAt(*V, anim) : nullptr;
    if (anim >= 0 && !a) return 0;
    CurrentAnim = anim;
    Finished = 0;
    Loop = loop;
    CurrentSpeed = 1.0f;
    if (anim == -1) return 1;
    CurrentSpeed = speed;
    if (blend != 0) {
        // The pose moves from whatever key frame is current to the new first one.
        NextFrame = a->Frames.get();
        FrameTime1 = TruncMs(time);
        FrameTime2 = TruncMs(static_cast<double>(time) + blend);
        return 1;
    }
    CurrentFrame = a->Frames.get();
    NextFrame = CurrentFrame ? CurrentFrame->NextFrame.get() : nullptr;
    if (!NextFrame) {
        FrameTime2 = 0;
        if (loop == 0) Finished = 1;
    } else {
        FrameTime1 = TruncMs(time);
        FrameTime2 = TruncMs(FrameTime1 + CurrentFrame->Duration / static_cast<double>(CurrentSpeed));
    }
    return 1;
}

int AnimState::Update(float time) {
    if (CurrentAnim == -1 || !CurrentFrame || FrameTime2 == 0 || !V) return 0;
    const VBAAnim* a = AnimAt(*V, CurrentAnim);
    // Key frames that last no time at this speed are stepped over; when a whole round
    // of the animation passes without the clock moving, the pose stays where it is
    // until the next call, so a loop of zero-length key frames cannot spin forever.
    const int round = (a && a->NFrames > 0 ? a->NFrames : 1) + 1;
    int stalled = 0;
    while (FrameTime2 < time && FrameTime2 != 0) {
        if (!NextFrame) {  // blended into an animation without key frames
            FrameTime2 = 0;
            Finished = 1;
            break;
        }
        CurrentFrame = NextFrame;
        NextFrame = CurrentFrame->NextFrame.get();
        if (!NextFrame && Loop == 0) {
            FrameTime2 = 0;
            Finished = 1;
            break;
        }
        if (!NextFrame) NextFrame = a ? a->Frames.get() : nullptr;
        const int32_t before = FrameTime2;
        FrameTime1 = FrameTime2;
        FrameTime2 = TruncMs(FrameTime1 + CurrentFrame->Duration / static_cast<double>(CurrentSpeed));
        if (FrameTime2 > before)
            stalled = 0;
        else if (++stalled >= round)
            break;
    }
    return 0;
}

int AnimState::PrepareBoneList(float time, float sizeX, float sizeY, float angle) {
    BoneList.clear();
    if (CurrentAnim < 0 || !CurrentFrame || !V || V->NBones <= 0 || !V->Father) return 0;

    const bool interp = NextFrame && FrameTime2 != 0;
    float g = 1.0f;
    if (interp && FrameTime2 != FrameTime1)
        g = static_cast<float>((time - static_cast<double>(FrameTime1)) /
                               (static_cast<double>(FrameTime2) - FrameTime1));
    const float h = 1.0f - g;
    const bool mirrored = sizeX * sizeY < 0;

    // Local x, y, angle of a bone at this time; Size, Z and Graph come from S.
    auto local = [&](const VBABone* b, float& x, float& y, float& a) -> const VBABoneState& {
        const VBABoneState& S = StateOf(CurrentFrame, b->ID);
        if (!interp) {
            x = S.X;
            y = S.Y;
            a = S.Angle;
            return S;
        }
        const VBABoneState& T = StateOf(NextFrame, b->ID);
        x = S.X * h + T.X * g;
        y = S.Y * h + T.Y * g;
        if (std::fabs(S.Angle - T.Angle) >= 180.0f) {
            if (S.Angle >= T.Angle)
                a = (S.Angle - 360.0f) * h + T.Angle * g;
            else
                a = S.Angle * h + (T.Angle - 360.0f) * g;
        } else {
            a = S.Angle * h + T.Angle * g;
        }
        return S;
    };
    auto place = [&](const VBABoneState& S, float jx, float jy, float acc) {
        RepBone& r = BoneList.emplace_back();
        r.X = sizeX * jx;
        r.Y = sizeY * jy;
        r.Z = S.Z;
        r.Angle = mirrored ? -acc : acc;
        r.Size = S.Size;
        r.Graph = S.Graph;
    };

    // Root: the figure's turn applied to its offset.
    {
        const VBABone* root = V->Father.get();
        float x, y, a;
        const VBABoneState& S = local(root, x, y, a);
        const float o = NormAngle(angle);
        const int i = TrigIndex(o);
        const float c = CosTable[i], s = SinTable[i];
        const float px = x * c - y * s, py = y * c + x * s;
        OnStack = 0;
        Stack1[0] = root;
        Stack2[0] = 0;
        Stack3[0] = o + a;
        Stack4[0] = px;
        Stack5[0] = py;
        place(S, px, py, o + a);
    }

    // The rest of the tree, depth-first pre-order, each offset turned by its father.
    while (OnStack >= 0) {
        const VBABone* B = Stack1[OnStack];
        const int sons = std::min({B->NSons, static_cast<int32_t>(B->Sons.size()), int32_t{255}});
        if (Stack2[OnStack] >= sons) {
            OnStack--;
            continue;
        }
        const VBABone* C = B->Sons[Stack2[OnStack]++].get();
        if (!C) continue;
        float x, y, a;
        const VBABoneState& S = local(C, x, y, a);
        const float P = NormAngle(Stack3[OnStack]);
        const int i = TrigIndex(P);
        const float c = CosTable[i], s = SinTable[i];
        const float jx = Stack4[OnStack] + x * c - y * s;
        const float jy = Stack5[OnStack] + y * c + x * s;
        place(S, jx, jy, P + a);
        if (OnStack + 1 < VBA_MAX_DEPTH) {
            OnStack++;
            Stack1[OnStack] = C;
            Stack2[OnStack] = 0;
            Stack3[OnStack] = P + a;
            Stack4[OnStack] = jx;
            Stack5[OnStack] = jy;
        }
    }

    // Stable insertion sort by decreasing Z: few bones, no allocation, ties keep the
    // walk order.
    for (size_t k = 1; k < BoneList.size(); k++) {
        const RepBone r = BoneList[k];
        size_t j = k;
        while (j > 0 && r.Compare(BoneList[j - 1]) < 0) {
            BoneList[j] = BoneList[j - 1];
            j--;
        }
        BoneList[j] = r;
    }
    return 0;
}

int AnimState::Unload() {
    BoneList.clear();
    Stack1.fill(nullptr);
    OnStack = -1;
    return 0;
}
