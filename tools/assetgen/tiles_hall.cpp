// The hall around the board path, 128 x 128 tiles seen from above: plain floor, three
// floor decorations, eight tables of PCs, the two three-piece decorations (buffet table
// and sleeping area) and four wall pieces. Neighbouring tiles join without seams: tables
// and walls run from edge to edge, the floor grid repeats every tile.
#include "tiles.h"

#include <cmath>
#include <string>

namespace assetgen {

namespace {
constexpr double T = 128;

void Shadow(cairo_t* cr, double x, double y, double w, double h, double r) {
    RoundRect(cr, x + 3, y + 4, w, h, r);
    SetRgb(cr, Hex(0x000000), 0.18);
    cairo_fill(cr);
}

void Monitor(cairo_t* cr, double cx, double cy, bool facingUp, Rgb screen, Rng& rng) {
    // Seen from above: a thin dark slab with the lit screen glowing on the table.
    double dir = facingUp ? -1 : 1;
    RoundRect(cr, cx - 20, cy - 3, 40, 6, 2);
    Cartoon(cr, Hex(0x2c2f36), 1.5);
    // Glow of the screen on the desk in front of it.
    cairo_pattern_t* g = cairo_pattern_create_linear(cx, cy, cx, cy + dir * 14);
    cairo_pattern_add_color_stop_rgba(g, 0, screen.r, screen.g, screen.b, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 1, screen.r, screen.g, screen.b, 0.0);
    cairo_rectangle(cr, cx - 18, facingUp ? cy - 17 : cy + 3, 36, 14);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Keyboard and mouse.
    double ky = cy + dir * 19;
    RoundRect(cr, cx - 14, ky - 4, 28, 8, 2);
    Cartoon(cr, Hex(0xe4e4e0), 1.2);
    for (int i = 0; i < 6; ++i) {
        cairo_rectangle(cr, cx - 12 + i * 4.2, ky - 2, 3, 1.4);
        cairo_rectangle(cr, cx - 12 + i * 4.2, ky + 0.8, 3, 1.4);
    }
    SetRgb(cr, Hex(0xa0a0a8));
    cairo_fill(cr);
    Ellipse(cr, cx + 20, ky + rng.Real(-1, 1), 2.6, 3.6);
    Cartoon(cr, Hex(0x55585f), 1.0);
}

void Chair(cairo_t* cr, double cx, double cy, Rgb c) {
    Ellipse(cr, cx, cy, 11, 10);
    Cartoon(cr, c, 1.6, 1.5);
    RoundRect(cr, cx - 10, cy + (cy < T / 2 ? -12 : 8), 20, 5, 2);
    Cartoon(cr, Tone(c, 0.8), 1.4);
}

void Can(cairo_t* cr, double x, double y, Rgb c) {
    Ellipse(cr, x, y, 3.6, 3.6);
    Cartoon(cr, c, 1.0);
    Ellipse(cr, x, y, 1.6, 1.6);
    SetRgb(cr, Hex(0xd8d8d8));
    cairo_fill(cr);
}

void PizzaSlice(cairo_t* cr, double x, double y, double a) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, a);
    cairo_move_to(cr, 0, -8);
    cairo_line_to(cr, 7, 7);
    cairo_curve_to(cr, 3, 9, -3, 9, -7, 7);
    cairo_close_path(cr);
    Cartoon(cr, Hex(0xf4c542), 1.2);
    for (auto [px, py] : {std::pair{0.0, 0.0}, {-2.5, 4.0}, {2.8, 4.5}}) {
        Ellipse(cr, px, py, 1.5, 1.5);
        SetRgb(cr, Hex(0xc8342a));
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// One of the eight tables: a long table across the tile with two PCs on each side.
void Table(cairo_t* cr, int n) {
    Rng rng(1000 + n);
    const Rgb chairs[4] = {Hex(0x3a5a9a), Hex(0x9a3a3a), Hex(0x3a3a3a), Hex(0x4a7a4a)};
    Rgb chair = chairs[n % 4];
    for (double x : {32.0, 96.0}) {
        if (n != 5 || x < 64) Chair(cr, x + rng.Real(-4, 4), 14, chair);
        if (n != 2 || x > 64) Chair(cr, x + rng.Real(-4, 4), 114, chair);
    }
    // Table top, edge to edge.
    cairo_rectangle(cr, 0, 36, T, 60);
    SetRgb(cr, Hex(0x000000), 0.15);
    cairo_fill(cr);
    cairo_rectangle(cr, -2, 32, T + 4, 60);
    Cartoon(cr, Hex(0xe9dcc2), 2.0);
    cairo_rectangle(cr, 0, 33, T, 4);
    SetRgb(cr, Hex(0xf6eedc));
    cairo_fill(cr);
    const Rgb screens[] = {Hex(0x4aa8ff), Hex(0x7cff6a), Hex(0xffb84a), Hex(0xff6ad2),
                           Hex(0x8affff), Hex(0xffffff)};
    for (double x : {32.0, 96.0}) {
        bool off = (n == 3 && x > 64) || (n == 6 && x < 64);
        Monitor(cr, x, 56, true, off ? Hex(0x202020) : screens[rng.Int(0, 5)], rng);
        Monitor(cr, x, 68, false, screens[rng.Int(0, 5)], rng);
    }
    // Cables between the monitors.
    cairo_set_line_width(cr, 1.4);
    SetRgb(cr, Hex(0x30323a));
    cairo_move_to(cr, 0, 62);
    cairo_curve_to(cr, 30, 58, 40, 66, 64, 62);
    cairo_curve_to(cr, 88, 58, 100, 66, 128, 62);
    cairo_stroke(cr);
    // What sets each table apart.
    switch (n) {
    case 0: Can(cr, 60, 44, Hex(0x2ad04a)); Can(cr, 66, 84, Hex(0x2a6ad0)); break;
    case 1: PizzaSlice(cr, 62, 82, 0.4); Can(cr, 10, 44, Hex(0xd02a2a)); break;
    case 2: {  // somebody asleep on the keyboard
        Ellipse(cr, 34, 96, 12, 9);
        Cartoon(cr, Hex(0x6a3a2a), 1.6, 1.5);
        Text(cr, "z", 50, 104, 12, Hex(0x2a2a8a));
        Text(cr, "Z", 56, 96, 16, Hex(0x2a2a8a));
        break;
    }
    case 3: Can(cr, 100, 44, Hex(0xf2d21a)); Can(cr, 108, 46, Hex(0xf2d21a)); break;
    case 4: {  // a pizza box
        RoundRect(cr, 44, 70, 40, 22, 2);
        Cartoon(cr, Hex(0xd8b078), 1.4);
        Text(cr, "PIZZA", 50, 86, 10, Hex(0xb0302a));
        break;
    }
    case 5: PizzaSlice(cr, 100, 44, -0.6); break;
    case 6: {  // a laptop
        RoundRect(cr, 10, 72, 26, 18, 2);
        Cartoon(cr, Hex(0xb8bcc6), 1.4);
        Can(cr, 60, 84, Hex(0xff7a1a));
        break;
    }
    default: {  // a plushie
        Ellipse(cr, 62, 44, 6, 5);
        Cartoon(cr, Hex(0xf0a0c0), 1.2);
        Ellipse(cr, 58, 40, 2, 2);
        Ellipse(cr, 66, 40, 2, 2);
        Cartoon(cr, Hex(0xf0a0c0), 1.0);
        break;
    }
    }
}

void FloorDecoration(cairo_t* cr, int n) {
    if (n == 0) {  // an open pizza box, left lying askew, a slice gone
        // Tilted, with its lid standing open and a crust beside it, so that it reads as
        // litter on the floor and never as one more square of the board (those are
        // upright, round-cornered and centred).
        cairo_save(cr);
        cairo_translate(cr, 60, 70);
        cairo_rotate(cr, -0.38);
        cairo_rectangle(cr, -30 + 3, -6 + 4, 60, 44);  // shadow of the base
        SetRgb(cr, Hex(0x000000), 0.18);
        cairo_fill(cr);
        cairo_move_to(cr, -30, -6);  // the lid, folded back and seen from inside
        cairo_line_to(cr, 30, -6);
        cairo_line_to(cr, 24, -34);
        cairo_line_to(cr, -24, -34);
        cairo_close_path(cr);
        Cartoon(cr, Hex(0xefd4a4), 1.8);
        Ellipse(cr, 8, -20, 5, 3);  // a grease spot
        SetRgb(cr, Hex(0xc89a5a), 0.7);
        cairo_fill(cr);
        cairo_rectangle(cr, -30, -6, 60, 44);  // the base
        Cartoon(cr, Hex(0xc9a068), 2.0);
        // The pizza with one slice gone: a disc missing a wedge.
        cairo_move_to(cr, 0, 16);
        cairo_arc(cr, 0, 16, 19, 0.35, 2 * M_PI - 0.45);
        cairo_close_path(cr);
        Cartoon(cr, Hex(0xe8a94a), 1.6);
        for (auto [px, py] : {std::pair{-8.0, 10.0}, {-4.0, 24.0}, {6.0, 2.0}, {-12.0, 20.0}}) {
            Ellipse(cr, px, py, 2.4, 2.4);
            SetRgb(cr, Hex(0xc8342a));
            cairo_fill(cr);
        }
        cairo_restore(cr);
        PizzaSlice(cr, 104, 96, 2.2);  // the missing slice, dropped on the floor
    } else if (n == 1) {  // cables and a power strip
        cairo_set_line_width(cr, 3);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        const Rgb cols[3] = {Hex(0x22252c), Hex(0xf2f2f2), Hex(0x2a66c8)};
        for (int i = 0; i < 3; ++i) {
            SetRgb(cr, cols[i]);
            cairo_move_to(cr, 0, 40 + i * 16);
            cairo_curve_to(cr, 40, 20 + i * 30, 60, 100 - i * 20, 90, 70);
            cairo_stroke(cr);
        }
        Shadow(cr, 78, 60, 40, 16, 3);
        RoundRect(cr, 78, 60, 40, 16, 3);
        Cartoon(cr, Hex(0xf4f4ee), 1.6);
        for (int i = 0; i < 4; ++i) {
            Ellipse(cr, 84 + i * 9, 68, 2.2, 2.2);
            SetRgb(cr, Hex(0x555555));
            cairo_fill(cr);
        }
        Ellipse(cr, 112, 64, 1.6, 1.6);
        SetRgb(cr, Hex(0xff3a2a));
        cairo_fill(cr);
    } else {  // energy drink cans and crumpled paper
        for (auto [x, y, c] : {std::tuple{40.0, 50.0, 0x2ad04aU}, {70.0, 40.0, 0xf2d21aU},
                               {60.0, 78.0, 0x2ad04aU}}) {
            Ellipse(cr, x + 2, y + 3, 8, 8);
            SetRgb(cr, Hex(0x000000), 0.15);
            cairo_fill(cr);
            Ellipse(cr, x, y, 8, 8);
            Cartoon(cr, Hex(c), 1.6, 1.2);
            Ellipse(cr, x, y, 3.5, 3.5);
            SetRgb(cr, Hex(0xcfcfcf));
            cairo_fill(cr);
        }
        // A can lying on its side.
        RoundRect(cr, 78, 76, 28, 13, 5);
        Cartoon(cr, Hex(0x2a6ad0), 1.6, 1.0);
        StarPath(cr, 96, 46, 7, 9, 6, 0.3);
        Cartoon(cr, Hex(0xf8f8f0), 1.4, 1.0);
    }
}

void Wall(cairo_t* cr, int n) {
    // Top of the wall, then its face toward the viewer, a skirting board and a shadow.
    cairo_rectangle(cr, 0, 96, T, 10);
    SetRgb(cr, Hex(0x000000), 0.22);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 22, T, 16);
    SetRgb(cr, Hex(0x5a5f6e));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 38, T, 56);
    SetRgb(cr, Hex(0xbfc6d6));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 38, T, 4);
    SetRgb(cr, Hex(0x9aa2b4));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 88, T, 8);
    SetRgb(cr, Hex(0x4a4f5c));
    cairo_fill(cr);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, kInk);
    for (double y : {22.0, 38.0, 96.0}) {
        cairo_move_to(cr, 0, y);
        cairo_line_to(cr, T, y);
    }
    cairo_stroke(cr);
    // Panel seams, repeating every tile.
    cairo_set_line_width(cr, 1);
    SetRgb(cr, Hex(0xa6aec0));
    cairo_move_to(cr, 0.5, 42);
    cairo_line_to(cr, 0.5, 88);
    cairo_move_to(cr, 64.5, 42);
    cairo_line_to(cr, 64.5, 88);
    cairo_stroke(cr);
    switch (n) {
    case 0: {  // a poster
        RoundRect(cr, 38, 44, 52, 38, 2);
        Cartoon(cr, Hex(0x2a2a4a), 1.6);
        StarPath(cr, 64, 58, 5, 9, 4);
        SetRgb(cr, Hex(0xffd23f));
        cairo_fill(cr);
        Text(cr, "PARTY!", 64, 78, 11, Hex(0xff5aa0), Align::Center);
        break;
    }
    case 1: {  // a window onto the night
        RoundRect(cr, 30, 44, 68, 36, 2);
        Cartoon(cr, Hex(0x1c2a5a), 2.0);
        Ellipse(cr, 80, 54, 5, 5);
        SetRgb(cr, Hex(0xfff4c0));
        cairo_fill(cr);
        for (auto [x, y] : {std::pair{40.0, 52.0}, {52.0, 62.0}, {46.0, 72.0}, {66.0, 50.0}}) {
            Ellipse(cr, x, y, 1, 1);
            cairo_fill(cr);
        }
        cairo_set_line_width(cr, 2);
        SetRgb(cr, kInk);
        cairo_move_to(cr, 64, 44);
        cairo_line_to(cr, 64, 80);
        cairo_stroke(cr);
        break;
    }
    case 2: {  // fire extinguisher and exit sign
        RoundRect(cr, 20, 54, 12, 30, 4);
        Cartoon(cr, Hex(0xd8281e), 1.6, 1.0);
        RoundRect(cr, 70, 46, 44, 16, 2);
        Cartoon(cr, Hex(0x1e9a4a), 1.4);
        Text(cr, "SALIDA", 92, 58, 10, Hex(0xffffff), Align::Center);
        break;
    }
    default: {  // a clock and a vent
        Ellipse(cr, 40, 62, 13, 13);
        Cartoon(cr, Hex(0xf8f8f0), 1.8);
        cairo_set_line_width(cr, 1.6);
        SetRgb(cr, kInk);
        cairo_move_to(cr, 40, 62);
        cairo_line_to(cr, 40, 53);
        cairo_move_to(cr, 40, 62);
        cairo_line_to(cr, 47, 64);
        cairo_stroke(cr);
        RoundRect(cr, 80, 50, 30, 22, 2);
        Cartoon(cr, Hex(0xa0a6b4), 1.4);
        for (int i = 0; i < 4; ++i) {
            cairo_rectangle(cr, 83, 54 + i * 4.5, 24, 2);
        }
        SetRgb(cr, Hex(0x5a5f6e));
        cairo_fill(cr);
        break;
    }
    }
}

// Buffet table (kind 0) or sleeping area (kind 1); piece 0 left, 1 middle, 2 right.
void ThreePiece(cairo_t* cr, int kind, int piece) {
    double x0 = piece == 0 ? 14 : -40, x1 = piece == 2 ? T - 14 : T + 40;
    if (kind == 0) {
        cairo_rectangle(cr, x0 + 3, 40, x1 - x0, 56);
        SetRgb(cr, Hex(0x000000), 0.16);
        cairo_fill(cr);
        RoundRect(cr, x0, 34, x1 - x0, 56, 6);
        Cartoon(cr, Hex(0xf8f4ec), 2.0);
        cairo_rectangle(cr, x0, 80, x1 - x0, 10);
        SetRgb(cr, Hex(0xd84a4a));
        cairo_fill(cr);
        if (piece == 0) {
            for (int i = 0; i < 3; ++i) Can(cr, 36 + i * 12, 50, Hex(i == 1 ? 0xf2d21a : 0x2ad04a));
            PizzaSlice(cr, 90, 60, 0.5);
        } else if (piece == 1) {
            Ellipse(cr, 64, 60, 24, 20);
            Cartoon(cr, Hex(0xe8a94a), 1.6);
            for (int i = 0; i < 6; ++i) PizzaSlice(cr, 64 + 11 * std::sin(i), 60 + 9 * std::cos(i), i);
        } else {
            RoundRect(cr, 20, 44, 36, 28, 3);
            Cartoon(cr, Hex(0xd9b27a), 1.4);
            Text(cr, "PIZZA", 38, 62, 10, Hex(0xb0302a), Align::Center);
            for (int i = 0; i < 3; ++i) Can(cr, 70 + i * 12, 52, Hex(0x2a6ad0));
        }
        return;
    }
    // A rug with sleeping bags on it.
    RoundRect(cr, x0, 14, x1 - x0, 100, 14);
    Cartoon(cr, Hex(0x8a6ab0), 2.0);
    const Rgb bags[3] = {Hex(0x3a8ad0), Hex(0xe07a2a), Hex(0x4ab04a)};
    for (int i = 0; i < 2; ++i) {
        double cx = (piece == 0 ? 48 : piece == 2 ? 36 : 34) + i * 52;
        if (cx > x1 - 16) continue;
        RoundRect(cr, cx - 16, 30, 32, 74, 14);
        Cartoon(cr, bags[(piece + i) % 3], 1.8, 2.0);
        Ellipse(cr, cx, 36, 9, 8);
        Cartoon(cr, Hex(0xf2c29b), 1.4);
        Ellipse(cr, cx, 32, 9, 5);
        SetRgb(cr, Hex(0x4a2c17));
        cairo_fill(cr);
    }
    if (piece == 1) Text(cr, "zZz", 90, 30, 14, Hex(0xffffff));
}
}  // namespace

void DrawFloor(cairo_t* cr) {
    // Light linoleum in big squares; a seam on the top and left edges only, so that the
    // grid is the same across neighbouring tiles.
    cairo_rectangle(cr, 0, 0, T, T);
    SetRgb(cr, Hex(0xd6cfbf));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, T / 2, T / 2);
    cairo_rectangle(cr, T / 2, T / 2, T / 2, T / 2);
    SetRgb(cr, Hex(0xcdc5b3));
    cairo_fill(cr);
    Rng rng(77);
    for (int i = 0; i < 60; ++i) {
        Ellipse(cr, rng.Real(4, T - 4), rng.Real(4, T - 4), rng.Real(0.6, 1.4), rng.Real(0.6, 1.4));
        SetRgb(cr, Hex(0xa89f8a), 0.5);
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Hex(0xb7ae99));
    cairo_move_to(cr, 0, 1);
    cairo_line_to(cr, T, 1);
    cairo_move_to(cr, 1, 0);
    cairo_line_to(cr, 1, T);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 0, T / 2 + 0.5);
    cairo_line_to(cr, T, T / 2 + 0.5);
    cairo_move_to(cr, T / 2 + 0.5, 0);
    cairo_line_to(cr, T / 2 + 0.5, T);
    cairo_stroke(cr);
}

void WriteHallTiles() {
    auto tile = [](const std::string& name, auto&& draw) {
        Canvas c(128, 128);
        DrawFloor(c.cr());
        draw(c.cr());
        SavePng(c, "artwork/" + name + ".png", true);
    };
    tile("casilla-normal", [](cairo_t*) {});
    for (int i = 0; i < 3; ++i)
        tile("casilla-chorra-" + std::to_string(i + 1), [i](cairo_t* cr) { FloorDecoration(cr, i); });
    for (int i = 0; i < 8; ++i)
        tile("casilla-mesa-" + std::to_string(i + 1), [i](cairo_t* cr) { Table(cr, i); });
    for (int k = 0; k < 2; ++k)
        for (int p = 0; p < 3; ++p)
            tile(std::string(k == 0 ? "casilla-de-" : "casilla-sl-") + std::to_string(p + 1),
                 [k, p](cairo_t* cr) { ThreePiece(cr, k, p); });
    for (int i = 0; i < 4; ++i)
        tile("casilla-pared-" + std::to_string(i + 1), [i](cairo_t* cr) { Wall(cr, i); });
}

}  // namespace assetgen
