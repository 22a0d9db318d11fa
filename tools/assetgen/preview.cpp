#include "preview.h"

#include "output.h"
#include "skeleton.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace assetgen {

namespace {
void SaveSheet(const Canvas& c, const std::string& dir, const std::string& name) {
    std::filesystem::create_directories(dir);
    TPixmapPtr pm = CanvasPixmap(c, true);
    SavePixmapPNG(*pm, dir + "/" + name, 6);
    Progress("preview", name);
}

// A pack picture as a Cairo surface (premultiplied), for drawing the loaded figures.
cairo_surface_t* GraphSurface(const TGraph& g) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, g.W, g.H);
    TPixmapPtr pm = LockImage(g.I, 0, true, false);
    unsigned char* d = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < g.H; ++y)
        for (int x = 0; x < g.W; ++x) {
            uint32_t p = pm ? pm->ReadPixel(x, y) : 0;
            uint32_t a = p >> 24;
            auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            reinterpret_cast<uint32_t*>(d + y * stride)[x] =
                (a << 24) | (pre((p >> 16) & 255) << 16) | (pre((p >> 8) & 255) << 8) | pre(p & 255);
        }
    cairo_surface_mark_dirty(s);
    return s;
}

struct Bone {
    const VBABone* b;
    int father;
};

void Collect(const VBABone* b, int father, std::vector<Bone>& out) {
    int me = static_cast<int>(out.size());
    out.push_back({b, father});
    for (const auto& s : b->Sons) Collect(s.get(), me, out);
}

// Draws one key frame of the loaded set with the loaded pack, as the game places bones.
void DrawLoaded(cairo_t* cr, const VBA& set, const VGP& pack, const VBAFrame& f, double x,
                double y, double scale, std::vector<cairo_surface_t*>& cache) {
    std::vector<Bone> walk;
    Collect(set.Father.get(), -1, walk);
    struct Place {
        double x, y, a, s;
        int z, g;
    };
    std::vector<Place> list;
    std::vector<double> jx(walk.size()), jy(walk.size()), acc(walk.size());
    for (size_t i = 0; i < walk.size(); ++i) {
        const VBABoneState& s = f.Bones[walk[i].b->ID];
        int fa = walk[i].father;
        double pa = fa < 0 ? 0 : acc[fa], r = pa * M_PI / 180;
        double px = fa < 0 ? 0 : jx[fa], py = fa < 0 ? 0 : jy[fa];
        jx[i] = px + s.X * std::cos(r) - s.Y * std::sin(r);
        jy[i] = py + s.Y * std::cos(r) + s.X * std::sin(r);
        acc[i] = pa + s.Angle;
        list.push_back({jx[i] * scale, jy[i] * scale, acc[i], s.Size * scale, s.Z, s.Graph});
    }
    std::stable_sort(list.begin(), list.end(), [](const Place& a, const Place& b) { return a.z > b.z; });
    for (const Place& p : list) {
        const TGraph* g = pack.GetGraph(p.g);
        if (!g || g->CPs == 0 || p.g <= 0) continue;
        if (!cache[p.g]) cache[p.g] = GraphSurface(*g);
        cairo_save(cr);
        cairo_translate(cr, x + p.x, y + p.y);
        cairo_rotate(cr, p.a * M_PI / 180);
        cairo_scale(cr, p.s, p.s);
        cairo_set_source_surface(cr, cache[p.g], -g->CP[0].X, -g->CP[0].Y);
        cairo_paint(cr);
        cairo_restore(cr);
    }
}
}  // namespace

void WriteContactSheet(const std::string& dir) {
    const auto& th = Thumbs();
    const int cols = 8, cw = 210, ch = 185;
    int rows = (static_cast<int>(th.size()) + cols - 1) / cols;
    Canvas c(cols * cw + 10, rows * ch + 10);
    cairo_t* cr = c.cr();
    SetRgb(cr, Hex(0x55555c));
    cairo_paint(cr);
    for (size_t i = 0; i < th.size(); ++i) {
        double x = 10 + (i % cols) * cw, y = 10 + (i / cols) * ch;
        int tw = cairo_image_surface_get_width(th[i].img);
        int tht = cairo_image_surface_get_height(th[i].img);
        // Chequer under transparent pictures.
        for (int yy = 0; yy < 150; yy += 10)
            for (int xx = 0; xx < 200; xx += 10) {
                cairo_rectangle(cr, x + xx, y + yy, 10, 10);
                SetRgb(cr, ((xx + yy) / 10) % 2 ? Hex(0xb0b0b0) : Hex(0xd8d8d8));
                cairo_fill(cr);
            }
        cairo_set_source_surface(cr, th[i].img, x + (200 - tw) / 2, y + (150 - tht) / 2);
        cairo_paint(cr);
        std::string label = th[i].name + "  " + std::to_string(th[i].w) + "x" + std::to_string(th[i].h);
        Text(cr, label.substr(label.find('/') + 1), x, y + 166, 11, Hex(0xffffff));
    }
    SaveSheet(c, dir, "contact-sheet.png");
}

void WriteAnimationSheets(const std::string& dir) {
    std::shared_ptr<VBA> set = VBA::LoadVBA(OutPath("anim/pjs.vba"));
    const char* packs[5] = {"tarsun", "er_varsen", "quelbido", "pexil", "gorvia"};
    for (const char* name : packs) {
        std::shared_ptr<VGP> pack = VGP::LoadVGP(OutPath(std::string("anim/") + name + ".vgp"), 0, 0);
        std::vector<cairo_surface_t*> cache(pack->Size + 1, nullptr);
        const double scale = 1.6, cellW = 92, rowH = 150;
        Canvas c(110 + static_cast<int>(cellW * 8), static_cast<int>(rowH * set->NAnims) + 10);
        cairo_t* cr = c.cr();
        SetRgb(cr, Hex(0xe9e4d8));
        cairo_paint(cr);
        for (int a = 0; a < set->NAnims; ++a) {
            double y = 10 + a * rowH;
            if (a % 2) {
                cairo_rectangle(cr, 0, y - 6, c.width(), rowH);
                SetRgb(cr, Hex(0xdcd6c8));
                cairo_fill(cr);
            }
            Text(cr, std::to_string(a), 10, y + 70, 26, Hex(0x404040));
            int k = 0;
            for (const VBAFrame* f = set->Anim[a]->Frames.get(); f && k < 8; f = f->NextFrame.get(), ++k)
                DrawLoaded(cr, *set, *pack, *f, 110 + cellW * (k + 0.5), y + 128, scale, cache);
        }
        for (cairo_surface_t* s : cache)
            if (s) cairo_surface_destroy(s);
        SaveSheet(c, dir, std::string("animations-") + name + ".png");
    }
}

}  // namespace assetgen
