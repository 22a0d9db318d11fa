#pragma once
// The tile pictures of the board map and the roulette.
#include "output.h"

namespace assetgen {

// The plain floor every tile starts from (128 x 128, seamless).
void DrawFloor(cairo_t* cr);
// Codes 9 to 30: floor, decorations, tables, three-piece decorations, walls.
void WriteHallTiles();
// The squares: start, finish, roll again, death, and one per minigame of the catalogue
// (named by it).
void WriteSquareTiles();
// The wheel and its marker.
void WriteRoulette();

}  // namespace assetgen
