// Heads of the figures: front (with four expressions), back and left-facing profile,
// each with the look's hair, ears, glasses, beard, cap or headphones. The joint is the
// top of the neck at (0, 0); the face is centred at (0, -11).
#include "look.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr double LW = kFigureLine;
constexpr double CY = -11.0;  // centre of the face

void Stroke(cairo_t* cr, Rgb c, double w) {
    cairo_set_line_width(cr, w);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetRgb(cr, c);
    cairo_stroke(cr);
}

// Hair that sits behind the head (drawn first).
void BackHair(cairo_t* cr, const Look& l, View v) {
    Rgb h = l.hair;
    switch (l.hairStyle) {
    case HairStyle::Long:
        cairo_new_path(cr);
        if (v == View::Left) {
            cairo_move_to(cr, -4, CY - 10);
            cairo_curve_to(cr, 8, CY - 13, 13, CY - 4, 11.5, CY + 8);
            cairo_curve_to(cr, 11, CY + 14, 8, CY + 19, 6.5, CY + 20);
            cairo_curve_to(cr, 3, CY + 16, 1, CY + 10, 0, CY + 2);
        } else {
            cairo_move_to(cr, -10.5, CY - 4);
            cairo_curve_to(cr, -13, CY + 6, -12.5, CY + 14, -11, CY + 19);
            cairo_line_to(cr, 11, CY + 19);
            cairo_curve_to(cr, 12.5, CY + 14, 13, CY + 6, 10.5, CY - 4);
            cairo_curve_to(cr, 9, CY - 14, -9, CY - 14, -10.5, CY - 4);
        }
        cairo_close_path(cr);
        Cartoon(cr, h, LW, 1.2);
        break;
    case HairStyle::Curly:
        for (int i = 0; i < 12; ++i) {
            double a = 2 * M_PI * i / 12;
            double cx = (v == View::Left ? 1.5 : 0) + 11.0 * std::sin(a);
            double cy = CY - 1.5 - 10.5 * std::cos(a);
            if (cy > CY + 5) continue;
            Ellipse(cr, cx, cy, 3.8, 3.8);
        }
        Ellipse(cr, v == View::Left ? 1.5 : 0, CY - 1.5, 11.5, 10.5);
        Cartoon(cr, h, LW, 1.2);
        break;
    case HairStyle::Ponytail:
        if (v == View::Left) {
            Capsule(cr, 9, CY - 4, 3.0, 12.5, CY + 11, 2.2);
            Cartoon(cr, h, LW, 0.8);
        } else if (v == View::Back) {
            Capsule(cr, 0, CY - 1, 3.2, 0.8, CY + 15, 2.3);
            Cartoon(cr, h, LW, 0.8);
        }
        break;
    default:
        break;
    }
}

void Ears(cairo_t* cr, const Look& l, View v) {
    if (v == View::Left) return;
    for (int s : {-1, 1}) {
        Ellipse(cr, s * 9.5, CY + 0.5, 2.0, 2.7);
        Cartoon(cr, Tone(l.skin, 0.95), LW);
    }
}

// The face shape: ellipse, with the nose bump in profile (outline of the union).
void FaceShape(cairo_t* cr, const Look& l, View v) {
    if (v != View::Left) {
        Ellipse(cr, 0, CY, 9.7, 10.8);
        Cartoon(cr, l.skin, LW, 1.4);
        return;
    }
    auto shapes = [&] {
        Ellipse(cr, 0.6, CY, 9.8, 10.8);
        Ellipse(cr, -9.2, CY + 1.2, 2.0, 1.8);
        Ellipse(cr, -6.0, CY + 7.4, 3.6, 3.0);
    };
    shapes();
    Stroke(cr, kInk, 2 * LW);
    shapes();
    FlatShaded(cr, l.skin, 1.4);
}

void FrontHair(cairo_t* cr, const Look& l, View v) {
    Rgb h = l.hair;
    cairo_new_path(cr);
    bool side = v == View::Left;
    switch (l.hairStyle) {
    case HairStyle::Spiky: {
        if (side) {
            cairo_move_to(cr, -8.5, CY - 3);
            double pts[][2] = {{-9, -9}, {-5, -7.5}, {-5, -13}, {-1, -9.5}, {1, -14},
                               {4, -9.5}, {8, -12.5}, {8.5, -7}, {12, -7}, {10.5, -2},
                               {11, 4}};
            for (auto& p : pts) cairo_line_to(cr, p[0], CY + p[1]);
            cairo_curve_to(cr, 7, CY + 3, 4, CY - 2, 2, CY - 4);
            cairo_curve_to(cr, -2, CY - 6, -6, CY - 5, -8.5, CY - 3);
        } else {
            cairo_move_to(cr, -10.2, CY - 1);
            double pts[][2] = {{-11.5, -8}, {-8, -8.5}, {-9, -13.5}, {-4.5, -11},
                               {-3, -15.5}, {0, -11.5}, {3, -15.5}, {4.5, -11},
                               {9, -13.5}, {8, -8.5}, {11.5, -8}, {10.2, -1}};
            for (auto& p : pts) cairo_line_to(cr, p[0], CY + p[1]);
            cairo_curve_to(cr, 8, CY - 6, 3, CY - 4.6, 0, CY - 5.6);
            cairo_curve_to(cr, -3, CY - 4.6, -8, CY - 6, -10.2, CY - 1);
        }
        cairo_close_path(cr);
        Cartoon(cr, h, LW, 1.0);
        break;
    }
    case HairStyle::Short:
    case HairStyle::Ponytail:
    case HairStyle::Long: {
        bool parted = l.hairStyle != HairStyle::Short;
        if (side) {
            cairo_move_to(cr, -8.8, CY - 2.5);
            cairo_curve_to(cr, -9, CY - 11.5, 4, CY - 14.5, 9.5, CY - 6);
            cairo_curve_to(cr, 11.2, CY - 1, 10.5, CY + 4, 9.5, CY + 7);
            cairo_curve_to(cr, 7, CY + 5, 5, CY, 4.5, CY - 3.5);
            cairo_curve_to(cr, 0, CY - 5.5, -5, CY - 5, -8.8, CY - 2.5);
        } else {
            cairo_move_to(cr, -10, CY + (parted ? 4 : -1));
            cairo_curve_to(cr, -11.6, CY - 9, -6, CY - 13.8, 0, CY - 13.4);
            cairo_curve_to(cr, 6, CY - 13.8, 11.6, CY - 9, 10, CY + (parted ? 4 : -1));
            cairo_curve_to(cr, 8.6, CY - 2, 8, CY - 5.5, 5, CY - 6.2);
            if (parted) {
                cairo_curve_to(cr, 2.5, CY - 6.8, 1, CY - 8.5, 0, CY - 10);
                cairo_curve_to(cr, -1, CY - 8.5, -2.5, CY - 6.8, -5, CY - 6.2);
            } else {
                cairo_curve_to(cr, 2, CY - 7.2, -2, CY - 7.2, -5, CY - 6.2);
            }
            cairo_curve_to(cr, -8, CY - 5.5, -8.6, CY - 2, -10, CY + (parted ? 4 : -1));
        }
        cairo_close_path(cr);
        Cartoon(cr, h, LW, 1.0);
        break;
    }
    case HairStyle::Curly: {
        int n = side ? 6 : 7;
        for (int i = 0; i < n; ++i) {
            double t = static_cast<double>(i) / (n - 1);
            double x = side ? -7 + 15 * t : -9 + 18 * t;
            double y = CY - 8.5 - 3.2 * std::sin(M_PI * t);
            Ellipse(cr, x, y, 3.3, 3.0);
        }
        Cartoon(cr, h, LW, 0.8);
        break;
    }
    }
}

void Beard(cairo_t* cr, const Look& l, View v) {
    cairo_save(cr);
    if (v == View::Left) {
        Ellipse(cr, 0.6, CY, 9.8, 10.8);
        Ellipse(cr, -6.0, CY + 7.4, 3.6, 3.0);
    } else {
        Ellipse(cr, 0, CY, 9.7, 10.8);
    }
    cairo_clip(cr);
    cairo_new_path(cr);
    if (v == View::Left) {
        cairo_move_to(cr, -11, CY + 3.5);
        cairo_curve_to(cr, -6, CY + 2.8, -2, CY + 4, 2, CY - 1);
        cairo_line_to(cr, 4, CY + 12);
        cairo_line_to(cr, -11, CY + 12);
    } else {
        cairo_move_to(cr, -10, CY - 2);
        cairo_curve_to(cr, -7, CY + 1, -4, CY + 2.4, 0, CY + 2.2);
        cairo_curve_to(cr, 4, CY + 2.4, 7, CY + 1, 10, CY - 2);
        cairo_line_to(cr, 10, CY + 12);
        cairo_line_to(cr, -10, CY + 12);
    }
    cairo_close_path(cr);
    FlatShaded(cr, l.hair, 1.0);
    cairo_restore(cr);
}

void Eye(cairo_t* cr, const Look& l, double x, double y, Part e, bool profile) {
    double rx = profile ? 1.7 : 2.3, ry = 2.7;
    if (e == Part::HeadHappy) {
        cairo_new_path(cr);
        cairo_arc(cr, x, y + 1.2, 2.0, M_PI * 1.1, M_PI * 1.9);
        Stroke(cr, kInk, 0.9);
        return;
    }
    Ellipse(cr, x, y, rx, ry);
    Cartoon(cr, Hex(0xfbfbf6), 0.6);
    double py = e == Part::HeadSad ? y + 0.9 : y + 0.3;
    double px = profile ? x - 0.6 : x + 0.1;
    Ellipse(cr, px, py, 1.35, 1.55);
    SetRgb(cr, l.eyes);
    cairo_fill(cr);
    Ellipse(cr, px, py, 0.75, 0.85);
    SetRgb(cr, kInk);
    cairo_fill(cr);
    Ellipse(cr, px - 0.45, py - 0.55, 0.4, 0.4);
    SetRgb(cr, Hex(0xffffff));
    cairo_fill(cr);
    if (e == Part::HeadAngry) {
        // Narrowed: the upper lid comes down.
        cairo_save(cr);
        Ellipse(cr, x, y, rx + 0.4, ry + 0.4);
        cairo_clip(cr);
        cairo_rectangle(cr, x - 4, y - 4, 8, 3.2);
        SetRgb(cr, Tone(l.skin, 0.9));
        cairo_fill(cr);
        cairo_move_to(cr, x - 3, y - 0.8);
        cairo_line_to(cr, x + 3, y - 0.8);
        Stroke(cr, kInk, 0.7);
        cairo_restore(cr);
    }
}

void Brow(cairo_t* cr, const Look& l, double x, double y, double tilt, double w) {
    cairo_new_path(cr);
    cairo_move_to(cr, x - w, y + tilt);
    cairo_curve_to(cr, x - w / 2, y - 0.8, x + w / 2, y - 0.8, x + w, y - tilt);
    Stroke(cr, Tone(l.hair, 0.8), 1.1);
}

void FrontFace(cairo_t* cr, const Look& l, Part e) {
    if (l.beard) Beard(cr, l, View::Front);
    for (int s : {-1, 1}) {
        Eye(cr, l, s * 3.7, CY - 0.4, e, false);
        // Brow tilt: positive lifts the outer end. Sad lifts the inner ends, angry drops them.
        double tilt = e == Part::HeadSad ? -1.3 : e == Part::HeadAngry ? 1.4 : 0.2;
        Brow(cr, l, s * 3.8, CY - 4.4 + (e == Part::HeadAngry ? 0.6 : 0), s * tilt, 2.1);
    }
    // Nose.
    cairo_new_path(cr);
    cairo_arc(cr, 0, CY + 2.6, 1.1, 0.2, M_PI - 0.2);
    Stroke(cr, Tone(l.skin, 0.6), 0.7);
    // Blush.
    for (int s : {-1, 1}) {
        Ellipse(cr, s * 6.2, CY + 3.4, 1.6, 0.9);
        SetRgb(cr, Hex(0xff7a7a), e == Part::HeadAngry ? 0.5 : 0.3);
        cairo_fill(cr);
    }
    double my = CY + 6.0;
    cairo_new_path(cr);
    switch (e) {
    case Part::HeadHappy:
        cairo_move_to(cr, -3.8, my - 0.8);
        cairo_curve_to(cr, -3, my + 4.4, 3, my + 4.4, 3.8, my - 0.8);
        cairo_close_path(cr);
        Cartoon(cr, Hex(0x8a1c24), 0.8);
        Ellipse(cr, 0, my + 2.2, 1.8, 0.9);
        SetRgb(cr, Hex(0xf07a8a));
        cairo_fill(cr);
        break;
    case Part::HeadSad:
        cairo_move_to(cr, -2.6, my + 1.2);
        cairo_curve_to(cr, -1.2, my - 0.8, 1.2, my - 0.8, 2.6, my + 1.2);
        Stroke(cr, kInk, 0.9);
        break;
    case Part::HeadAngry:
        RoundRect(cr, -3.0, my - 0.6, 6.0, 2.4, 0.8);
        Cartoon(cr, Hex(0xfbfbf6), 0.8);
        cairo_move_to(cr, -2.6, my + 0.6);
        cairo_line_to(cr, 2.6, my + 0.6);
        Stroke(cr, kInk, 0.4);
        break;
    default:
        cairo_move_to(cr, -2.4, my);
        cairo_curve_to(cr, -1, my + 1.4, 1, my + 1.4, 2.4, my);
        Stroke(cr, kInk, 0.9);
        break;
    }
}

void SideFace(cairo_t* cr, const Look& l) {
    if (l.beard) Beard(cr, l, View::Left);
    Eye(cr, l, -5.0, CY - 0.6, Part::Head, true);
    Brow(cr, l, -5.0, CY - 4.6, 0.1, 1.8);
    cairo_new_path(cr);
    cairo_move_to(cr, -8.2, CY + 6.2);
    cairo_line_to(cr, -5.6, CY + 6.5);
    Stroke(cr, kInk, 0.9);
    // Ear, behind the cheek.
    Ellipse(cr, 3.6, CY + 0.8, 1.7, 2.5);
    Cartoon(cr, Tone(l.skin, 0.92), LW * 0.8);
    cairo_new_path(cr);
    cairo_arc(cr, 3.4, CY + 0.8, 0.9, -1.4, 1.4);
    Stroke(cr, Tone(l.skin, 0.55), 0.6);
    Ellipse(cr, -4.2, CY + 3.6, 1.5, 0.9);
    SetRgb(cr, Hex(0xff7a7a), 0.3);
    cairo_fill(cr);
}

void Glasses(cairo_t* cr, View v) {
    Rgb frame = Hex(0x1e1e24);
    if (v == View::Left) {
        RoundRect(cr, -8.6, CY - 3.4, 5.0, 5.2, 1.6);
        SetRgb(cr, Hex(0xcfe8ff), 0.35);
        cairo_fill_preserve(cr);
        Stroke(cr, frame, 0.9);
        cairo_move_to(cr, -3.6, CY - 1.5);
        cairo_line_to(cr, 3.0, CY - 1.2);
        Stroke(cr, frame, 0.9);
        return;
    }
    for (int s : {-1, 1}) {
        RoundRect(cr, s * 3.7 - 3.2, CY - 3.6, 6.4, 5.8, 1.8);
        SetRgb(cr, Hex(0xcfe8ff), 0.3);
        cairo_fill_preserve(cr);
        Stroke(cr, frame, 1.0);
        cairo_move_to(cr, s * 6.9, CY - 1.6);
        cairo_line_to(cr, s * 9.6, CY - 2.2);
        Stroke(cr, frame, 0.9);
    }
    cairo_move_to(cr, -0.5, CY - 1.4);
    cairo_curve_to(cr, -0.2, CY - 2.2, 0.2, CY - 2.2, 0.5, CY - 1.4);
    Stroke(cr, frame, 0.9);
}

void Cap(cairo_t* cr, const Look& l, View v) {
    Rgb a = l.accent;
    cairo_new_path(cr);
    if (v == View::Left) {
        // Visor pointing forward (left).
        Ellipse(cr, -9.5, CY - 7.0, 6.2, 1.6);
        Cartoon(cr, Tone(a, 0.8), LW);
        cairo_move_to(cr, -9.6, CY - 6.5);
        cairo_curve_to(cr, -10.5, CY - 17, 9.5, CY - 17, 10.4, CY - 5);
        cairo_close_path(cr);
        Cartoon(cr, a, LW, 1.0);
    } else {
        cairo_move_to(cr, -10.4, CY - 5.2);
        cairo_curve_to(cr, -10.4, CY - 16.5, 10.4, CY - 16.5, 10.4, CY - 5.2);
        cairo_close_path(cr);
        Cartoon(cr, a, LW, 1.0);
        if (v == View::Front) {
            Ellipse(cr, 0, CY - 5.0, 8.6, 2.2);
            Cartoon(cr, Tone(a, 0.8), LW);
            // A little logo on the front of the cap.
            StarPath(cr, 0, CY - 10.2, 5, 2.2, 1.0);
            SetRgb(cr, Hex(0xfff4d6));
            cairo_fill(cr);
        } else {
            RoundRect(cr, -3, CY - 7.2, 6, 2.4, 1.0);
            SetRgb(cr, Tone(l.hair, 1.0));
            cairo_fill(cr);
        }
    }
    Ellipse(cr, v == View::Left ? 0.5 : 0, CY - 13.6, 1.3, 0.8);
    Cartoon(cr, Tone(a, 0.8), 0.6);
}

void Headphones(cairo_t* cr, const Look& l, View v) {
    Rgb band = Hex(0x2b2b33);
    cairo_new_path(cr);
    if (v == View::Left) {
        cairo_arc(cr, 1.6, CY - 1, 11.4, -M_PI * 0.95, -M_PI * 0.05);
        Stroke(cr, kInk, 3.0);
        cairo_arc(cr, 1.6, CY - 1, 11.4, -M_PI * 0.95, -M_PI * 0.05);
        Stroke(cr, band, 1.6);
        Ellipse(cr, 3.4, CY + 0.6, 3.6, 4.2);
        Cartoon(cr, l.accent, LW, 0.8);
        Ellipse(cr, 3.4, CY + 0.6, 1.8, 2.2);
        SetRgb(cr, Tone(l.accent, 0.7));
        cairo_fill(cr);
        return;
    }
    cairo_arc(cr, 0, CY - 1, 11.6, M_PI, 2 * M_PI);
    Stroke(cr, kInk, 3.0);
    cairo_arc(cr, 0, CY - 1, 11.6, M_PI, 2 * M_PI);
    Stroke(cr, band, 1.6);
    for (int s : {-1, 1}) {
        RoundRect(cr, s * 10.6 - 2.4, CY - 3.8, 4.8, 7.6, 2.0);
        Cartoon(cr, l.accent, LW, 0.8);
    }
}

// The back of the head: mostly hair, the nape at the bottom.
void BackHead(cairo_t* cr, const Look& l) {
    Ellipse(cr, 0, CY, 9.7, 10.8);
    Cartoon(cr, l.skin, LW, 1.2);
    cairo_new_path(cr);
    bool longish = l.hairStyle == HairStyle::Long || l.hairStyle == HairStyle::Ponytail;
    double bottom = longish ? CY + 9 : CY + 5;
    cairo_move_to(cr, -10.2, CY + 2);
    cairo_curve_to(cr, -11.6, CY - 13.5, 11.6, CY - 13.5, 10.2, CY + 2);
    cairo_curve_to(cr, 9.6, CY + 6, 5, bottom, 0, bottom + 0.6);
    cairo_curve_to(cr, -5, bottom, -9.6, CY + 6, -10.2, CY + 2);
    cairo_close_path(cr);
    Cartoon(cr, l.hair, LW, 1.2);
    if (l.hairStyle == HairStyle::Spiky) {
        cairo_new_path(cr);
        double pts[][2] = {{-9, -6}, {-10.5, -12}, {-5.5, -10.5}, {-3, -15},
                           {0, -11}, {3, -15}, {5.5, -10.5}, {10.5, -12}, {9, -6}};
        cairo_move_to(cr, -8, CY - 4);
        for (auto& p : pts) cairo_line_to(cr, p[0], CY + p[1]);
        cairo_line_to(cr, 8, CY - 4);
        cairo_close_path(cr);
        Cartoon(cr, l.hair, LW, 0.8);
    } else if (l.hairStyle == HairStyle::Ponytail) {
        Ellipse(cr, 0, CY - 1, 2.2, 1.6);
        Cartoon(cr, l.accent, LW * 0.7);
    }
}
}  // namespace

void DrawHead(cairo_t* cr, const Look& l, View v, Part e) {
    BackHair(cr, l, v);
    if (v == View::Back) {
        Ears(cr, l, v);
        BackHead(cr, l);
    } else {
        Ears(cr, l, v);
        FaceShape(cr, l, v);
        if (v == View::Left)
            SideFace(cr, l);
        else
            FrontFace(cr, l, e);
        FrontHair(cr, l, v);
        if (l.glasses) Glasses(cr, v);
    }
    if (l.cap) Cap(cr, l, v);
    if (l.headphones) Headphones(cr, l, v);
    if (l.hairStyle == HairStyle::Long && v == View::Front) {
        // Hair band.
        cairo_new_path(cr);
        cairo_arc(cr, 0, CY - 1, 10.6, M_PI * 1.12, M_PI * 1.88);
        Stroke(cr, kInk, 2.4);
        cairo_arc(cr, 0, CY - 1, 10.6, M_PI * 1.12, M_PI * 1.88);
        Stroke(cr, l.accent, 1.2);
    }
}

}  // namespace assetgen
