#include "draw.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <stdexcept>

namespace assetgen {

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Tone(Rgb c, double f) {
    if (f <= 1) return {c.r * f, c.g * f, c.b * f};
    return Mix(c, Rgb{1, 1, 1}, std::min(1.0, f - 1));
}

void SetRgb(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void FlatShaded(cairo_t* cr, Rgb c, double shade) {
    cairo_path_t* path = cairo_copy_path(cr);
    if (shade == 0) {
        SetRgb(cr, c);
        cairo_fill(cr);
        cairo_path_destroy(path);
        return;
    }
    // Dark tone everywhere, then the base colour over the shape shifted up-left: what is
    // left dark is a crescent on the lower right, as if lit from the upper left.
    SetRgb(cr, Tone(c, 0.78));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_translate(cr, -shade, -shade);
    cairo_append_path(cr, path);
    SetRgb(cr, c);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_path_destroy(path);
}

void Cartoon(cairo_t* cr, Rgb c, double lw, double shade, Rgb ink) {
    cairo_path_t* path = cairo_copy_path(cr);
    FlatShaded(cr, c, shade);
    if (lw > 0) {
        cairo_new_path(cr);
        cairo_append_path(cr, path);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, lw);
        SetRgb(cr, ink);
        cairo_stroke(cr);
    }
    cairo_new_path(cr);
    cairo_path_destroy(path);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Capsule(cairo_t* cr, double x0, double y0, double r0, double x1, double y1, double r1) {
    double dx = x1 - x0, dy = y1 - y0;
    double len = std::hypot(dx, dy);
    double a = std::atan2(dy, dx);
    if (len < 1e-6) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x0, y0, std::max(r0, r1), 0, 2 * M_PI);
        return;
    }
    // Tangent angle between the two end circles.
    double s = std::clamp((r0 - r1) / len, -0.99, 0.99);
    double t = std::acos(s);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1, y1, r1, a - t, a + t);
    cairo_arc(cr, x0, y0, r0, a + t, a + 2 * M_PI - t);
    cairo_close_path(cr);
}

void HeartPath(cairo_t* cr, double cx, double cy, double w) {
    double s = w / 2;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, cx, cy + 0.95 * s);
    cairo_curve_to(cr, cx - 0.35 * s, cy + 0.6 * s, cx - 1.0 * s, cy + 0.2 * s, cx - 1.0 * s,
                   cy - 0.3 * s);
    cairo_curve_to(cr, cx - 1.0 * s, cy - 0.85 * s, cx - 0.25 * s, cy - 1.0 * s, cx,
                   cy - 0.5 * s);
    cairo_curve_to(cr, cx + 0.25 * s, cy - 1.0 * s, cx + 1.0 * s, cy - 0.85 * s, cx + 1.0 * s,
                   cy - 0.3 * s);
    cairo_curve_to(cr, cx + 1.0 * s, cy + 0.2 * s, cx + 0.35 * s, cy + 0.6 * s, cx,
                   cy + 0.95 * s);
    cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, int n, double r, double ri, double a0) {
    cairo_new_sub_path(cr);
    int pts = (ri == r) ? n : 2 * n;
    for (int i = 0; i < pts; ++i) {
        double rr = (ri == r || i % 2 == 0) ? r : ri;
        double a = a0 + 2 * M_PI * i / pts;
        double x = cx + rr * std::sin(a), y = cy - rr * std::cos(a);
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

void WaterDrop(cairo_t* cr, double x, double y, double h, Rgb c) {
    cairo_new_path(cr);
    cairo_move_to(cr, x, y - h / 2);
    cairo_curve_to(cr, x + h * 0.12, y - h * 0.2, x + h * 0.38, y, x + h * 0.38, y + h * 0.16);
    cairo_arc(cr, x, y + h * 0.16, h * 0.38, 0, M_PI);
    cairo_curve_to(cr, x - h * 0.38, y, x - h * 0.12, y - h * 0.2, x, y - h / 2);
    cairo_close_path(cr);
    Cartoon(cr, c, 2.5, 3.0);
    Ellipse(cr, x - h * 0.14, y + h * 0.12, h * 0.07, h * 0.12);
    SetRgb(cr, Hex(0xffffff), 0.85);
    cairo_fill(cr);
}

namespace {
std::mutex fontMutex;
cairo_font_face_t* gameFace = nullptr;

cairo_font_face_t* GameFace() {
    std::lock_guard<std::mutex> lock(fontMutex);
    if (!gameFace) {
        FT_Library lib;
        FT_Face face;
        if (FT_Init_FreeType(&lib) != 0 || FT_New_Face(lib, FK_COMIC_FONT, 0, &face) != 0)
            throw std::runtime_error(std::string("cannot open the game font ") + FK_COMIC_FONT);
        // Kept for the whole run: the face lives as long as the generator.
        gameFace = cairo_ft_font_face_create_for_ft_face(face, 0);
    }
    return gameFace;
}
}  // namespace

void UseGameFont(cairo_t* cr, double size) {
    cairo_set_font_face(cr, GameFace());
    cairo_set_font_size(cr, size);
    cairo_font_options_t* fo = cairo_font_options_create();
    cairo_font_options_set_hint_style(fo, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(fo, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(fo, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, fo);
    cairo_font_options_destroy(fo);
}

double TextWidth(cairo_t* cr, const std::string& utf8, double size) {
    cairo_save(cr);
    UseGameFont(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    cairo_restore(cr);
    return e.x_advance;
}

static double AlignedX(cairo_t* cr, const std::string& s, double x, double size, Align a) {
    if (a == Align::Left) return x;
    double w = TextWidth(cr, s, size);
    return a == Align::Center ? x - w / 2 : x - w;
}

void Text(cairo_t* cr, const std::string& utf8, double x, double y, double size, Rgb c,
          Align align) {
    cairo_save(cr);
    UseGameFont(cr, size);
    cairo_move_to(cr, AlignedX(cr, utf8, x, size, align), y);
    SetRgb(cr, c);
    cairo_show_text(cr, utf8.c_str());
    cairo_restore(cr);
}

void OutlinedText(cairo_t* cr, const std::string& utf8, double x, double y, double size, Rgb c,
                  double lw, Rgb ink, Align align) {
    cairo_save(cr);
    UseGameFont(cr, size);
    cairo_new_path(cr);
    cairo_move_to(cr, AlignedX(cr, utf8, x, size, align), y);
    cairo_text_path(cr, utf8.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, lw);
    SetRgb(cr, ink);
    cairo_stroke_preserve(cr);
    SetRgb(cr, c);
    cairo_fill(cr);
    cairo_restore(cr);
}

uint64_t Rng::Next() {
    uint64_t z = (s += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double Rng::Real(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) / 9007199254740992.0;
}

int Rng::Int(int lo, int hi) {
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
}

Canvas::Canvas(int width, int height) : w(width), h(height) {
    surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    ctx = cairo_create(surf);
}

Canvas::~Canvas() {
    cairo_destroy(ctx);
    cairo_surface_destroy(surf);
}

}  // namespace assetgen
