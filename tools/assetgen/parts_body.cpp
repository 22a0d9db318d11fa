// Body pictures of the figures: hips, torso, neck, arms, hands, legs and shoes, in the
// front, back and left-facing views (the right-facing ones are these mirrored).
#include "look.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr double LW = kFigureLine;

struct Colours {
    Rgb skin, shirt, pants, shoes, hair, accent;
};

Colours ColoursFor(const Look& l, double tone) {
    return {Tone(l.skin, tone),  Tone(l.shirt, tone), Tone(l.pants, tone),
            Tone(l.shoes, tone), Tone(l.hair, tone),  Tone(l.accent, tone)};
}

void TorsoPath(cairo_t* cr, View v) {
    cairo_new_path(cr);
    if (v == View::Left) {
        // Facing left: chest on the left, back on the right.
        cairo_move_to(cr, -4.6, 2);
        cairo_curve_to(cr, -5.8, -6, -6.6, -12, -5.2, -17.2);
        cairo_curve_to(cr, -4.2, -19.8, 3.0, -20.2, 4.2, -17.4);
        cairo_curve_to(cr, 5.6, -12, 4.6, -5, 4.4, 2);
        cairo_close_path(cr);
        return;
    }
    cairo_move_to(cr, -7.6, 2);
    cairo_line_to(cr, 7.6, 2);
    cairo_curve_to(cr, 8.2, -6, 9.8, -11, 9.8, -15.2);
    cairo_curve_to(cr, 9.8, -18.6, 7.6, -19.6, 5.0, -19.6);
    cairo_line_to(cr, -5.0, -19.6);
    cairo_curve_to(cr, -7.6, -19.6, -9.8, -18.6, -9.8, -15.2);
    cairo_curve_to(cr, -9.8, -11, -8.2, -6, -7.6, 2);
    cairo_close_path(cr);
}

void Emblem(cairo_t* cr, const Look& l) {
    Rgb white = Hex(0xf4f1e8);
    switch (l.emblem) {
    case 1: {  // braces
        cairo_save(cr);
        cairo_set_line_width(cr, 1.1);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        SetRgb(cr, white);
        for (int s : {-1, 1}) {
            cairo_move_to(cr, s * 1.6, -13.4);
            cairo_curve_to(cr, s * 3.2, -13.4, s * 2.0, -10.6, s * 3.4, -10.2);
            cairo_curve_to(cr, s * 2.0, -9.8, s * 3.2, -7.0, s * 1.6, -7.0);
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        break;
    }
    case 2:  // two stripes across the chest
        cairo_rectangle(cr, -9.6, -12.6, 19.2, 1.6);
        cairo_rectangle(cr, -9.4, -9.4, 18.8, 1.6);
        SetRgb(cr, white);
        cairo_fill(cr);
        break;
    case 3: {  // skull print
        Ellipse(cr, 0, -11.4, 3.0, 2.7);
        RoundRect(cr, -1.8, -10.2, 3.6, 2.6, 0.8);
        SetRgb(cr, white);
        cairo_fill(cr);
        Ellipse(cr, -1.1, -11.5, 0.8, 0.9);
        Ellipse(cr, 1.1, -11.5, 0.8, 0.9);
        SetRgb(cr, Tone(l.shirt, 0.6));
        cairo_fill(cr);
        break;
    }
    case 4:  // hoodie pocket and strings
        RoundRect(cr, -5.2, -6.4, 10.4, 5.4, 1.6);
        Cartoon(cr, Tone(l.shirt, 0.88), 0.7);
        cairo_set_line_width(cr, 0.7);
        SetRgb(cr, Hex(0xf0e8e0));
        cairo_move_to(cr, -1.4, -18.2);
        cairo_line_to(cr, -1.8, -13.2);
        cairo_move_to(cr, 1.4, -18.2);
        cairo_line_to(cr, 1.8, -13.2);
        cairo_stroke(cr);
        break;
    case 5:
        HeartPath(cr, 0, -11, 5.2);
        SetRgb(cr, Hex(0xfff0f6));
        cairo_fill(cr);
        break;
    default:
        break;
    }
}

void Torso(cairo_t* cr, const Look& l, View v) {
    Colours c = ColoursFor(l, 1);
    TorsoPath(cr, v);
    cairo_path_t* path = cairo_copy_path(cr);
    FlatShaded(cr, c.shirt, 1.4);
    cairo_save(cr);
    cairo_append_path(cr, path);
    cairo_clip(cr);
    // Hem band.
    cairo_rectangle(cr, -12, -0.4, 24, 3);
    SetRgb(cr, Tone(c.shirt, 0.8));
    cairo_fill(cr);
    if (v == View::Front) {
        // Neckline.
        Ellipse(cr, 0, -19.6, 3.4, 1.9);
        SetRgb(cr, Tone(c.skin, 0.85));
        cairo_fill(cr);
        Emblem(cr, l);
    } else if (v == View::Back && l.emblem == 4) {
        // The hood lying on the back.
        Ellipse(cr, 0, -16.5, 5.4, 3.8);
        Cartoon(cr, Tone(c.shirt, 0.85), 0.7);
    } else if (v == View::Left) {
        // Sleeve seam at the shoulder.
        cairo_set_line_width(cr, 0.6);
        SetRgb(cr, Tone(c.shirt, 0.7));
        cairo_arc(cr, 0, -15.5, 3.6, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_append_path(cr, path);
    cairo_set_line_width(cr, LW);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, kInk);
    cairo_stroke(cr);
    cairo_path_destroy(path);
}

void Hips(cairo_t* cr, const Look& l, View v) {
    Colours c = ColoursFor(l, 1);
    double hw = v == View::Left ? 5.2 : 8.0;
    if (l.skirt) {
        cairo_new_path(cr);
        cairo_move_to(cr, -hw + 0.6, -4);
        cairo_line_to(cr, hw - 0.6, -4);
        cairo_curve_to(cr, hw + 1.5, 0, hw + 3.2, 5, hw + 3.6, 9.5);
        cairo_curve_to(cr, hw, 10.6, -hw, 10.6, -hw - 3.6, 9.5);
        cairo_curve_to(cr, -hw - 3.2, 5, -hw - 1.5, 0, -hw + 0.6, -4);
        cairo_close_path(cr);
        Cartoon(cr, c.pants, LW, 1.2);
        cairo_set_line_width(cr, 0.6);
        SetRgb(cr, Tone(c.pants, 0.75));
        for (double x : {-hw * 0.5, 0.0, hw * 0.5}) {
            cairo_move_to(cr, x * 0.8, 0);
            cairo_line_to(cr, x * 1.25, 9);
        }
        cairo_stroke(cr);
        return;
    }
    RoundRect(cr, -hw, -4.5, 2 * hw, 10, 3.4);
    Cartoon(cr, c.pants, LW, 1.0);
    // Belt.
    cairo_rectangle(cr, -hw + 0.7, -3.9, 2 * hw - 1.4, 1.6);
    SetRgb(cr, Tone(c.pants, 0.55));
    cairo_fill(cr);
    if (v != View::Back) {
        RoundRect(cr, (v == View::Left ? -hw + 0.8 : -1.2), -4.1, 2.4, 2.0, 0.4);
        SetRgb(cr, Hex(0xd8b84a));
        cairo_fill(cr);
    }
}

void Neck(cairo_t* cr, const Look& l) {
    RoundRect(cr, -2.7, -5.2, 5.4, 7.0, 2.2);
    Cartoon(cr, Tone(l.skin, 0.86), LW);
}

void Limb(cairo_t* cr, double len, double r0, double r1, Rgb fill) {
    Capsule(cr, 0, 0, r0, 0, len, r1);
    Cartoon(cr, fill, LW, 0.8);
}

void UpperArm(cairo_t* cr, const Look& l, const Colours& c) {
    if (l.longSleeves) {
        Limb(cr, 10, 3.1, 2.7, c.shirt);
        return;
    }
    Limb(cr, 10, 2.8, 2.5, c.skin);
    Capsule(cr, 0, 0, 3.4, 0, 4.6, 3.2);
    Cartoon(cr, c.shirt, LW, 0.8);
}

void Forearm(cairo_t* cr, const Look& l, const Colours& c) {
    if (l.longSleeves) {
        Limb(cr, 8.6, 2.7, 2.4, c.shirt);
        RoundRect(cr, -2.6, 6.6, 5.2, 2.6, 1.0);
        Cartoon(cr, Tone(c.shirt, 0.8), LW * 0.6);
        return;
    }
    Limb(cr, 9, 2.5, 2.1, c.skin);
}

void Hand(cairo_t* cr, const Colours& c, View v, bool point) {
    // Screen-left hand in the front view: thumb toward the body (right); side view
    // facing left: thumb forward (left).
    double th = v == View::Left ? -1 : 1;
    if (v == View::Back) th = -1;
    if (point) {
        Capsule(cr, 0, 3.0, 1.0, 0, 8.4, 0.95);
        Cartoon(cr, c.skin, LW * 0.8);
        Ellipse(cr, 0, 2.4, 2.6, 2.6);
        Cartoon(cr, c.skin, LW, 0.6);
        return;
    }
    Ellipse(cr, th * 2.0, 1.8, 1.1, 1.7);
    Cartoon(cr, c.skin, LW * 0.8);
    Ellipse(cr, 0, 2.6, 2.6, 2.9);
    Cartoon(cr, c.skin, LW, 0.6);
    cairo_set_line_width(cr, 0.45);
    SetRgb(cr, Tone(c.skin, 0.65));
    cairo_move_to(cr, -0.9, 4.2);
    cairo_line_to(cr, -0.9, 5.2);
    cairo_move_to(cr, 0.7, 4.3);
    cairo_line_to(cr, 0.7, 5.3);
    cairo_stroke(cr);
}

void Foot(cairo_t* cr, const Colours& c, View v) {
    if (v == View::Left) {
        RoundRect(cr, -7.0, -1.0, 10.0, 4.6, 2.2);
        Cartoon(cr, c.shoes, LW, 0.6);
        cairo_rectangle(cr, -6.6, 2.3, 9.2, 0.8);
        SetRgb(cr, Tone(c.shoes, 0.6));
        cairo_fill(cr);
        return;
    }
    Ellipse(cr, v == View::Back ? 0 : -0.4, 2.4, 3.7, 2.5);
    Cartoon(cr, c.shoes, LW, 0.6);
    if (v == View::Front) {
        cairo_set_line_width(cr, 0.5);
        SetRgb(cr, Tone(c.shoes, 0.6));
        cairo_move_to(cr, -1.8, 1.6);
        cairo_line_to(cr, 1.0, 1.6);
        cairo_stroke(cr);
    }
}
}  // namespace

void DrawBodyPart(cairo_t* cr, const Look& l, View v, Part p, int side) {
    // Far limbs of a side view are a shade darker, so the near ones stand out.
    double tone = (v == View::Left && side == 0) ? 0.8 : 1.0;
    Colours c = ColoursFor(l, tone);
    Rgb legs = l.skirt ? c.skin : c.pants;
    switch (p) {
    case Part::Hips: Hips(cr, l, v); break;
    case Part::Torso: Torso(cr, l, v); break;
    case Part::Neck: Neck(cr, l); break;
    case Part::UpperArm: UpperArm(cr, l, c); break;
    case Part::Forearm: Forearm(cr, l, c); break;
    case Part::Hand: Hand(cr, c, v, false); break;
    case Part::HandPoint: Hand(cr, c, v, true); break;
    case Part::Thigh: Limb(cr, 13, 3.8, 3.3, legs); break;
    case Part::Shin:
        Limb(cr, 12, 3.3, 2.8, legs);
        if (l.skirt) {  // socks
            RoundRect(cr, -2.9, 8.5, 5.8, 3.6, 1.2);
            Cartoon(cr, Tone(Hex(0xf4f0f0), tone), LW * 0.6);
        }
        break;
    case Part::Foot: Foot(cr, c, v); break;
    default: break;
    }
}

}  // namespace assetgen
