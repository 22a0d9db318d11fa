// Pictures of "Acicalandose" (room, heart, arrow, signs) and "No te mojes" (bathroom,
// hoses of each character, the water bulge, six spray frames) and the 32 frames of
// shimmering water.
#include "scenes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace assetgen {

namespace {
void Tiles(cairo_t* cr, double x0, double y0, double x1, double y1, double size, Rgb a, Rgb b,
           Rgb grout) {
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_clip(cr);
    for (int r = 0; y0 + r * size < y1; ++r)
        for (int k = 0; x0 + k * size < x1; ++k) {
            cairo_rectangle(cr, x0 + k * size, y0 + r * size, size, size);
            SetRgb(cr, (r + k) % 2 ? a : b);
            cairo_fill(cr);
        }
    cairo_set_line_width(cr, 2);
    SetRgb(cr, grout);
    for (double x = x0; x <= x1; x += size) {
        cairo_move_to(cr, x, y0);
        cairo_line_to(cr, x, y1);
    }
    for (double y = y0; y <= y1; y += size) {
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void ShowerHead(cairo_t* cr, double x, double y) {
    cairo_set_line_width(cr, 6);
    SetRgb(cr, kInk);
    cairo_move_to(cr, x, y - 40);
    cairo_line_to(cr, x, y);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 3);
    SetRgb(cr, Hex(0xc8ccd4));
    cairo_move_to(cr, x, y - 40);
    cairo_line_to(cr, x, y);
    cairo_stroke(cr);
    Ellipse(cr, x, y + 6, 16, 8);
    Cartoon(cr, Hex(0xc8ccd4), 2.5, 2);
    SetRgb(cr, Hex(0x8ac8ff), 0.7);
    cairo_set_line_width(cr, 2);
    for (int i = -2; i <= 2; ++i) {
        cairo_move_to(cr, x + i * 5, y + 14);
        cairo_line_to(cr, x + i * 9, y + 60);
    }
    cairo_stroke(cr);
}

void Sign(const char* file, const char* text, Rgb colour, bool heart) {
    Canvas c(150, 70);
    cairo_t* cr = c.cr();
    RoundRect(cr, 5, 5, 140, 60, 12);
    Cartoon(cr, colour, 4, 4);
    RoundRect(cr, 12, 12, 126, 46, 8);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Hex(0xffffff), 0.7);
    cairo_stroke(cr);
    if (heart) {
        HeartPath(cr, 32, 36, 26);
        Cartoon(cr, Hex(0xffffff), 2.5);
    } else {
        WaterDrop(cr, 30, 36, 30, Hex(0xffffff));
    }
    OutlinedText(cr, text, 90, 47, 28, Hex(0xffffff), 5, kInk, Align::Center);
    SavePng(c, file);
}

void Game1Background() {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    // Corridor at the top where the girls stroll (kisses fly up into it: middle tones).
    Tiles(cr, 0, 0, 1024, 130, 32, Hex(0x7e98b4), Hex(0x7089a6), Hex(0x586f8a));
    cairo_rectangle(cr, 0, 118, 1024, 14);
    Cartoon(cr, Hex(0x7a5a8a), 3);
    // The room: a warm chequered floor in middle tones. Kisses are drawn by adding their
    // light to the floor, so the floor keeps headroom in red and blue for them to glow pink
    // (a pale floor turns them white).
    Tiles(cr, 0, 132, 1024, 640, 64, Hex(0x8a6a52), Hex(0x7c5e48), Hex(0x5e4636));
    // A rug in the middle, deep plum for the same reason.
    RoundRect(cr, 300, 280, 420, 220, 40);
    Cartoon(cr, Hex(0x5a2a48), 4, 6);
    RoundRect(cr, 320, 300, 380, 180, 30);
    cairo_set_line_width(cr, 4);
    SetRgb(cr, Hex(0x8a4a70));
    cairo_stroke(cr);
    // Showers beyond the right edge.
    Tiles(cr, 968, 132, 1024, 640, 28, Hex(0x9ad0f0), Hex(0x7ab8e0), Hex(0x5a98c8));
    cairo_rectangle(cr, 962, 132, 8, 508);
    Cartoon(cr, Hex(0xc8ccd4), 2);
    ShowerHead(cr, 1000, 230);
    ShowerHead(cr, 1000, 430);
    // The door to the date on the left.
    RoundRect(cr, -20, 250, 70, 200, 10);
    Cartoon(cr, Hex(0xb06a3a), 4, 4);
    HeartPath(cr, 22, 330, 30);
    Cartoon(cr, Hex(0xe8283c), 3);
    // Plants and a bench for atmosphere.
    for (double x : {150.0, 870.0}) {
        RoundRect(cr, x - 22, 170, 44, 40, 8);
        Cartoon(cr, Hex(0xb8643a), 3, 3);
        for (int i = 0; i < 5; ++i) {
            Ellipse(cr, x - 20 + i * 10, 160 - (i % 2) * 12, 14, 20);
            Cartoon(cr, Hex(0x4cbf4a), 2.5, 2);
        }
    }
    // The bottom: a dark stage where the envious friends stand.
    cairo_rectangle(cr, 0, 640, 1024, 128);
    Cartoon(cr, Hex(0x3a2a4a), 4);
    for (int i = 0; i < 16; ++i) {
        cairo_rectangle(cr, i * 64, 640, 2, 128);
        SetRgb(cr, Hex(0x2a1e36));
        cairo_fill(cr);
    }
    SavePng(c, "artwork/fondo-minijuego1.png", true);
}

void Game1Sprites() {
    {
        Canvas c(40, 36);
        // Red and blue without green: added to any floor it tints pink, never white.
        HeartPath(c.cr(), 20, 18, 36);
        Cartoon(c.cr(), Hex(0xff0060), 2.5, 3);
        Ellipse(c.cr(), 12, 11, 3, 4);
        SetRgb(c.cr(), Hex(0xff80c0), 0.8);
        cairo_fill(c.cr());
        SavePng(c, "artwork/corazon.png");
    }
    {
        Canvas c(34, 96);
        cairo_t* cr = c.cr();
        cairo_move_to(cr, 17, 3);
        cairo_line_to(cr, 31, 30);
        cairo_line_to(cr, 22, 30);
        cairo_line_to(cr, 22, 92);
        cairo_line_to(cr, 12, 92);
        cairo_line_to(cr, 12, 30);
        cairo_line_to(cr, 3, 30);
        cairo_close_path(cr);
        Cartoon(cr, Hex(0xffd23f), 3, 3);
        HeartPath(cr, 17, 20, 10);
        SetRgb(cr, Hex(0xff3a6a));
        cairo_fill(cr);
        SavePng(c, "artwork/flecha-superior.png");
    }
    Sign("artwork/cartel-duchas.png", "DUCHAS", Hex(0x2a7ae8), false);
    Sign("artwork/cartel-cita.png", "CITA", Hex(0xe8407a), true);
}

void Game2Background() {
    Canvas c(1024, 768);
    cairo_t* cr = c.cr();
    // Showers along the top.
    Tiles(cr, 0, 0, 1024, 128, 32, Hex(0xf4f8fc), Hex(0xdfeaf4), Hex(0xb0c4d6));
    for (int i = 0; i < 4; ++i) {
        double x = 96 + i * 192;
        ShowerHead(cr, x, 30);
        cairo_rectangle(cr, x + 80, 0, 14, 120);
        Cartoon(cr, Hex(0xb0c4d6), 2);
    }
    RoundRect(cr, 800, 30, 180, 60, 10);
    Cartoon(cr, Hex(0x2a7ae8), 4, 4);
    OutlinedText(cr, "DUCHAS", 890, 74, 34, Hex(0xffffff), 5, kInk, Align::Center);
    // The wet floor: mid-grey tiles, so that water, stains and white text all read.
    Tiles(cr, 0, 128, 768, 768, 40, Hex(0xa8b4be), Hex(0x9aa6b2), Hex(0x7e8a96));
    cairo_rectangle(cr, 0, 124, 768, 6);
    SetRgb(cr, Hex(0x5a6672));
    cairo_fill(cr);
    // The side wall with the taps the hoses come from.
    cairo_rectangle(cr, 768, 128, 256, 640);
    SetRgb(cr, Hex(0x6a5a4e));
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 768, 128, 256, 640);
    cairo_clip(cr);
    for (int r = 0; r < 32; ++r)
        for (int k = 0; k < 7; ++k) {
            RoundRect(cr, 768 + k * 48 + (r % 2) * 24 - 24, 128 + r * 20, 46, 18, 3);
            SetRgb(cr, r % 3 ? Hex(0x8a6a52) : Hex(0x7e5e48));
            cairo_fill(cr);
        }
    cairo_restore(cr);
    cairo_rectangle(cr, 766, 128, 6, 640);
    SetRgb(cr, kInk);
    cairo_fill(cr);
    for (int k = 0; k < 3; ++k) {
        double y = 253 + 100 * k;
        RoundRect(cr, 1000, y - 20, 30, 40, 6);
        Cartoon(cr, Hex(0xc8ccd4), 3, 2);
        Ellipse(cr, 1008, y - 26, 12, 6);
        Cartoon(cr, Hex(0xe8283c), 2.5);
    }
    SavePng(c, "artwork/fondo-minijuego2.png", true);
}

void Game2Sprites() {
    // The water bulge running along every hose (handle (0, 18)).
    {
        Canvas c(30, 36);
        Ellipse(c.cr(), 15, 18, 13, 16);
        Cartoon(c.cr(), Hex(0x5ab4ff), 2.5, 2.5);
        Ellipse(c.cr(), 11, 11, 3.5, 5);
        SetRgb(c.cr(), Hex(0xffffff), 0.85);
        cairo_fill(c.cr());
        SavePng(c, "artwork/manguera-hinchada.png");
    }
    // Spray frames: drawn with their point (40, 1) at the mouth's left end; the stream
    // leaves the mouth at y 14 and falls to the floor's edge.
    for (int f = 1; f <= 6; ++f) {
        Canvas c(48, 46);
        cairo_t* cr = c.cr();
        double reach = std::min(1.0, f / 3.0);  // the stream grows, then splashes
        double fade = f <= 3 ? 1.0 : 1.0 - (f - 3) * 0.22;
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            cairo_new_path(cr);
            cairo_move_to(cr, 44, 14);
            cairo_curve_to(cr, 30, 12, 40 - 40 * reach + 10, 14, 40 - 38 * reach, 14 + 26 * reach);
            cairo_set_line_width(cr, pass == 0 ? 10 : 6);
            SetRgb(cr, pass == 0 ? Hex(0x1a4aa8) : Hex(0x8ad0ff), fade);
            cairo_stroke(cr);
        }
        Rng rng(400 + f);
        for (int i = 0; i < 3 + f * 2; ++i) {
            double x = 40 - 38 * reach + rng.Real(-4, 14), y = 14 + 26 * reach + rng.Real(-12, 4);
            Ellipse(cr, x, y, 2, 2);
            SetRgb(cr, Hex(0xbfe6ff), fade);
            cairo_fill(cr);
        }
        SavePng(c, "artwork/chorro" + std::to_string(f) + ".png");
    }
    // The hoses, one per character folder, in the character's colour with their face.
    for (int i = 0; i < 4; ++i) {
        const Look& l = Looks()[i];
        Canvas c(241, 100);
        cairo_t* cr = c.cr();
        Rgb tube = Mix(l.shirt, NameColour(i), 0.3);
        // Tube from the mouth (left) to the tap (right), centre line at y 53.
        for (int pass = 0; pass < 2; ++pass) {
            cairo_new_path(cr);
            cairo_move_to(cr, 30, 53);
            cairo_line_to(cr, 241, 53);
            cairo_set_line_width(cr, pass == 0 ? 24 : 18);
            SetRgb(cr, pass == 0 ? kInk : tube);
            cairo_stroke(cr);
        }
        cairo_set_line_width(cr, 4);
        SetRgb(cr, Tone(tube, 1.35));
        cairo_move_to(cr, 34, 47);
        cairo_line_to(cr, 241, 47);
        cairo_stroke(cr);
        // Brass mouth.
        RoundRect(cr, 4, 41, 34, 24, 5);
        Cartoon(cr, Hex(0xe0b040), 3, 2);
        RoundRect(cr, 0, 45, 10, 16, 3);
        Cartoon(cr, Hex(0xc89428), 2.5);
        // The owner's face on a tag.
        Ellipse(cr, 190, 22, 19, 19);
        Cartoon(cr, Hex(0xffffff), 3);
        cairo_save(cr);
        cairo_translate(cr, 190, 34);
        cairo_scale(cr, 1.25, 1.25);
        DrawHead(cr, l, View::Front, Part::Head);
        cairo_restore(cr);
        SavePng(c, l.folder + "/manguera.png");
    }
}
}  // namespace

void WriteGame1Pictures() {
    Game1Background();
    Game1Sprites();
}

void WriteGame2Pictures() {
    Game2Background();
    Game2Sprites();
}

void WriteWater() {
    // Caustic ripples made of waves whose wave numbers are whole per 128 pixels (so the
    // texture tiles) and whose phases turn whole cycles in 32 frames (so the shimmer
    // loops).
    struct Wave {
        int kx, ky, turns;
        double amp, phase;
    };
    Rng rng(5150);
    std::vector<Wave> waves;
    const int ks[][2] = {{1, 2}, {2, -1}, {3, 1}, {-1, 3}, {2, 3}, {4, -2}, {1, -4}, {5, 2}};
    for (auto& k : ks) waves.push_back({k[0], k[1], rng.Int(1, 2) * (rng.Chance(0.5) ? 1 : -1),
                                        rng.Real(0.5, 1.0), rng.Real(0, 2 * M_PI)});
    for (int f = 0; f < 32; ++f) {
        Canvas c(128, 128);
        cairo_surface_flush(c.surface());
        unsigned char* d = cairo_image_surface_get_data(c.surface());
        int stride = cairo_image_surface_get_stride(c.surface());
        double t = 2 * M_PI * f / 32;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                double a = 0, b = 0;
                for (size_t i = 0; i < waves.size(); ++i) {
                    const Wave& w = waves[i];
                    double ph = 2 * M_PI * (w.kx * x + w.ky * y) / 128.0 + w.turns * t + w.phase;
                    (i % 2 ? a : b) += w.amp * std::sin(ph);
                }
                // Bright thin lines where the two wave sums cross zero together.
                double v = std::exp(-std::fabs(a) * 1.6) * std::exp(-std::fabs(b) * 0.9);
                double base = 0.5 + 0.5 * std::sin(2 * M_PI * (x + 2 * y) / 128.0 + t);
                int r = static_cast<int>(10 + 200 * v + 12 * base);
                int g = static_cast<int>(30 + 190 * v + 18 * base);
                int bl = static_cast<int>(60 + 150 * v + 20 * base);
                reinterpret_cast<uint32_t*>(d + y * stride)[x] =
                    0xff000000u | (std::min(255, r) << 16) | (std::min(255, g) << 8) | std::min(255, bl);
            }
        cairo_surface_mark_dirty(c.surface());
        char name[32];
        std::snprintf(name, sizeof name, "agua/save.%02d.png", f + 1);
        SavePng(c, name, true);
    }
}

}  // namespace assetgen
