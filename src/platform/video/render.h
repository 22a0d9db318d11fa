#pragma once
// The display, the render state and the primitives. All coordinates are in the
// units of the current projection (the game's 1024x768 virtual screen).
#include <string>
#include <vector>

enum BlendMode : int { MASKBLEND = 1, SOLIDBLEND = 2, ALPHABLEND = 3, LIGHTBLEND = 4, SHADEBLEND = 5 };

// True when an OpenGL display can be made (video subsystem works).
bool GLMax2DDriverAvailable();
// Back-buffer flags for the next Graphics call (the game passes 2).
void SetGraphicsDriverFlags(int flags);
// Opens the display (full screen unless the rig asks for a window or headless run).
// Resets the render state, clears and flips twice. false when the mode cannot be set.
bool Graphics(int width, int height, int depth = 32, int hz = 60, int flags = 0);
void EndGraphics();
bool GraphicsOpen();
int GraphicsWidth();
int GraphicsHeight();
// Incremented by every Graphics call: textures older than it are made again.
int GraphicsGeneration();
// False while this frame will not be seen (no display, or a network follower hurrying to
// catch up): work done only to make a picture can be left out; what the game decides cannot.
bool FrameWillBeSeen();

// Fills the viewport with the clear colour.
void Cls();
// Flip, which shows the back buffer, is in platform/frame.h.

void SetBlend(int mode);
int GetBlend();
void SetColor(int r, int g, int b);
void GetColor(int& r, int& g, int& b);
// Clamped to 0..1 and stored as a byte, Int(alpha * 255).
void SetAlpha(float alpha);
float GetAlpha();
void SetClsColor(int r, int g, int b);
void GetClsColor(int& r, int& g, int& b);
void SetLineWidth(float width);
float GetLineWidth();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
// Rotation and scale together.
void SetTransform(float degrees, float sx, float sy);
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
// Clipping rectangle in logical screen pixels (the game converts from virtual units
// itself).
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetOrigin(float x, float y);
void GetOrigin(float& x, float& y);

// Sets an orthographic projection of (0,0)-(w,h) over the whole window; leaves the
// model-view matrix selected. Virtual units are what every draw call uses after it.
void SetVirtualResolution(float w, float h);
float VirtualWidth();
float VirtualHeight();
// Draws the batched primitives now; call before using OpenGL directly.
void FlushDrawing();

void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2);
void Plot(float x, float y);
void DrawOval(float x, float y, float w, float h);
// xy holds x0, y0, x1, y1, ...
void DrawPoly(const std::vector<float>& xy);
