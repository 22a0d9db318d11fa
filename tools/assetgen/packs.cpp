#include "packs.h"

#include "figure.h"
#include "output.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace assetgen {

namespace {
std::unique_ptr<VBABone> MakeBone(int id) {
    auto b = std::make_unique<VBABone>();
    b->ID = id;
    b->Name = BoneName(id);
    for (int s = 0; s < kBoneCount; ++s)
        if (BoneFather(s) == id) b->Sons.push_back(MakeBone(s));
    b->NSons = static_cast<int32_t>(b->Sons.size());
    return b;
}

// One bone picture of a look at pack resolution, its joint as the first control point.
TGraphPtr RenderGraph(const Look& look, const GraphDesign& design, int vflags) {
    cairo_surface_t* rec = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
    cairo_t* cr = cairo_create(rec);
    cairo_scale(cr, kPackScale, kPackScale);
    DrawGraph(cr, look, design);
    cairo_destroy(cr);
    double x0, y0, w, h;
    cairo_recording_surface_ink_extents(rec, &x0, &y0, &w, &h);
    // The joint always lies inside the picture.
    int ix0 = static_cast<int>(std::floor(std::min(x0, 0.0))) - 1;
    int iy0 = static_cast<int>(std::floor(std::min(y0, 0.0))) - 1;
    int ix1 = static_cast<int>(std::ceil(std::max(x0 + w, 1.0))) + 1;
    int iy1 = static_cast<int>(std::ceil(std::max(y0 + h, 1.0))) + 1;
    Canvas c(ix1 - ix0, iy1 - iy0);
    cairo_set_source_surface(c.cr(), rec, -ix0, -iy0);
    cairo_paint(c.cr());
    cairo_surface_destroy(rec);

    TPixmapPtr pm = CanvasPixmap(c, false);
    TGraphPtr g = TGraph::Create();
    g->W = c.width();
    g->H = c.height();
    g->CPs = 1;
    g->CP = {TPoint{-ix0, -iy0}};
    g->I = CreateImage(g->W, g->H, 1, vflags);
    TPixmapPtr dst = LockImage(g->I, 0, true, true);
    if (!dst) throw std::runtime_error("cannot lock a pack picture");
    for (int y = 0; y < g->H; ++y)
        for (int x = 0; x < g->W; ++x) dst->WritePixel(x, y, pm->ReadPixel(x, y));
    UnlockImage(g->I, 0);
    SetImageHandle(g->I, static_cast<float>(-ix0), static_cast<float>(-iy0));
    return g;
}
}  // namespace

void WriteAnimationSet() {
    VBA set;
    set.Height = 74;
    set.Father = MakeBone(kHips);
    set.NBones = kBoneCount;
    for (const Animation& a : BuildAnimations()) {
        auto anim = std::make_shared<VBAAnim>();
        std::unique_ptr<VBAFrame>* link = &anim->Frames;
        for (const KeyFrame& k : a.frames) {
            auto f = std::make_unique<VBAFrame>();
            f->Duration = k.duration;
            for (const BoneKey& b : k.bones) {
                VBABoneState s;
                s.X = b.X;
                s.Y = b.Y;
                s.Angle = b.Angle;
                s.Size = b.Size;
                s.Z = b.Z;
                s.Graph = b.Graph;
                f->Bones.push_back(s);
            }
            anim->Duration += k.duration;
            *link = std::move(f);
            link = &(*link)->NextFrame;
            ++anim->NFrames;
        }
        set.Anim.push_back(anim);
        ++set.NAnims;
    }
    set.SaveVBA(OutPath("anim/pjs.vba"));
    Progress("animation set", "anim/pjs.vba");
}

void WritePacks() {
    for (const Look& look : Looks()) {
        VGP pack;
        pack.VFlags = DYNAMICIMAGE;
        int top = 0;
        for (const GraphDesign& g : GraphCatalogue()) top = std::max(top, g.id);
        pack.Size = top + 1;
        pack.Graph.assign(pack.Size, GetEmptyGraph());
        for (const GraphDesign& g : GraphCatalogue()) pack.Graph[g.id] = RenderGraph(look, g, pack.VFlags);
        std::string rel = "anim/" + look.name + ".vgp";
        pack.SaveVGP(OutPath(rel));
        Progress("graphics pack", rel);
    }
}

}  // namespace assetgen
