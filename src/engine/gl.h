#pragma once
// Static helpers on the drawing state: the virtual projection, the single saved render
// state around drawing that changes it, and the two striped background generators.
#include "platform/pictures/image.h"

class GL {
public:
    // Orthographic projection of (0,0)-(w,h) over the whole window, y down; leaves the
    // model-view matrix selected.
    static void projection(float w, float h);
    // Saves colour, alpha, blend mode, rotation and scale into the one saved state
    // (pushes do not nest: each overwrites the last).
    static void push();
    // Restores colour, alpha, blend mode, then rotation and scale together.
    static void pop();
    // Generate, save (artwork/fondoraro.png, artwork/fondomasraro.png) and return the
    // striped backgrounds. Colours as floats 0-255.
    static TImagePtr crearFondoRaro(float r1, float g1, float b1, float r2, float g2, float b2);
    static TImagePtr crearFondoMasRaro();
};
