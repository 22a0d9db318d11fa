#pragma once
// Drawing small and scaling. Mesa's software renderer (a machine without a graphics card,
// a virtual machine) pays for every pixel it draws, so a large window makes the heavy
// screens miss the frame. Drawing small draws the picture once into an offscreen target
// no larger than the 1024x768 virtual screen and scales that onto the window in one
// linear pass. The game sees no difference: it computes with the same logical screen,
// and its trace is the same.
#include <string>

enum class DrawSize {
    Window,  // draw at the window's size
    Small,   // draw at most 1024x768 and scale to the window
    Auto,    // small on a software renderer (Mesa's llvmpipe or softpipe), else the window's size
};

// Chooses the mode of the next Graphics call (Auto until chosen).
void SetDrawSize(DrawSize mode);
DrawSize GetDrawSize();
// Whether the open display draws small and scales (what Auto decided, and whether the
// window is larger than the virtual screen at all).
bool DrawingSmall();
// Whether a renderer of that name draws in software (Mesa's llvmpipe or softpipe).
bool SoftwareRenderer(const std::string& name);
// The OpenGL renderer's name ("llvmpipe (LLVM 15.0.6, 256 bits)"), empty without a display.
std::string RendererName();
