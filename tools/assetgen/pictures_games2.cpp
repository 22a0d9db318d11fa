// Pictures of "Love is in the air" (corner of the hall, the girl, the girl slapping, the
// four suitors), "Escondite Coder" (office with the leisure area, desk, chair) and
// "Lanzamiento de CDs" (the long floor and the disc).
#include "scenes.h"

#include <cmath>
#include <string>

namespace assetgen {

namespace {
void Hearts(cairo_t* cr, double x, double y, int n, uint64_t seed) {
    Rng rng(seed);
    for (int i = 0; i < n; ++i) {
        double hx = x + rng.Real(-60, 60), hy = y - rng.Real(0, 50), w = rng.Real(16, 30);
        HeartPath(cr, hx, hy, w);
        Cartoon(cr, Hex(0xff3a6a), 2.5, 2);
    }
}

void Game3Pictures() {
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        // A quiet corner: soft wall, a window onto the night, a sofa low on the left.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 768);
        cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.93, 0.90);
        cairo_pattern_add_color_stop_rgb(g, 0.75, 0.98, 0.84, 0.86);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.80, 0.62, 0.70);
        cairo_rectangle(cr, 0, 0, 1024, 768);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        Rng rng(303);
        for (int i = 0; i < 26; ++i) {
            HeartPath(cr, rng.Real(0, 1024), rng.Real(0, 600), rng.Real(14, 40));
            SetRgb(cr, Hex(0xff8ab0), 0.18);
            cairo_fill(cr);
        }
        cairo_rectangle(cr, 0, 600, 1024, 168);
        SetRgb(cr, Hex(0xb07a8a));
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 596, 1024, 8);
        SetRgb(cr, Hex(0x6a3a4a));
        cairo_fill(cr);
        // Fairy lights along the top.
        cairo_set_line_width(cr, 2);
        SetRgb(cr, Hex(0x6a3a4a));
        cairo_move_to(cr, 0, 14);
        for (int i = 0; i < 8; ++i) cairo_curve_to(cr, i * 128 + 40, 40, i * 128 + 88, 40, (i + 1) * 128, 14);
        cairo_stroke(cr);
        const Rgb bulbs[3] = {Hex(0xffd23f), Hex(0xff5aa0), Hex(0x5ac8ff)};
        for (int i = 0; i < 24; ++i) {
            double x = i * 128 / 3.0 + 21, y = 14 + 22 * std::sin(M_PI * std::fmod(x, 128) / 128);
            Ellipse(cr, x, y + 4, 5, 6);
            Cartoon(cr, bulbs[i % 3], 1.5);
        }
        SavePng(c, "artwork/fondo-minijuego3.png", true);
    }
    // The girl, facing the suitor on her left: 240 wide, her feet on the bottom edge.
    {
        Canvas c(240, 440);
        PoseParams p;
        p.headView = static_cast<int>(View::Left);
        p.armA = {18, -60};
        p.armB = {-10, 6};
        DrawFigure(c.cr(), Looks()[4], MakePose(p, 100), 120, 430, 5.5);
        SavePng(c, "artwork/chica-gorvia.png");
    }
    {
        Canvas c(240, 440);
        cairo_t* cr = c.cr();
        PoseParams p;
        p.headPart = Part::HeadAngry;
        p.armA = {118, 30};
        p.armB = {-40, 102};
        p.torso = -6;
        DrawFigure(cr, Looks()[4], MakePose(p, 100), 130, 430, 5.5);
        StarPath(cr, 44, 150, 10, 44, 26, 0.2);
        Cartoon(cr, Hex(0xffe04a), 3, 2);
        OutlinedText(cr, "¡ZAS!", 44, 160, 26, Hex(0xe8283c), 4, kInk, Align::Center);
        SavePng(c, "artwork/chica-gorvia-ostion.png");
    }
    const char* files[4] = {"tarsun", "ervarsen", "quelbido", "pexil"};
    for (int i = 0; i < 4; ++i) {
        Canvas c(300, 440);
        cairo_t* cr = c.cr();
        PoseParams p;
        p.headPart = Part::HeadHappy;
        p.headView = -1;
        p.head = 6;
        p.armA = {-22, -96};
        p.armB = {22, 96};
        DrawFigure(cr, Looks()[i], MakePose(p, 100), 140, 430, 5.5);
        Hearts(cr, 150, 52, 4, 700 + i);
        SavePng(c, std::string("artwork/") + files[i] + "-enamorao.png");
    }
}

void Game4Pictures() {
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        // Office carpet, dark enough for the boss's white countdown.
        cairo_rectangle(cr, 0, 0, 1024, 768);
        SetRgb(cr, Hex(0x46536e));
        cairo_fill(cr);
        Rng rng(404);
        for (int i = 0; i < 900; ++i) {
            cairo_rectangle(cr, rng.Real(0, 1024), rng.Real(128, 768), 3, 3);
            SetRgb(cr, rng.Chance(0.5) ? Hex(0x4e5c7a) : Hex(0x3e4a62));
            cairo_fill(cr);
        }
        // The leisure area at the top.
        cairo_rectangle(cr, 0, 0, 1024, 128);
        SetRgb(cr, Hex(0xffe8b0));
        cairo_fill(cr);
        for (int i = 0; i < 32; ++i) {
            cairo_move_to(cr, i * 32, 122);
            cairo_line_to(cr, i * 32 + 16, 122);
            cairo_line_to(cr, i * 32 + 8, 134);
            cairo_close_path(cr);
        }
        cairo_rectangle(cr, 0, 122, 1024, 6);
        SetRgb(cr, Hex(0x2a2a2a));
        cairo_fill(cr);
        RoundRect(cr, 380, 14, 264, 52, 10);
        Cartoon(cr, Hex(0xe8413c), 4, 4);
        OutlinedText(cr, "ZONA DE OCIO", 512, 52, 32, Hex(0xffffff), 5, kInk, Align::Center);
        // A sofa, an arcade cabinet and a table football.
        RoundRect(cr, 60, 30, 200, 70, 18);
        Cartoon(cr, Hex(0x5a8ad0), 4, 5);
        for (int i = 0; i < 3; ++i) {
            RoundRect(cr, 74 + i * 60, 50, 52, 40, 10);
            Cartoon(cr, Hex(0x7aa6e8), 3);
        }
        RoundRect(cr, 700, 10, 70, 100, 8);
        Cartoon(cr, Hex(0x8a3ad8), 4, 4);
        RoundRect(cr, 712, 24, 46, 34, 4);
        Cartoon(cr, Hex(0x5affc8), 3);
        RoundRect(cr, 800, 40, 150, 60, 8);
        Cartoon(cr, Hex(0x3aa04a), 4, 3);
        for (int i = 0; i < 5; ++i) {
            cairo_rectangle(cr, 816 + i * 28, 36, 4, 68);
            SetRgb(cr, Hex(0xc8ccd4));
            cairo_fill(cr);
        }
        // The boss's corner with the hostesses: a lighter rug.
        RoundRect(cr, 780, 140, 236, 230, 30);
        Cartoon(cr, Hex(0x8a5a7a), 4, 4);
        SavePng(c, "artwork/fondillo4.png", true);
    }
    {
        // Desk seen from behind its user: monitor at the back, keyboard at the front.
        Canvas c(124, 86);
        cairo_t* cr = c.cr();
        RoundRect(cr, 4, 22, 116, 60, 6);
        Cartoon(cr, Hex(0xc89a6a), 3, 3);
        RoundRect(cr, 28, 4, 68, 46, 5);
        Cartoon(cr, Hex(0x2a2a32), 3);
        RoundRect(cr, 33, 9, 58, 34, 3);
        SetRgb(cr, Hex(0x17202c));
        cairo_fill(cr);
        Rng rng(414);
        const Rgb code[3] = {Hex(0x7aff8a), Hex(0xffd23f), Hex(0x5ac8ff)};
        for (int l = 0; l < 5; ++l) {
            cairo_rectangle(cr, 37 + rng.Int(0, 2) * 4, 13 + l * 6, rng.Real(14, 44), 3);
            SetRgb(cr, code[l % 3]);
            cairo_fill(cr);
        }
        RoundRect(cr, 36, 58, 52, 16, 3);
        Cartoon(cr, Hex(0xeceff4), 2.5);
        Ellipse(cr, 100, 66, 5, 7);
        Cartoon(cr, Hex(0x55585f), 2);
        SavePng(c, "artwork/mesasola.png");
    }
    {
        // Office chair from behind; its bottom row is the handle.
        Canvas c(60, 64);
        cairo_t* cr = c.cr();
        cairo_set_line_width(cr, 5);
        SetRgb(cr, kInk);
        cairo_move_to(cr, 30, 34);
        cairo_line_to(cr, 30, 52);
        cairo_stroke(cr);
        for (int s : {-1, 0, 1}) {
            cairo_move_to(cr, 30, 52);
            cairo_line_to(cr, 30 + s * 22, 58);
        }
        cairo_stroke(cr);
        for (int s : {-1, 0, 1}) {
            Ellipse(cr, 30 + s * 22, 59, 4, 4);
            Cartoon(cr, Hex(0x3a3a42), 2);
        }
        RoundRect(cr, 8, 28, 44, 10, 4);
        Cartoon(cr, Hex(0x26262e), 2.5);
        RoundRect(cr, 10, 2, 40, 30, 9);
        Cartoon(cr, Hex(0x3a3a48), 3, 3);
        SavePng(c, "artwork/sillasola.png");
    }
}

void Game5Pictures() {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    // Parquet, side walls at x = 12 and 1012, a light band on top for the black score.
    for (int r = 0; r < 24; ++r)
        for (int k = -1; k < 9; ++k) {
            double x = k * 128 + (r % 2) * 64;
            cairo_rectangle(cr, x, r * 32, 128, 32);
            SetRgb(cr, ((r * 7 + k * 3) % 4 == 0) ? Hex(0x9a6a42) : Hex(0xa87a4e));
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 2);
            SetRgb(cr, Hex(0x7a5232));
            cairo_stroke(cr);
        }
    cairo_rectangle(cr, 0, 0, 1024, 64);
    SetRgb(cr, Hex(0xf4ecd8));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 62, 1024, 4);
    SetRgb(cr, kInk);
    cairo_fill(cr);
    for (double x : {0.0, 1012.0}) {
        cairo_rectangle(cr, x, 66, 12, 702);
        SetRgb(cr, Hex(0x4a4f5c));
        cairo_fill(cr);
    }
    // The thrower's platform and the target line at the bottom.
    Ellipse(cr, 512, 140, 90, 34);
    Cartoon(cr, Hex(0x5a8ad0), 4, 4);
    for (int i = 0; i < 32; ++i) {
        cairo_rectangle(cr, 12 + i * 31.3, 700, 15.6, 8);
        SetRgb(cr, Hex(0xffffff));
        cairo_fill(cr);
    }
    OutlinedText(cr, "¡A LA RED!", 512, 745, 30, Hex(0xffd23f), 5, kInk, Align::Center);
    SavePng(c, "artwork/fondo-minijuego5.png", true);

    Canvas cd(29, 29);
    cairo_translate(cd.cr(), 14.5, 14.5);
    DrawDisc(cd.cr(), 13.2);
    SavePng(cd, "artwork/cd.png");
}
}  // namespace

void WriteGame345Pictures() {
    Game3Pictures();
    Game4Pictures();
    Game5Pictures();
}

}  // namespace assetgen
