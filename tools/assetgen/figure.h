#pragma once
// Placing a pose's bones (as the game's playback does) and drawing a figure with Cairo,
// for the scenes of the pictures (title, story, portraits) and for the previews.
#include "skeleton.h"

#include <vector>

namespace assetgen {

struct Placement {
    double x = 0, y = 0;  // joint, relative to the figure's origin, figure scale applied
    double angle = 0;     // degrees, clockwise
    double size = 1;
    int z = 0, graph = 0;
};

// The bone placements of a key frame, sorted back to front (decreasing Z, ties in walk
// order), for a figure scaled by (sx, sy).
std::vector<Placement> PlaceBones(const KeyFrame& k, double sx = 1, double sy = 1);
// The key frame g of the way from a to b (angles along the shorter way round; graphs,
// sizes and depths from a).
KeyFrame Blend(const KeyFrame& a, const KeyFrame& b, double g);

// Draws a figure in vector form with its origin at (x, y), scale s (1 = 74 units tall).
void DrawFigure(cairo_t* cr, const Look& look, const KeyFrame& k, double x, double y, double s);
// Design of a graph number (nullptr for 0 or an unknown number).
const GraphDesign* FindGraph(int id);

}  // namespace assetgen
