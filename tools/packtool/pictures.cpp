// `packtool fpg2vgp`, `sheet` and `anim`: conversion and pictures of packs and poses.
#include "canvas.h"
#include "commands.h"

#include "vba/anim_state.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kBackground = 0xFFE8E8E8u;
constexpr uint32_t kCell = 0xFFFFFFFFu;
constexpr uint32_t kInk = 0xFF202020u;
constexpr uint32_t kPivot = 0xFFE01010u;

int Saved(const Canvas& c, const std::string& out) {
    if (!c.Save(out)) {
        std::printf("packtool: could not write %s\n", out.c_str());
        return 1;
    }
    return 0;
}

bool OwnGraph(const VGP& p, int i) {
    const TGraph* g = p.GetGraph(i);
    return g && p.Graph[i] != EmptyGraph && g->I;
}

}  // namespace

int Fpg2VgpCommand(const std::string& in, const std::string& out) {
    VGPPtr p = VGP::LoadFPG(in, 0);
    p->SaveVGP(out);
    return 0;
}

int SheetCommand(const std::string& pack, const std::string& out) {
    VGPPtr p = VGP::LoadVGP(pack, 0, 0);
    std::vector<int> shown;
    int side = 16;
    for (int i = 0; i < p->Size; i++) {
        if (!OwnGraph(*p, i)) continue;
        shown.push_back(i);
        side = std::max({side, p->Graph[i]->I->width, p->Graph[i]->I->height});
    }
    const int n = static_cast<int>(shown.size());
    const int cols = std::max(1, static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n)))));
    const int rows = std::max(1, (n + cols - 1) / cols);
    const int label = 14, pad = 6;
    const int cw = side + 2 * pad, ch = side + label + 2 * pad;
    Canvas c(cols * cw + pad, rows * ch + pad, kBackground);
    for (int k = 0; k < n; k++) {
        const TGraph& g = *p->Graph[shown[k]];
        const int x = pad + (k % cols) * cw, y = pad + (k / cols) * ch;
        c.FillRect(x, y, cw - pad, ch - pad, kCell);
        c.Text(x + 2, y + 2, std::to_string(shown[k]), 2, kInk);
        // Picture top-left in the cell; the pivot is where the handle lands.
        const int px = x + 2, py = y + label + 2;
        c.DrawGraph(g, px + g.I->handleX, py + g.I->handleY, 0, 1);
        c.Cross(px + static_cast<int>(g.I->handleX), py + static_cast<int>(g.I->handleY), 3, kPivot);
    }
    return Saved(c, out);
}

int AnimCommand(const std::string& set, const std::string& pack, const std::string& number,
                const std::string& out) {
    InitTrigTables();
    VBAPtr v = VBA::LoadVBA(set);
    VGPPtr p = VGP::LoadVGP(pack, 0, 1);  // as the game loads its packs
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (end == number.c_str() || *end || n < 0 || n >= v->NAnims) {
        std::printf("packtool: %s has no animation %s (it has %d)\n", set.c_str(), number.c_str(), v->NAnims);
        return 1;
    }
    const VBAAnim& a = *v->Anim[n];

    // Poses at every key frame and half way to the next one, played once.
    struct Pose {
        std::vector<RepBone> bones;
        bool key;
    };
    std::vector<Pose> poses;
    // The playback stands on each key frame in turn. At the very start of a key frame
    // the player has not stepped onto it yet (it shows the previous frame's pictures,
    // sizes and depths with the new positions), so the key pose is built with the key
    // frame as the current one and nothing to blend towards.
    auto st = AnimState::Create(v);
    st->ChangeAnim(static_cast<int>(n), 0, 0, 0, 0);
    int32_t t = 1000;
    for (const VBAFrame* f = a.Frames.get(); f; f = f->NextFrame.get()) {
        st->CurrentFrame = f;
        st->NextFrame = nullptr;
        st->FrameTime1 = t;
        st->FrameTime2 = 0;
        st->PrepareBoneList(static_cast<float>(t), 1, 1, 0);
        poses.push_back({st->BoneList, true});
        if (f->NextFrame && f->Duration > 0) {
            st->NextFrame = f->NextFrame.get();
            st->FrameTime2 = t + f->Duration;
            st->PrepareBoneList(static_cast<float>(t) + f->Duration / 2.0f, 1, 1, 0);
            poses.push_back({st->BoneList, false});
        }
        t += f->Duration;
        if (poses.size() > 400) break;  // a strip wider than this is no use to anyone
    }

    // One cell size for every pose, from what all of them cover.
    Bounds b;
    b.Add(0, 0);
    for (const Pose& pose : poses)
        for (const RepBone& r : pose.bones)
            if (OwnGraph(*p, r.Graph)) AddGraphBounds(b, *p->Graph[r.Graph], r.X, r.Y, r.Angle, r.Size);
            else b.Add(r.X, r.Y);
    auto clampSide = [](float s) { return static_cast<int>(std::clamp(std::ceil(s), 1.0f, 2000.0f)); };
    const int pad = 8, label = 14;
    const int cw = clampSide(b.x1 - b.x0) + 2 * pad, ch = clampSide(b.y1 - b.y0) + 2 * pad + label;
    const int count = std::max<int>(1, static_cast<int>(poses.size()));
    Canvas c(count * cw, ch, kBackground);
    int key = 0;
    for (int k = 0; k < static_cast<int>(poses.size()); k++) {
        const int x = k * cw;
        c.FillRect(x + 1, 1, cw - 2, ch - 2, poses[k].key ? kCell : 0xFFF6F6F6u);
        if (poses[k].key) c.Text(x + 4, 3, std::to_string(key++), 2, kInk);
        const float ox = x + pad - b.x0, oy = label + pad - b.y0;
        for (const RepBone& r : poses[k].bones)
            if (OwnGraph(*p, r.Graph)) c.DrawGraph(*p->Graph[r.Graph], ox + r.X, oy + r.Y, r.Angle, r.Size);
        c.Cross(static_cast<int>(ox), static_cast<int>(oy), 2, kPivot);  // the figure's position
    }
    return Saved(c, out);
}
