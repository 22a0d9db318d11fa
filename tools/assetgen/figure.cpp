#include "figure.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace assetgen {

namespace {
void WalkOrder(int bone, std::vector<int>& out) {
    out.push_back(bone);
    for (int b = 0; b < kBoneCount; ++b)
        if (BoneFather(b) == bone) WalkOrder(b, out);
}

const std::vector<int>& Walk() {
    static const std::vector<int> order = [] {
        std::vector<int> o;
        WalkOrder(kHips, o);
        return o;
    }();
    return order;
}
}  // namespace

std::vector<Placement> PlaceBones(const KeyFrame& k, double sx, double sy) {
    std::vector<double> jx(kBoneCount), jy(kBoneCount), acc(kBoneCount);
    std::vector<Placement> out;
    for (int b : Walk()) {
        const BoneKey& s = k.bones[b];
        int f = BoneFather(b);
        double pa = f < 0 ? 0 : acc[f];
        double r = pa * M_PI / 180;
        double px = f < 0 ? 0 : jx[f], py = f < 0 ? 0 : jy[f];
        jx[b] = px + s.X * std::cos(r) - s.Y * std::sin(r);
        jy[b] = py + s.Y * std::cos(r) + s.X * std::sin(r);
        acc[b] = pa + s.Angle;
        Placement p;
        p.x = sx * jx[b];
        p.y = sy * jy[b];
        p.angle = sx * sy < 0 ? -acc[b] : acc[b];
        p.size = s.Size;
        p.z = s.Z;
        p.graph = s.Graph;
        out.push_back(p);
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Placement& a, const Placement& b) { return a.z > b.z; });
    return out;
}

KeyFrame Blend(const KeyFrame& a, const KeyFrame& b, double g) {
    KeyFrame k = a;
    for (int i = 0; i < kBoneCount; ++i) {
        const BoneKey &s = a.bones[i], &t = b.bones[i];
        k.bones[i].X = static_cast<float>(s.X * (1 - g) + t.X * g);
        k.bones[i].Y = static_cast<float>(s.Y * (1 - g) + t.Y * g);
        double sa = s.Angle, ta = t.Angle;
        if (std::fabs(sa - ta) >= 180) (sa >= ta ? sa : ta) -= 360;
        k.bones[i].Angle = static_cast<float>(sa * (1 - g) + ta * g);
    }
    return k;
}

const GraphDesign* FindGraph(int id) {
    static const std::map<int, const GraphDesign*> index = [] {
        std::map<int, const GraphDesign*> m;
        for (const GraphDesign& g : GraphCatalogue()) m[g.id] = &g;
        return m;
    }();
    auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

void DrawFigure(cairo_t* cr, const Look& look, const KeyFrame& k, double x, double y, double s) {
    for (const Placement& p : PlaceBones(k, s, s)) {
        const GraphDesign* g = FindGraph(p.graph);
        if (!g) continue;
        cairo_save(cr);
        cairo_translate(cr, x + p.x, y + p.y);
        cairo_rotate(cr, p.angle * M_PI / 180);
        // Key frames scale the high-resolution pack pictures down; vector drawing is in
        // figure units already.
        double f = p.size * kPackScale * s;
        cairo_scale(cr, f, f);
        DrawGraph(cr, look, *g);
        cairo_restore(cr);
    }
}

}  // namespace assetgen
