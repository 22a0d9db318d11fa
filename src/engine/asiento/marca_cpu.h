#pragma once
// The small "CPU" mark drawn beside the name or portrait of a seat a computer plays
// (explanation pages, the board, the result banner). Screens draw it only for such a
// seat, so with four people nothing on screen changes.

// Draws the mark for seat s when a computer plays it: a dark box with "CPU" in yellow in
// the built-in font, its centre at (x, y) in virtual units, scaled by escala. A seat held
// over the network gets "RED" in blue instead, or its player's name with conNombre, and
// below it "sin conexion N s" in red while that player has sent nothing for N seconds.
// Colour, alpha, blend, rotation, scale and font are left as they were.
void dibujarMarcaCPU(int s, float x, float y, float escala = 1, bool conNombre = false);
