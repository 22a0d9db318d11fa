#pragma once
// The 31 tile pictures of the board map and the roulette.
#include "output.h"

namespace assetgen {

// The plain floor every tile starts from (128 x 128, seamless).
void DrawFloor(cairo_t* cr);
// Codes 9 to 30: floor, decorations, tables, three-piece decorations, walls.
void WriteHallTiles();
// Codes 0 to 8: start, finish, the five minigames, roll again, death.
void WriteSquareTiles();
// The wheel and its marker.
void WriteRoulette();

}  // namespace assetgen
