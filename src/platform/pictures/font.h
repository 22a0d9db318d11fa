#pragma once
// Fonts: TrueType at a pixel size, or the built-in font (codes 32-127). Text is UTF-8 in
// the code and drawn as Latin-1 code points; codes without a glyph are skipped.
#include "platform/pictures/image.h"

#include <memory>
#include <string>

enum FontStyle : int { BOLDFONT = 1, ITALICFONT = 2, SMOOTHFONT = 4 };

class TImageFont;
using TImageFontPtr = std::shared_ptr<TImageFont>;

// nullptr when the file is missing or not a font, the file then reported once on
// standard error (ReportBadFile). Works before a display is open.
TImageFontPtr LoadImageFont(const std::string& path, int size, int style = SMOOTHFONT);
// nullptr selects the built-in font.
void SetImageFont(const TImageFontPtr& font);
TImageFontPtr GetImageFont();
// Draws with the current font, colour, alpha, rotation and scale; the first
// character's cell at (x, y) + origin.
void DrawText(const std::string& text, float x, float y);
// Sum of the advances of the characters that have glyphs (unscaled).
float TextWidth(const std::string& text);
// Font height (unscaled).
float TextHeight(const std::string& text = {});
// Rasterises the glyphs of `text` that `font` has not drawn yet and makes the textures of
// their pages now, so that a large font shown glyph by glyph later (a countdown) does not
// stall a frame at each new glyph. Draws nothing; needs an open display.
void PrepareGlyphs(const TImageFontPtr& font, const std::string& text);
// "comic.ttf@50" or "builtin" (trace).
std::string FontName(const TImageFontPtr& font);
