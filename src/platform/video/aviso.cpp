// A notice over the picture, outside the game's frames: drawn with the game's own
// drawing calls on the frame last shown (still in the back buffer, or in the target
// when drawing small), then shown at once. The render state is left as it was. A driver
// that swaps instead of copying may show the frame before under it: one flip apart.
#include "platform/pictures/font.h"
#include "platform/session/run.h"
#include "platform/session/trace.h"
#include "platform/video/display.h"
#include "platform/video/render.h"

#include <algorithm>

namespace display {

void ShowNotice(const std::string& text) {
    if (!GraphicsOpen() || Skipping()) return;
    rig::Hush(true);
    int r, g, b;
    GetColor(r, g, b);
    const float alpha = GetAlpha();
    const int blend = GetBlend();
    const float rot = GetRotation();
    float sx, sy, ox, oy;
    GetScale(sx, sy);
    GetOrigin(ox, oy);
    int vx, vy, vw, vh;
    GetViewport(vx, vy, vw, vh);
    const TImageFontPtr fuente = GetImageFont();

    SetViewport(0, 0, GraphicsWidth(), GraphicsHeight());
    SetOrigin(0, 0);
    SetRotation(0);
    SetAlpha(1);
    SetBlend(SOLIDBLEND);
    SetImageFont(nullptr);
    SetScale(1, 1);
    // The built-in font at three times its size on the 1024-unit screen: as large as the
    // menus' lines, readable at 640x480 too; a long text is made smaller to fit.
    const float ancho = VirtualWidth(), alto = VirtualHeight();
    const float escala = std::min(3.0f, (ancho - 80) / std::max(1.0f, TextWidth(text)));
    const float w = TextWidth(text) * escala, h = TextHeight(text) * escala;
    const float margen = 16;
    const float x = (ancho - w) / 2, y = alto * 0.42f;
    SetColor(255, 255, 255);
    DrawRect(x - margen - 2, y - margen - 2, w + 2 * margen + 4, h + 2 * margen + 4);
    SetColor(20, 20, 30);
    DrawRect(x - margen, y - margen, w + 2 * margen, h + 2 * margen);
    SetBlend(ALPHABLEND);
    SetScale(escala, escala);
    SetColor(255, 255, 255);
    DrawText(text, x, y);
    // The rig's nearest shot still to come is this picture (its flip, if it comes, takes
    // its own shot over it): a shot of a flip far ahead catches the notice.
    const std::string shot = session::ShotStillToCome();
    if (!shot.empty()) SaveBackBufferPNG(shot);
    PresentFrame(false);

    SetImageFont(fuente);
    SetScale(sx, sy);
    SetOrigin(ox, oy);
    SetViewport(vx, vy, vw, vh);
    SetRotation(rot);
    SetBlend(blend);
    SetAlpha(alpha);
    SetColor(r, g, b);
    rig::Hush(false);
}

}  // namespace display
