#include "look.h"

#include <cmath>

namespace assetgen {

const std::vector<Look>& Looks() {
    static const std::vector<Look> looks = [] {
        std::vector<Look> v(5);
        Look& t = v[0];  // Tarsun: green, glasses, spiky brown hair
        t.name = "tarsun";
        t.folder = "tarsun";
        t.skin = Hex(0xf2c29b);
        t.hair = Hex(0x5a3418);
        t.shirt = Hex(0x2f9a3a);
        t.pants = Hex(0x3d5f94);
        t.shoes = Hex(0xf1f1ea);
        t.eyes = Hex(0x3a7a2a);
        t.accent = Hex(0x222222);
        t.hairStyle = HairStyle::Spiky;
        t.glasses = true;
        t.emblem = 1;
        Look& e = v[1];  // Er_Varsen: blue, orange cap, tanned
        e.name = "er_varsen";
        e.folder = "ervarsen";
        e.skin = Hex(0xd49a64);
        e.hair = Hex(0x211a18);
        e.shirt = Hex(0x2a72f0);
        e.pants = Hex(0xb9a47c);
        e.shoes = Hex(0xc8372d);
        e.eyes = Hex(0x4a2a14);
        e.accent = Hex(0xf28a1e);
        e.hairStyle = HairStyle::Short;
        e.cap = true;
        e.emblem = 2;
        Look& q = v[2];  // Quelbido: dark grey, long hair in a ponytail and a beard
        q.name = "quelbido";
        q.folder = "quelbido";
        q.skin = Hex(0xf4d3bd);
        q.hair = Hex(0x2e2119);
        q.shirt = Hex(0x46464c);
        q.pants = Hex(0x26262e);
        q.shoes = Hex(0x5a3a22);
        q.eyes = Hex(0x3a5a8a);
        q.accent = Hex(0xdddddd);
        q.hairStyle = HairStyle::Ponytail;
        q.beard = true;
        q.emblem = 3;
        Look& p = v[3];  // Pexil: dark red hoodie, curly hair, yellow headphones
        p.name = "pexil";
        p.folder = "pexil";
        p.skin = Hex(0x8a5636);
        p.hair = Hex(0x1c1410);
        p.shirt = Hex(0x9a1f1f);
        p.pants = Hex(0x6f727c);
        p.shoes = Hex(0xf4f4f0);
        p.eyes = Hex(0x2a1a10);
        p.accent = Hex(0xf5cf1a);
        p.hairStyle = HairStyle::Curly;
        p.headphones = true;
        p.longSleeves = true;
        p.emblem = 4;
        Look& g = v[4];  // the girl: long red hair, pink top, teal skirt
        g.name = "gorvia";
        g.skin = Hex(0xf6cdaa);
        g.hair = Hex(0xc9502a);
        g.shirt = Hex(0xe2559e);
        g.pants = Hex(0x22a093);
        g.shoes = Hex(0x7a2a5c);
        g.eyes = Hex(0x2a7a5a);
        g.accent = Hex(0xffd23f);
        g.hairStyle = HairStyle::Long;
        g.skirt = true;
        g.emblem = 5;
        return v;
    }();
    return looks;
}

Rgb NameColour(int c) {
    static const Rgb colours[4] = {Hex(0x007800), Hex(0x0064ff), Hex(0x323232), Hex(0x780000)};
    return colours[c & 3];
}

int GraphId(View v, Part p, int side) {
    return 1 + static_cast<int>(v) * 40 + static_cast<int>(p) * 2 + side;
}

static bool Sided(Part p) {
    return p == Part::UpperArm || p == Part::Forearm || p == Part::Hand || p == Part::HandPoint ||
           p == Part::Thigh || p == Part::Shin || p == Part::Foot;
}

const std::vector<GraphDesign>& GraphCatalogue() {
    static const std::vector<GraphDesign> list = [] {
        std::vector<GraphDesign> out;
        for (int vi = 0; vi < 4; ++vi) {
            View v = static_cast<View>(vi);
            for (int pi = 0; pi < static_cast<int>(Part::Count); ++pi) {
                Part p = static_cast<Part>(pi);
                bool expression =
                    p == Part::HeadHappy || p == Part::HeadSad || p == Part::HeadAngry;
                if (expression && v != View::Front) continue;
                if (p == Part::HandPoint && v == View::Back) continue;
                for (int s = 0; s < (Sided(p) ? 2 : 1); ++s) out.push_back({GraphId(v, p, s), v, p, s});
            }
        }
        GraphDesign disc;
        disc.id = kDiscGraph;
        disc.disc = true;
        out.push_back(disc);
        return out;
    }();
    return list;
}

void DrawDisc(cairo_t* cr, double r) {
    // A CD seen face on: silver with a rainbow sheen, a clear ring and the hole.
    Ellipse(cr, 0, 0, r, r);
    cairo_pattern_t* pat = cairo_pattern_create_linear(-r, -r, r, r);
    cairo_pattern_add_color_stop_rgb(pat, 0.0, 0.86, 0.88, 0.92);
    cairo_pattern_add_color_stop_rgb(pat, 0.35, 0.70, 0.85, 1.0);
    cairo_pattern_add_color_stop_rgb(pat, 0.5, 1.0, 0.80, 0.95);
    cairo_pattern_add_color_stop_rgb(pat, 0.65, 0.95, 1.0, 0.75);
    cairo_pattern_add_color_stop_rgb(pat, 1.0, 0.78, 0.80, 0.86);
    cairo_set_source(cr, pat);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pat);
    cairo_set_line_width(cr, r * 0.12);
    SetRgb(cr, kInk);
    cairo_stroke(cr);
    Ellipse(cr, 0, 0, r * 0.34, r * 0.34);
    SetRgb(cr, Hex(0xe8ecf2));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, r * 0.06);
    SetRgb(cr, Hex(0x9098a8));
    cairo_stroke(cr);
    Ellipse(cr, 0, 0, r * 0.14, r * 0.14);
    cairo_set_line_width(cr, r * 0.08);
    SetRgb(cr, kInk);
    cairo_stroke(cr);
    // Highlight streak.
    cairo_save(cr);
    cairo_set_line_width(cr, r * 0.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetRgb(cr, Rgb{1, 1, 1}, 0.8);
    cairo_arc(cr, 0, 0, r * 0.68, -2.6, -1.9);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void DrawGraph(cairo_t* cr, const Look& look, const GraphDesign& g) {
    cairo_save(cr);
    if (g.disc) {
        DrawDisc(cr, 4.2);
        cairo_restore(cr);
        return;
    }
    View v = g.view;
    int side = g.side;
    // Right-facing pictures are the left-facing ones mirrored; in the front and back
    // views the right-hand limb is the left-hand one mirrored.
    if (v == View::Right) {
        cairo_scale(cr, -1, 1);
        v = View::Left;
    } else if ((v == View::Front || v == View::Back) && side == 1) {
        cairo_scale(cr, -1, 1);
        side = 0;
    }
    bool head = g.part == Part::Head || g.part == Part::HeadHappy || g.part == Part::HeadSad ||
                g.part == Part::HeadAngry;
    if (head)
        DrawHead(cr, look, v, g.part);
    else
        DrawBodyPart(cr, look, v, g.part, side);
    cairo_restore(cr);
}

}  // namespace assetgen
