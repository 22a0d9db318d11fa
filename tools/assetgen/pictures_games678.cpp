// The pictures of "Apagon", "Compilando..." and "Guerra de bolas de papel": their
// backgrounds and props, in the hall's cartoon style.
#include "scenes.h"

#include <cmath>
#include <string>

namespace assetgen {

namespace {
// A carpet of small flecks over a base colour.
void Carpet(cairo_t* cr, double y0, double y1, Rgb base, Rgb a, Rgb b, uint64_t seed) {
    cairo_rectangle(cr, 0, y0, 1024, y1 - y0);
    SetRgb(cr, base);
    cairo_fill(cr);
    Rng rng(seed);
    for (int i = 0; i < 1200; ++i) {
        cairo_rectangle(cr, rng.Real(0, 1024), rng.Real(y0, y1), 3, 3);
        SetRgb(cr, rng.Chance(0.5) ? a : b);
        cairo_fill(cr);
    }
}

// A desk seen from the front with a monitor on it; the screen (w x h, centred on x, top
// at sy) is left dark for the game to draw on.
void DeskWithMonitor(cairo_t* cr, double x, double sy, double w, double h, Rgb desk) {
    RoundRect(cr, x - 12, sy + h + 4, 24, 30, 3);
    Cartoon(cr, Hex(0x3a3a44), 3);
    RoundRect(cr, x - w / 2 - 14, sy - 14, w + 28, h + 28, 10);
    Cartoon(cr, Hex(0x50505c), 4, 4);
    cairo_rectangle(cr, x - w / 2, sy, w, h);
    SetRgb(cr, Hex(0x101820));
    cairo_fill(cr);
    RoundRect(cr, x - w / 2 - 60, sy + h + 30, w + 120, 40, 6);
    Cartoon(cr, desk, 4, 5);
    RoundRect(cr, x - 70, sy + h + 38, 140, 16, 4);
    Cartoon(cr, Hex(0xe8e8f0), 2.5);
}

void ApagonPictures() {
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        Carpet(cr, 0, 768, Hex(0x3a4660), Hex(0x42506c), Hex(0x323c54), 606);
        // The back wall with the rack's niche.
        cairo_rectangle(cr, 0, 0, 1024, 150);
        SetRgb(cr, Hex(0x6a6a86));
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 144, 1024, 8);
        SetRgb(cr, kInk);
        cairo_fill(cr);
        RoundRect(cr, 420, 20, 184, 60, 10);
        Cartoon(cr, Hex(0xe8413c), 4, 4);
        OutlinedText(cr, "CPD", 512, 64, 36, Hex(0xffffff), 5, kInk, Align::Center);
        // Rows of tables with dark monitors on both sides of the hall.
        Rng rng(607);
        for (int row = 0; row < 4; ++row)
            for (int side = 0; side < 2; ++side) {
                const double y = 250 + row * 130, x = side == 0 ? 40 : 704;
                RoundRect(cr, x, y, 280, 54, 6);
                Cartoon(cr, Hex(0x8a6a4a), 3, 4);
                for (int m = 0; m < 3; ++m) {
                    RoundRect(cr, x + 24 + m * 88, y - 34, 60, 40, 4);
                    Cartoon(cr, Hex(0x30303a), 3);
                    cairo_rectangle(cr, x + 30 + m * 88, y - 28, 48, 28);
                    SetRgb(cr, rng.Chance(0.3) ? Hex(0x1a3a2a) : Hex(0x14141c));
                    cairo_fill(cr);
                }
            }
        // Tape on the floor: the three starting marks.
        for (int k = 0; k < 3; ++k) {
            const double a = (-40.0 + 40.0 * k) * 3.14159265 / 180.0;
            const double x = 512 + 520 * std::sin(a), y = 215 + 520 * std::cos(a);
            cairo_rectangle(cr, x - 30, y - 4, 60, 8);
            SetRgb(cr, Hex(0xe8c83a));
            cairo_fill(cr);
        }
        SavePng(c, "artwork/fondo-apagon.png", true);
    }
    {
        Canvas c(120, 180);
        cairo_t* cr = c.cr();
        RoundRect(cr, 6, 4, 108, 172, 8);
        Cartoon(cr, Hex(0x2a2e38), 4, 4);
        for (int u = 0; u < 8; ++u) {
            RoundRect(cr, 16, 14 + u * 19, 88, 14, 3);
            Cartoon(cr, Hex(0x44485a), 2);
            for (int l = 0; l < 3; ++l) {
                Ellipse(cr, 26 + l * 8, 21 + u * 19, 2.5, 2.5);
                SetRgb(cr, (u + l) % 3 == 0 ? Hex(0xe8413c) : Hex(0x3ae86a));
                cairo_fill(cr);
            }
            cairo_rectangle(cr, 56, 18 + u * 19, 40, 6);
            SetRgb(cr, Hex(0x202430));
            cairo_fill(cr);
        }
        SavePng(c, "artwork/rack-apagon.png");
    }
}

void CompilandoPictures() {
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        // Wall and floor of the hall, three desks with big monitors.
        cairo_rectangle(cr, 0, 0, 1024, 470);
        SetRgb(cr, Hex(0x8fa0c8));
        cairo_fill(cr);
        Carpet(cr, 470, 768, Hex(0x5a5a78), Hex(0x646484), Hex(0x4e4e6a), 707);
        for (int i = 0; i < 6; ++i) {
            RoundRect(cr, 30 + i * 170, 30, 110, 60, 8);
            Cartoon(cr, i % 2 ? Hex(0xffd85a) : Hex(0x5ad8ff), 3, 3);
        }
        OutlinedText(cr, "COMPILA Y VERAS", 512, 140, 40, Hex(0xffffff), 5, kInk, Align::Center);
        for (int k = 0; k < 3; ++k) DeskWithMonitor(cr, 200 + 312 * k, 215, 240, 170, Hex(0xb08050));
        SavePng(c, "artwork/fondo-compilando.png", true);
    }
    {
        // A bug: round body, six legs, feelers.
        Canvas c(56, 48);
        cairo_t* cr = c.cr();
        cairo_set_line_width(cr, 3);
        SetRgb(cr, kInk);
        for (int i = 0; i < 3; ++i) {
            const double y = 20 + i * 8;
            cairo_move_to(cr, 16, y);
            cairo_line_to(cr, 4, y - 4 + i * 4);
            cairo_move_to(cr, 40, y);
            cairo_line_to(cr, 52, y - 4 + i * 4);
        }
        cairo_move_to(cr, 24, 12);
        cairo_line_to(cr, 18, 2);
        cairo_move_to(cr, 32, 12);
        cairo_line_to(cr, 38, 2);
        cairo_stroke(cr);
        Ellipse(cr, 28, 28, 14, 16);
        Cartoon(cr, Hex(0x3ac83a), 3, 4);
        Ellipse(cr, 28, 14, 8, 6);
        Cartoon(cr, Hex(0x2a8a2a), 2.5);
        cairo_move_to(cr, 28, 14);
        cairo_line_to(cr, 28, 44);
        SetRgb(cr, kInk);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        SavePng(c, "artwork/bicho.png");
    }
}

void BolasPictures() {
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        Carpet(cr, 0, 768, Hex(0x6a7a5a), Hex(0x728462), Hex(0x627052), 808);
        // The row of desks at the top and the aisle below.
        cairo_rectangle(cr, 0, 0, 1024, 110);
        SetRgb(cr, Hex(0x9a8ab8));
        cairo_fill(cr);
        for (int k = 0; k < 3; ++k) {
            const double x = 256 + 256 * k;
            RoundRect(cr, x - 110, 150, 220, 70, 8);
            Cartoon(cr, Hex(0xb08050), 4, 5);
            RoundRect(cr, x - 40, 120, 80, 44, 4);
            Cartoon(cr, Hex(0x40404c), 3);
            // A heap of paper balls beside each desk.
            Rng rng(810 + k);
            for (int b = 0; b < 7; ++b) {
                Ellipse(cr, x + 80 + rng.Real(-14, 14), 236 + rng.Real(-6, 6), 9, 8);
                Cartoon(cr, Hex(0xf4f4ea), 2);
            }
        }
        cairo_rectangle(cr, 0, 470, 1024, 260);
        SetRgb(cr, Hex(0xc8b890));
        cairo_fill(cr);
        for (int i = 0; i < 16; ++i) {
            cairo_rectangle(cr, i * 64, 470, 2, 260);
            SetRgb(cr, Hex(0xa89870));
            cairo_fill(cr);
        }
        cairo_rectangle(cr, 0, 466, 1024, 6);
        cairo_rectangle(cr, 0, 728, 1024, 6);
        SetRgb(cr, kInk);
        cairo_fill(cr);
        SavePng(c, "artwork/fondo-bolas.png", true);
    }
    {
        Canvas c(28, 28);
        cairo_t* cr = c.cr();
        cairo_new_path(cr);
        for (int i = 0; i < 9; ++i) {
            const double a = i * 2 * 3.14159265 / 9, r = i % 2 ? 10.5 : 12.5;
            if (i == 0)
                cairo_move_to(cr, 14 + r * std::cos(a), 14 + r * std::sin(a));
            else
                cairo_line_to(cr, 14 + r * std::cos(a), 14 + r * std::sin(a));
        }
        cairo_close_path(cr);
        Cartoon(cr, Hex(0xf8f8ee), 2.5, 3);
        cairo_move_to(cr, 8, 12);
        cairo_line_to(cr, 15, 16);
        cairo_line_to(cr, 20, 9);
        SetRgb(cr, Hex(0xa0a0a0));
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        SavePng(c, "artwork/bola-papel.png");
    }
}
}  // namespace

void WriteGame678Pictures() {
    ApagonPictures();
    CompilandoPictures();
    BolasPictures();
}

}  // namespace assetgen
