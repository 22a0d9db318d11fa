// The squares of the board path and the roulette. Every kind has its own plate shape
// (start: rounded square with an arrow, finish: chequered square, minigames: round plates
// with their own icon, roll again: a diamond, death: a spiky star) as well as its own
// colour. A dark slot at the lower left carries the square's number.
#include "look.h"
#include "minigames/catalogo.h"
#include "roulette.h"
#include "tiles.h"

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

namespace assetgen {

namespace {
constexpr double CX = 64, CY = 58;

void PlateShadow(cairo_t* cr, auto&& path) {
    cairo_save(cr);
    cairo_translate(cr, 3, 5);
    path();
    SetRgb(cr, Hex(0x000000), 0.22);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Plate(cairo_t* cr, Rgb c, auto&& path) {
    PlateShadow(cr, path);
    path();
    Cartoon(cr, c, 3.0, 4.0);
    // Inner bevel ring.
    cairo_save(cr);
    path();
    cairo_clip(cr);
    path();
    cairo_set_line_width(cr, 9);
    SetRgb(cr, Tone(c, 1.25), 0.55);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void NumberSlot(cairo_t* cr) {
    RoundRect(cr, 6, 96, 46, 28, 7);
    SetRgb(cr, Hex(0x1c1830), 0.72);
    cairo_fill(cr);
}

void Round(cairo_t* cr, Rgb c) {
    Plate(cr, c, [&] { Ellipse(cr, CX, CY, 50, 50); });
}

void Heart(cairo_t* cr, double x, double y, double w, Rgb c) {
    HeartPath(cr, x, y, w);
    Cartoon(cr, c, 2.5, 3.0);
    Ellipse(cr, x - w * 0.22, y - w * 0.16, w * 0.08, w * 0.11);
    SetRgb(cr, Hex(0xffffff), 0.8);
    cairo_fill(cr);
}

void Skull(cairo_t* cr, double x, double y, double s) {
    Ellipse(cr, x, y - 4 * s, 22 * s, 20 * s);
    RoundRect(cr, x - 12 * s, y + 6 * s, 24 * s, 16 * s, 5 * s);
    Cartoon(cr, Hex(0xf4f0e6), 2.5);
    Ellipse(cr, x, y - 4 * s, 22 * s, 20 * s);
    SetRgb(cr, Hex(0xf4f0e6));
    cairo_fill(cr);
    for (int sgn : {-1, 1}) {
        Ellipse(cr, x + sgn * 8 * s, y - 2 * s, 6 * s, 7 * s);
        SetRgb(cr, Hex(0x2a1e2e));
        cairo_fill(cr);
    }
    StarPath(cr, x, y + 7 * s, 3, 3.5 * s, 3.5 * s, M_PI);
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.6);
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, x + i * 5 * s, y + 13 * s);
        cairo_line_to(cr, x + i * 5 * s, y + 21 * s);
    }
    cairo_stroke(cr);
}

void Die(cairo_t* cr, double x, double y, double s, double a) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, a);
    RoundRect(cr, -s, -s, 2 * s, 2 * s, s * 0.3);
    Cartoon(cr, Hex(0xfdfdf8), 2.5, 2.5);
    SetRgb(cr, Hex(0xc8282e));
    for (auto [px, py] : {std::pair{-0.5, -0.5}, {0.0, 0.0}, {0.5, 0.5}, {0.5, -0.5}, {-0.5, 0.5}}) {
        Ellipse(cr, px * s, py * s, s * 0.16, s * 0.16);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

void Keyboard(cairo_t* cr, double x, double y) {
    RoundRect(cr, x - 30, y - 12, 60, 26, 4);
    Cartoon(cr, Hex(0xeceff4), 2.5, 2.0);
    SetRgb(cr, Hex(0x8a90a0));
    for (int r = 0; r < 3; ++r)
        for (int k = 0; k < 8; ++k) {
            cairo_rectangle(cr, x - 26 + k * 6.6 + (r == 1 ? 2 : 0), y - 8 + r * 7, 5, 5);
        }
    cairo_fill(cr);
}

void Pickaxe(cairo_t* cr, double x, double y) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -0.6);
    RoundRect(cr, -3, -4, 6, 40, 3);
    Cartoon(cr, Hex(0xa0642a), 2.0);
    cairo_new_path(cr);
    cairo_move_to(cr, -24, 6);
    cairo_curve_to(cr, -12, -8, 12, -8, 24, 6);
    cairo_curve_to(cr, 10, -2, -10, -2, -24, 6);
    cairo_close_path(cr);
    Cartoon(cr, Hex(0xb8c0cc), 2.2, 1.5);
    cairo_restore(cr);
}

// One square: the floor, its plate, the number slot.
void Square(const std::string& name, const std::function<void(cairo_t*)>& plate) {
    Canvas c(128, 128);
    cairo_t* cr = c.cr();
    DrawFloor(cr);
    plate(cr);
    NumberSlot(cr);
    SavePng(c, "artwork/casilla-" + name + ".png", true);
}

struct Plato {
    const char* name;
    void (*draw)(cairo_t* cr);
};

// The board's own squares: start, finish, roll again, death.
const Plato kFixedSquares[] = {
    {"salida",
     [](cairo_t* cr) {
         Plate(cr, Hex(0x3cb44b), [&] { RoundRect(cr, 12, 8, 104, 100, 18); });
         cairo_new_path(cr);
         cairo_move_to(cr, 30, 56);
         cairo_line_to(cr, 66, 56);
         cairo_line_to(cr, 66, 40);
         cairo_line_to(cr, 98, 64);
         cairo_line_to(cr, 66, 88);
         cairo_line_to(cr, 66, 72);
         cairo_line_to(cr, 30, 72);
         cairo_close_path(cr);
         Cartoon(cr, Hex(0xffffff), 2.5, 2.0);
         OutlinedText(cr, "SALIDA", CX, 34, 20, Hex(0xffffff), 3.5, kInk, Align::Center);
     }},
    {"meta",
     [](cairo_t* cr) {
         auto path = [&] { RoundRect(cr, 10, 6, 108, 104, 10); };
         PlateShadow(cr, path);
         cairo_save(cr);
         path();
         cairo_clip(cr);
         for (int r = 0; r < 8; ++r)
             for (int k = 0; k < 8; ++k) {
                 cairo_rectangle(cr, 10 + k * 13.5, 6 + r * 13, 13.5, 13);
                 SetRgb(cr, (r + k) % 2 ? Hex(0x26232e) : Hex(0xf8f8f4));
                 cairo_fill(cr);
             }
         cairo_restore(cr);
         path();
         cairo_set_line_width(cr, 5);
         SetRgb(cr, Hex(0xe8b824));
         cairo_stroke_preserve(cr);
         cairo_set_line_width(cr, 2);
         SetRgb(cr, kInk);
         cairo_stroke(cr);
         RoundRect(cr, 16, 40, 96, 34, 8);
         Cartoon(cr, Hex(0xe8413c), 2.5, 2.0);
         OutlinedText(cr, "META", CX, 67, 28, Hex(0xffe04a), 4, kInk, Align::Center);
     }},
    {"dado",
     [](cairo_t* cr) {
         Plate(cr, Hex(0xffe04a), [&] { StarPath(cr, CX, CY, 4, 58, 58); });
         Die(cr, CX, CY, 20, 0.25);
         // Arrow going round: roll again.
         cairo_new_path(cr);
         cairo_set_line_width(cr, 4);
         cairo_arc(cr, CX, CY, 33, -2.4, 0.2);
         SetRgb(cr, Hex(0x3a7ae8));
         cairo_stroke(cr);
         StarPath(cr, CX + 33 * std::cos(0.2), CY + 33 * std::sin(0.2), 3, 8, 8, 3.3);
         SetRgb(cr, Hex(0x3a7ae8));
         cairo_fill(cr);
     }},
    {"muerte",
     [](cairo_t* cr) {
         Plate(cr, Hex(0x3a2a4a), [&] { StarPath(cr, CX, CY, 10, 56, 40); });
         Ellipse(cr, CX, CY, 34, 34);
         SetRgb(cr, Hex(0x9a3ad8), 0.45);
         cairo_fill(cr);
         Skull(cr, CX, CY - 2, 1.0);
     }},
};

// Each minigame's square plate by its catalogue id; the catalogue names the file.
const Plato kGameSquares[] = {
    {"acicalandose",
     [](cairo_t* cr) {
         Round(cr, Hex(0xff9cc4));
         Heart(cr, CX, CY + 2, 56, Hex(0xe8283c));
     }},
    {"no_te_mojes",
     [](cairo_t* cr) {
         Round(cr, Hex(0x9ad8ff));
         WaterDrop(cr, CX, CY, 64, Hex(0x2a7ae8));
     }},
    {"love_is_in_the_air",
     [](cairo_t* cr) {
         Round(cr, Hex(0xd0a0ff));
         cairo_new_path(cr);
         RoundRect(cr, CX - 32, CY - 26, 64, 44, 14);
         Cartoon(cr, Hex(0xffffff), 2.5, 2.0);
         cairo_new_path(cr);
         cairo_move_to(cr, CX - 16, CY + 14);
         cairo_line_to(cr, CX - 24, CY + 30);
         cairo_line_to(cr, CX - 4, CY + 17);
         cairo_close_path(cr);
         Cartoon(cr, Hex(0xffffff), 2.5);
         RoundRect(cr, CX - 30, CY - 24, 60, 40, 13);
         SetRgb(cr, Hex(0xffffff));
         cairo_fill(cr);
         Heart(cr, CX, CY - 4, 28, Hex(0xe8283c));
     }},
    {"escondite_coder",
     [](cairo_t* cr) {
         Round(cr, Hex(0xffb45a));
         Keyboard(cr, CX, CY + 12);
         Pickaxe(cr, CX + 4, CY - 16);
     }},
    {"lanzamiento_cds",
     [](cairo_t* cr) {
         Round(cr, Hex(0x6ad8c8));
         cairo_save(cr);
         cairo_translate(cr, CX, CY);
         DrawDisc(cr, 34);
         cairo_restore(cr);
     }},
    {"apagon",
     [](cairo_t* cr) {
         Round(cr, Hex(0x2a2e4a));
         // A torch and its beam.
         cairo_new_path(cr);
         cairo_move_to(cr, CX - 6, CY + 4);
         cairo_line_to(cr, CX + 34, CY - 30);
         cairo_line_to(cr, CX + 40, CY - 8);
         cairo_close_path(cr);
         SetRgb(cr, Hex(0xfff0a0), 0.8);
         cairo_fill(cr);
         cairo_save(cr);
         cairo_translate(cr, CX - 8, CY + 6);
         cairo_rotate(cr, -0.45);
         RoundRect(cr, -30, -8, 34, 16, 4);
         Cartoon(cr, Hex(0xe8413c), 2.5, 2.0);
         RoundRect(cr, 2, -11, 10, 22, 3);
         Cartoon(cr, Hex(0xd0d0d8), 2.5);
         cairo_restore(cr);
     }},
    {"compilando",
     [](cairo_t* cr) {
         Round(cr, Hex(0x8ae86a));
         RoundRect(cr, CX - 34, CY - 26, 68, 46, 6);
         Cartoon(cr, Hex(0x30303a), 2.5, 2.0);
         cairo_rectangle(cr, CX - 26, CY - 2, 36, 10);
         SetRgb(cr, Hex(0x3ae86a));
         cairo_fill(cr);
         cairo_rectangle(cr, CX - 26, CY - 2, 52, 10);
         SetRgb(cr, Hex(0xffffff));
         cairo_set_line_width(cr, 2);
         cairo_stroke(cr);
         OutlinedText(cr, "...", CX, CY - 8, 18, Hex(0xffffff), 2, kInk, Align::Center);
     }},
    {"guerra_bolas_papel",
     [](cairo_t* cr) {
         Round(cr, Hex(0xe8d0a0));
         for (int b = 0; b < 3; ++b) {
             Ellipse(cr, CX - 18 + b * 18, CY + 8 - (b % 2) * 22, 13, 12);
             Cartoon(cr, Hex(0xf8f8ee), 2.5, 2.0);
         }
     }},
};
}  // namespace

void WriteSquareTiles() {
    for (const Plato& p : kFixedSquares) Square(p.name, p.draw);
    static constexpr auto kCatalogue = fichas::casillasDelCatalogo();
    for (const fichas::TCasillaCatalogo& f : kCatalogue) {
        const Plato* plato = nullptr;
        for (const Plato& p : kGameSquares)
            if (std::string(p.name) == f.id) plato = &p;
        if (!plato) throw std::runtime_error(std::string("no square drawn for the minigame ") + f.id);
        Square(f.casilla, plato->draw);
    }
}

void WriteRoulette() {
    const double S = kRouletteSize, C = S / 2, R = C - 12;
    {
        Canvas c(kRouletteSize, kRouletteSize);
        cairo_t* cr = c.cr();
        Ellipse(cr, C + 4, C + 7, R, R);
        SetRgb(cr, Hex(0x000000), 0.3);
        cairo_fill(cr);
        Ellipse(cr, C, C, R, R);
        Cartoon(cr, Hex(0x3a2a4a), 5);
        for (int n = 0; n < 6; ++n) {
            // Number n + 1 centred at 60 n degrees clockwise from the top.
            double mid = -M_PI / 2 + n * M_PI / 3;
            cairo_new_path(cr);
            cairo_move_to(cr, C, C);
            cairo_arc(cr, C, C, R - 22, mid - M_PI / 6, mid + M_PI / 6);
            cairo_close_path(cr);
            Cartoon(cr, Hex(kRouletteColours[n]), 4, 6);
            cairo_save(cr);
            cairo_translate(cr, C, C);
            cairo_rotate(cr, n * M_PI / 3);
            OutlinedText(cr, std::to_string(n + 1), 0, -88, 80, Hex(0xffffff), 8, kInk, Align::Center);
            cairo_restore(cr);
        }
        // Light bulbs round the rim.
        for (int i = 0; i < 24; ++i) {
            double a = i * M_PI / 12;
            Ellipse(cr, C + (R - 11) * std::sin(a), C - (R - 11) * std::cos(a), 5.5, 5.5);
            Cartoon(cr, i % 2 ? Hex(0xfff4a0) : Hex(0xffffff), 2);
        }
        SavePng(c, "artwork/ruleta-de-la-muerte.png");
    }
    Canvas c(kRouletteSize, kRouletteSize);
    cairo_t* cr = c.cr();
    // The pointer at the top, its tip over the numbers.
    double tip = C - kMarkerTipRadius;
    cairo_new_path(cr);
    cairo_move_to(cr, C, tip);
    cairo_line_to(cr, C - 42, 8);
    cairo_curve_to(cr, C - 22, 0, C + 22, 0, C + 42, 8);
    cairo_close_path(cr);
    PlateShadow(cr, [&] {
        cairo_move_to(cr, C, tip);
        cairo_line_to(cr, C - 42, 8);
        cairo_line_to(cr, C + 42, 8);
        cairo_close_path(cr);
    });
    cairo_move_to(cr, C, tip);
    cairo_line_to(cr, C - 42, 8);
    cairo_curve_to(cr, C - 22, 0, C + 22, 0, C + 42, 8);
    cairo_close_path(cr);
    Cartoon(cr, Hex(0xe8283c), 4, 4);
    Ellipse(cr, C, 22, 10, 10);
    Cartoon(cr, Hex(0xffe04a), 2.5);
    // The hub, which stays still while the wheel turns.
    Ellipse(cr, C, C, 46, 46);
    Cartoon(cr, Hex(0xe8b824), 5, 6);
    StarPath(cr, C, C, 5, 28, 12);
    Cartoon(cr, Hex(0xe8283c), 3);
    SavePng(c, "artwork/ruleta-de-la-muerte-marcador.png");
}

}  // namespace assetgen
