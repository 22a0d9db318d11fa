#pragma once
// Keeping the picture's 4:3 shape on a screen of another shape: the picture is the
// largest centred 4:3 box of the window, with black bars beside or above and below it.
// The game sees only the box: its size is the display size, and mouse positions are
// measured from its top-left corner (display.h turns window positions into the game's).

// A rectangle of the window, in window units (top-left origin).
struct TPictureBox {
    int x = 0, y = 0, w = 0, h = 0;
};

// Chooses whether the next Graphics call keeps the 4:3 shape (off: the picture fills
// the window, stretched, as it always has).
void SetKeepAspect(bool keep);
bool KeepAspect();

// The largest centred 4:3 box of a window (the whole window when it is 4:3 already or
// has no size).
TPictureBox FitFourThree(int windowW, int windowH);
