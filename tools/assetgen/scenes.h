#pragma once
// Full-screen pictures and the sprites of the screens and minigames.
#include "figure.h"
#include "output.h"

namespace assetgen {

// The event hall seen from the side: back wall with a banner, spotlights, rows of
// tables with monitors. dim in 0..1 darkens it (1 = night).
void HallBackdrop(cairo_t* cr, int w, int h, uint64_t seed, double dim, bool banner = true);
// The "PARTY INFORMÁTICA 24H" banner of the back wall (drawn by HallBackdrop unless asked
// not to, for pictures that put something between the wall and the banner).
void HallBanner(cairo_t* cr, int w, double dim);
// A soft rounded panel that keeps text readable over a busy picture.
void TextPanel(cairo_t* cr, double x, double y, double w, double h, double alpha = 0.82);
// A figure with a soft shadow on the ground.
void StandingFigure(cairo_t* cr, const Look& look, const KeyFrame& k, double x, double y, double s);
// A key frame of the animation set (animation a, frame f).
const KeyFrame& Pose(int anim, int frame = 0);

void WriteMenuPictures();      // titulo, opciones, creditos
void WriteIntroPictures();     // logo cards, story pictures, portraits, presentation
void WriteGame1Pictures();     // Acicalandose
void WriteGame2Pictures();     // No te mojes (hoses, spray, bulge, background)
void WriteWater();             // agua/save.01.png .. save.32.png
void WriteGame345Pictures();   // Love is in the air, Escondite Coder, CDs
void WriteGame678Pictures();   // Apagon, Compilando..., Guerra de bolas de papel

}  // namespace assetgen
