// The intro: five logo cards of made-up studios and sponsors (JPEG), three story
// pictures, the four portraits and the presentation background that scrolls down and
// repeats every 768 units.
#include "scenes.h"

#include <array>
#include <cmath>
#include <string>

namespace assetgen {

namespace {
void Gradient(cairo_t* cr, int w, int h, Rgb a, Rgb b) {
    cairo_pattern_t* g = cairo_pattern_create_radial(w / 2.0, h / 2.0, 50, w / 2.0, h / 2.0, w * 0.7);
    cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(g, 1, b.r, b.g, b.b);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The logo cards. Their darkest colours stay well above black: JPEG pictures are loaded
// with the mask flag, and pure black would turn transparent.
void LogoCards() {
    {  // The studio that presents the game: drawn centred on a black screen.
        Canvas c(800, 500);
        cairo_t* cr = c.cr();
        Gradient(cr, 800, 500, Hex(0x2e2a48), Hex(0x17162a));
        for (int i = 0; i < 4; ++i) {
            RoundRect(cr, 170 + i * 120, 110, 100, 150, 18);
            Cartoon(cr, Hex(std::array<uint32_t, 4>{0xe8413c, 0xf2d43a, 0x4cbf4a, 0x3f8ef0}[i]), 6, 8);
            OutlinedText(cr, std::string(1, "7341"[i]), 220 + i * 120, 222, 110, Hex(0xffffff), 10,
                         kInk, Align::Center);
        }
        Text(cr, "7341 ESTUDIOS", 400, 345, 54, Hex(0xf4f0e6), Align::Center);
        Text(cr, "presenta", 400, 405, 32, Hex(0xb8b0d8), Align::Center);
        SaveJpeg(c, "artwork/7341logos.jpg");
    }
    struct Card {
        const char* file;
        const char* name;
        const char* tag;
        uint32_t bg1, bg2, mark;
        int shape;
    };
    const Card cards[4] = {
        {"artwork/trep-logo.jpg", "TREP", "juegos con mucha trepa", 0xfff4dc, 0xf2c48a, 0xe8413c, 0},
        {"artwork/fustel-logo.jpg", "FUSTEL", "bebida energética oficial", 0x2a3a2a, 0x162016, 0x7aff3a, 1},
        {"artwork/mirelo-logo.jpg", "MIRELO NET", "la red que no se cae (casi nunca)", 0xdff0ff, 0x8ac4f0, 0x2a5ad0, 2},
        {"artwork/sondo-logo.jpg", "SONDO", "sonido que retumba", 0x3a1e4a, 0x1a0e24, 0xff7ad0, 3},
    };
    for (const Card& k : cards) {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        Gradient(cr, 1024, 768, Hex(k.bg1), Hex(k.bg2));
        bool dark = (k.bg1 & 0xff) < 0x80;
        Rgb ink = dark ? Hex(0xf4f0e6) : Hex(0x2a2238);
        Rgb mark = Hex(k.mark);
        cairo_save(cr);
        cairo_translate(cr, 512, 300);
        switch (k.shape) {
        case 0:  // a ladder climbing a hill
            cairo_move_to(cr, -170, 90);
            cairo_curve_to(cr, -60, -40, 60, -40, 170, 90);
            cairo_close_path(cr);
            Cartoon(cr, mark, 8, 10);
            // Steps rising from just above the mound's top (which lies at y = -7.5),
            // never across its outline.
            for (int i = 0; i < 5; ++i) {
                RoundRect(cr, -40 + i * 18, -30 - i * 34, 60, 10, 4);
                Cartoon(cr, Hex(0xffd23f), 5);
            }
            break;
        case 1:  // a can with a lightning bolt
            RoundRect(cr, -70, -130, 140, 230, 30);
            Cartoon(cr, Hex(0x2a2a30), 8, 10);
            cairo_move_to(cr, 10, -100);
            cairo_line_to(cr, -40, 0);
            cairo_line_to(cr, 0, 0);
            cairo_line_to(cr, -20, 80);
            cairo_line_to(cr, 45, -20);
            cairo_line_to(cr, 5, -20);
            cairo_line_to(cr, 30, -100);
            cairo_close_path(cr);
            Cartoon(cr, mark, 6);
            break;
        case 2:  // network of nodes
            cairo_set_line_width(cr, 12);
            SetRgb(cr, mark);
            for (int i = 0; i < 6; ++i) {
                double a = i * M_PI / 3;
                cairo_move_to(cr, 0, 0);
                cairo_line_to(cr, 120 * std::cos(a), 120 * std::sin(a));
            }
            cairo_stroke(cr);
            for (int i = 0; i < 6; ++i) {
                double a = i * M_PI / 3;
                Ellipse(cr, 120 * std::cos(a), 120 * std::sin(a), 30, 30);
                Cartoon(cr, Hex(0xffffff), 8);
            }
            Ellipse(cr, 0, 0, 50, 50);
            Cartoon(cr, mark, 8, 8);
            break;
        default:  // a speaker with waves
            RoundRect(cr, -150, -80, 120, 160, 20);
            Cartoon(cr, Hex(0x2a2030), 8);
            Ellipse(cr, -90, 0, 42, 42);
            Cartoon(cr, mark, 7, 8);
            cairo_set_line_width(cr, 14);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            SetRgb(cr, mark);
            for (int i = 0; i < 3; ++i) {
                cairo_new_path(cr);
                cairo_arc(cr, -30, 0, 60 + i * 45, -0.7, 0.7);
                cairo_stroke(cr);
            }
            break;
        }
        cairo_restore(cr);
        Text(cr, k.name, 512, 540, 110, ink, Align::Center);
        Text(cr, k.tag, 512, 600, 36, Mix(ink, Hex(k.mark), 0.5), Align::Center);
        Text(cr, "patrocinador oficial", 512, 700, 26, Mix(ink, Hex(k.bg2), 0.4), Align::Center);
        SaveJpeg(c, k.file);
    }
}

void Caption(cairo_t* cr, const std::string& a, const std::string& b) {
    TextPanel(cr, 60, 596, 904, 140, 0.9);
    Text(cr, a, 512, 652, 38, Hex(0x2a2238), Align::Center);
    Text(cr, b, 512, 706, 32, Hex(0x407fff), Align::Center);
}

void StoryPictures() {
    {
        Canvas c(1024, 768);
        HallBackdrop(c.cr(), 1024, 768, 21, 0.2);
        Caption(c.cr(), "Mil ordenadores, cuatro días sin dormir...", "¡Empieza la party informática!");
        SavePng(c, "artwork/intro-1.png", true);
    }
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        HallBackdrop(cr, 1024, 768, 22, 0.5);
        const char* names[4] = {"Tarsun", "Er_Varsen", "Quelbido", "Pexil"};
        for (int i = 0; i < 4; ++i) {
            double x = 170 + i * 228;
            StandingFigure(cr, Looks()[i], Pose(i % 2 ? 8 : 1, 0), x, 520, 4.4);
            OutlinedText(cr, names[i], x, 570, 36, NameColour(i), 7, Hex(0xffffff), Align::Center);
        }
        Caption(cr, "Cuatro colegas programadores...", "...y una sola plaza en la final.");
        SavePng(c, "artwork/intro-2.png", true);
    }
    {
        Canvas c(1024, 768);
        cairo_t* cr = c.cr();
        HallBackdrop(cr, 1024, 768, 23, 0.7, false);
        // A trophy in the middle, the four around it. The banner goes up after the
        // trophy's glow, so the glow stays behind the sign.
        cairo_save(cr);
        cairo_translate(cr, 512, 330);
        StarPath(cr, 0, -40, 16, 250, 190);
        SetRgb(cr, Hex(0xffe04a), 0.25);
        cairo_fill(cr);
        cairo_restore(cr);
        HallBanner(cr, 1024, 0.7);
        cairo_save(cr);
        cairo_translate(cr, 512, 330);
        cairo_move_to(cr, -90, -160);
        cairo_line_to(cr, 90, -160);
        cairo_curve_to(cr, 90, -40, 40, 0, 14, 10);
        cairo_line_to(cr, 14, 60);
        cairo_line_to(cr, 60, 90);
        cairo_line_to(cr, -60, 90);
        cairo_line_to(cr, -14, 60);
        cairo_line_to(cr, -14, 10);
        cairo_curve_to(cr, -40, 0, -90, -40, -90, -160);
        cairo_close_path(cr);
        Cartoon(cr, Hex(0xf2c230), 7, 10);
        for (int s : {-1, 1}) {
            cairo_new_path(cr);
            cairo_arc(cr, s * 92, -110, 36, s > 0 ? -1.6 : 1.6, s > 0 ? 1.6 : 4.7);
            cairo_set_line_width(cr, 18);
            SetRgb(cr, kInk);
            cairo_stroke_preserve(cr);
            cairo_set_line_width(cr, 9);
            SetRgb(cr, Hex(0xf2c230));
            cairo_stroke(cr);
        }
        cairo_restore(cr);
        const double xs[4] = {130, 300, 724, 894};
        for (int i = 0; i < 4; ++i) StandingFigure(cr, Looks()[i], Pose(i < 2 ? 7 : 2, 0), xs[i], 560, 3.6);
        Caption(cr, "Un tablero, cinco minijuegos y ninguna piedad.", "¡Que gane el más friki!");
        SavePng(c, "artwork/intro-3.png", true);
    }
}

// The portraits glide over the dark blue presentation background, and are not always at
// the bottom of the screen: each bust wears a pale cut-out border (so dark hair and beards
// stand out against the navy) and fades out at the bottom instead of ending in a straight
// cut, with both hands held up clear of the fade.
void Portraits() {
    const char* files[4] = {"tarsun", "ervarsen", "quelbido", "pexil"};
    constexpr int kW = 320, kH = 420;
    constexpr double kBorder = 6, kFadeFrom = 330;
    for (int i = 0; i < 4; ++i) {
        Canvas figure(kW, kH);
        // Upper body, head near the top, the picture cut at the thighs.
        PoseParams p;
        p.headPart = Part::HeadHappy;
        p.armA = {24, 136};  // a fist raised beside the body
        p.armB = {-160, -30};  // the other waving by the head
        if (i == 2) p.armB = {-30, 105};  // arms crossed look for the bearded one
        DrawFigure(figure.cr(), Looks()[i], MakePose(p, 100), 160, 620, 8.0);

        Canvas c(kW, kH);
        cairo_t* cr = c.cr();
        SetRgb(cr, Hex(0xf4f0ff));
        for (int k = 0; k < 24; ++k) {
            const double a = k * M_PI / 12;
            cairo_mask_surface(cr, figure.surface(), kBorder * std::cos(a), kBorder * std::sin(a));
        }
        cairo_set_source_surface(cr, figure.surface(), 0, 0);
        cairo_paint(cr);
        cairo_pattern_t* fade = cairo_pattern_create_linear(0, kFadeFrom, 0, kH);
        cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
        cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_DEST_IN);
        cairo_set_source(cr, fade);
        cairo_paint(cr);
        cairo_pattern_destroy(fade);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        SavePng(c, std::string("artwork/char-") + files[i] + ".png");
    }
}

void PresentationBackground() {
    // 1024 x 1536: the lower half repeats the upper one, so drawing it at y = -768 + k * 25
    // and jumping back shows an endless scroll.
    Canvas c(1024, 1536);
    cairo_t* cr = c.cr();
    Canvas tile(1024, 768);
    cairo_t* t = tile.cr();
    SetRgb(t, Hex(0x1f2a5c));
    cairo_paint(t);
    // Diagonal bands that wrap at the tile's top and bottom.
    for (int i = -8; i < 16; ++i) {
        cairo_move_to(t, i * 128, 0);
        cairo_line_to(t, i * 128 + 64, 0);
        cairo_line_to(t, i * 128 + 64 + 768, 768);
        cairo_line_to(t, i * 128 + 768, 768);
        cairo_close_path(t);
    }
    SetRgb(t, Hex(0x26336c));
    cairo_fill(t);
    Rng rng(31);
    const char* glyphs[] = {"{ }", "</>", "++", ";", "0101", "#", "()", "&&", "!=", "[ ]"};
    for (int i = 0; i < 60; ++i) {
        double x = rng.Real(0, 1024), y = rng.Real(0, 768);
        const char* s = glyphs[rng.Int(0, 9)];
        double size = rng.Real(18, 44);
        for (double dy : {-768.0, 0.0, 768.0})
            Text(t, s, x, y + dy, size, Hex(0x4a5aa8));
    }
    for (int k = 0; k < 2; ++k) {
        cairo_set_source_surface(cr, tile.surface(), 0, 768 * k);
        cairo_paint(cr);
    }
    SavePng(c, "artwork/intro-personajes.png", true);
}
}  // namespace

void WriteIntroPictures() {
    LogoCards();
    StoryPictures();
    Portraits();
    PresentationBackground();
}

}  // namespace assetgen
