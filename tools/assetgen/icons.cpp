#include "icons.h"

#include "look.h"
#include "output.h"

#include <cmath>

namespace assetgen {

void WriteIcons(const std::string& folder, const std::string& name) {
    SetOutputDir(folder);
    const Look& tarsun = Looks()[0];
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        Canvas c(size, size);
        cairo_t* cr = c.cr();
        const double s = size / 64.0;  // the icon is designed on a 64-pixel grid
        // Badge: a disc in Tarsun's shirt green with a lighter ring, leaving a pixel of air.
        Ellipse(cr, 32 * s, 32 * s, 30.5 * s, 30.5 * s);
        Cartoon(cr, tarsun.shirt, std::max(1.0, 2.4 * s), 3 * s);
        Ellipse(cr, 32 * s, 32 * s, 25.5 * s, 25.5 * s);
        cairo_set_line_width(cr, 1.6 * s);
        SetRgb(cr, Tone(tarsun.shirt, 1.45));
        cairo_stroke(cr);
        // The head fills most of the badge: its face centre (0, -11 in figure units) sits
        // a little below the middle so the spiky hair fits.
        const double headScale = 1.75 * s;
        cairo_save(cr);
        cairo_translate(cr, 32 * s, (33 + 11 * 1.75) * s);
        cairo_scale(cr, headScale, headScale);
        DrawHead(cr, tarsun, View::Front, Part::HeadHappy);
        cairo_restore(cr);
        std::string side = std::to_string(size);
        SavePng(c, "hicolor/" + side + "x" + side + "/apps/" + name + ".png");
    }
}

}  // namespace assetgen
