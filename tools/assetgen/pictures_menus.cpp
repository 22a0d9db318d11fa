// The title picture and the calm backgrounds of the menus, all built on one drawing of
// the event hall.
#include "scenes.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

const KeyFrame& Pose(int anim, int frame) {
    static const std::vector<Animation> anims = BuildAnimations();
    return anims[anim].frames[frame];
}

void TextPanel(cairo_t* cr, double x, double y, double w, double h, double alpha) {
    RoundRect(cr, x + 6, y + 8, w, h, 26);
    SetRgb(cr, Hex(0x000000), 0.18);
    cairo_fill(cr);
    RoundRect(cr, x, y, w, h, 26);
    SetRgb(cr, Hex(0xfdfaf2), alpha);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 4);
    SetRgb(cr, kInk, 0.85);
    cairo_stroke(cr);
}

void StandingFigure(cairo_t* cr, const Look& look, const KeyFrame& k, double x, double y, double s) {
    Ellipse(cr, x, y, 18 * s, 4 * s);
    SetRgb(cr, Hex(0x000000), 0.22);
    cairo_fill(cr);
    DrawFigure(cr, look, k, x, y, s);
}

void HallBackdrop(cairo_t* cr, int w, int h, uint64_t seed, double dim, bool banner) {
    Rng rng(seed);
    // Back wall.
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
    Rgb top = Mix(Hex(0x3b3f8f), Hex(0x141633), dim), bottom = Mix(Hex(0x8a6ad0), Hex(0x2a2350), dim);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 0.62, bottom.r, bottom.g, bottom.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r * 0.8, bottom.g * 0.8, bottom.b * 0.8);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Ceiling truss.
    cairo_set_line_width(cr, 5);
    SetRgb(cr, Hex(0x2a2a3a));
    cairo_move_to(cr, 0, 40);
    cairo_line_to(cr, w, 40);
    cairo_move_to(cr, 0, 70);
    cairo_line_to(cr, w, 70);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3);
    for (int x = 0; x < w; x += 30) {
        cairo_move_to(cr, x, 40);
        cairo_line_to(cr, x + 30, 70);
    }
    cairo_stroke(cr);
    // Spotlight beams.
    const Rgb beams[4] = {Hex(0xff5aa0), Hex(0x5ac8ff), Hex(0xffe04a), Hex(0x7aff8a)};
    for (int i = 0; i < 6; ++i) {
        double x = w * (0.08 + 0.17 * i) + rng.Real(-20, 20);
        double spread = rng.Real(-160, 160);
        Rgb c = beams[i % 4];
        cairo_pattern_t* b = cairo_pattern_create_linear(x, 70, x + spread, h * 0.75);
        cairo_pattern_add_color_stop_rgba(b, 0, c.r, c.g, c.b, 0.35 * (1 - dim * 0.3));
        cairo_pattern_add_color_stop_rgba(b, 1, c.r, c.g, c.b, 0.0);
        cairo_move_to(cr, x - 8, 72);
        cairo_line_to(cr, x + 8, 72);
        cairo_line_to(cr, x + spread + 110, h * 0.75);
        cairo_line_to(cr, x + spread - 110, h * 0.75);
        cairo_close_path(cr);
        cairo_set_source(cr, b);
        cairo_fill(cr);
        cairo_pattern_destroy(b);
        RoundRect(cr, x - 12, 62, 24, 18, 4);
        Cartoon(cr, Hex(0x30303c), 2.5);
    }
    // Rows of tables with monitors, the far ones smaller and dimmer.
    for (int row = 0; row < 3; ++row) {
        double y = h * (0.50 + 0.15 * row), s = 0.6 + 0.3 * row;
        Rgb table = Mix(Hex(0xd9cdb4), Hex(0x3a3550), dim * (0.8 - 0.2 * row));
        for (double x = -rng.Real(0, 60); x < w + 80; x += 70 * s) {
            Rgb screen = beams[rng.Int(0, 3)];
            RoundRect(cr, x, y - 34 * s, 50 * s, 32 * s, 3 * s);
            Cartoon(cr, Hex(0x26262e), 2.5 * s);
            RoundRect(cr, x + 4 * s, y - 30 * s, 42 * s, 24 * s, 2 * s);
            SetRgb(cr, Mix(screen, Hex(0x101018), 0.35 + 0.3 * dim));
            cairo_fill(cr);
            cairo_rectangle(cr, x + 20 * s, y - 3 * s, 10 * s, 5 * s);
            SetRgb(cr, Hex(0x26262e));
            cairo_fill(cr);
            // A head of somebody playing, now and then.
            if (rng.Chance(0.45)) {
                Ellipse(cr, x + 25 * s, y + 12 * s, 13 * s, 14 * s);
                Cartoon(cr, Mix(Hex(0x4a2c17), Hex(0x000000), 0.3 + rng.Real(0, 0.5)), 2 * s);
            }
        }
        cairo_rectangle(cr, -10, y + 2 * s, w + 20, 14 * s);
        Cartoon(cr, table, 3 * s);
    }
    if (banner) HallBanner(cr, w, dim);
}

void HallBanner(cairo_t* cr, int w, double dim) {
    RoundRect(cr, w * 0.5 - 210, 96, 420, 52, 8);
    Cartoon(cr, Mix(Hex(0xe8413c), Hex(0x5a1a2a), dim), 4);
    Text(cr, "PARTY INFORMÁTICA 24H", w * 0.5, 132, 30, Mix(Hex(0xfff4d0), Hex(0x8a7a6a), dim),
         Align::Center);
}

namespace {
void Title() {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    HallBackdrop(cr, 1024, 768, 11, 0.35, false);
    // The menu's area on the left: lines at x = 170 from y = 200, size 50.
    TextPanel(cr, 140, 182, 330, 290);
    // The game's name.
    cairo_save(cr);
    cairo_translate(cr, 650, 118);
    cairo_rotate(cr, -0.06);
    const char* name = "Frikipartida";
    OutlinedText(cr, name, 6, 10, 96, Hex(0x1a1030), 22, Hex(0x1a1030), Align::Center);
    OutlinedText(cr, name, 0, 0, 96, Hex(0xffd23f), 14, Hex(0x1a1030), Align::Center);
    cairo_restore(cr);
    // Under the name, and clear of the menu panel (which ends at x = 476 with its shadow).
    const char* motto = "¡cuatro frikis, un tablero y mucho morro!";
    const double mottoX = std::max(660.0, 500 + TextWidth(cr, motto, 26) / 2);
    Text(cr, motto, mottoX, 190, 26, Hex(0xffffff), Align::Center);
    // The four programmers on a little stage.
    RoundRect(cr, 500, 650, 500, 60, 14);
    Cartoon(cr, Hex(0x5a3a7a), 4, 4);
    const int anims[4] = {5, 1, 8, 5};
    for (int i = 0; i < 4; ++i) {
        double x = 560 + i * 125;
        StandingFigure(cr, Looks()[i], Pose(anims[i], i == 3 ? 2 : 0), x, 676, 3.3);
    }
    SavePng(c, "artwork/titulo.png", true);
}

void MenuBackground(const char* file, double panelW, double panelH, uint64_t seed) {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    HallBackdrop(cr, 1024, 768, seed, 0.55);
    TextPanel(cr, 140, 180, panelW, panelH, 0.88);
    SavePng(c, file, true);
}
}  // namespace

void WriteMenuPictures() {
    Title();
    // Options: seven lines 50 apart, with values after the longest ("Usar
    // DisplacementMapping"); practice: six lines 40 apart.
    MenuBackground("artwork/opciones.png", 760, 380, 12);
    // Credits: eleven lines 40 apart at size 30.
    MenuBackground("artwork/creditos.png", 480, 470, 13);
}

}  // namespace assetgen
