#include "app/menu_molon.h"

#include "platform/input.h"
#include "platform/render.h"

TImagePtr TMenuMolon::titulo;
TImageFontPtr TMenuMolon::fuente;

void TMenuMolon::cargarRecursos() {
    titulo = LoadImage("artwork/titulo.png");
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
}

std::unique_ptr<TMenuMolon> TMenuMolon::Create() { return std::make_unique<TMenuMolon>(); }

int TMenuMolon::start() {
    SetImageFont(fuente);
    int top = 0;
    int spacing = 1;
    float speed = 30.0f;
    int phase = 0;  // 0 sliding in, 1 choosing
    int selection = 0;
    const int last = static_cast<int>(options.size()) - 1;

    while (KeyHit(KEY_ENTER) == 0) {
        SetBlend(ALPHABLEND);
        SetColor(255, 255, 255);
        DrawImage(titulo, 0, 0, 0);

        if (phase == 0) {
            top = static_cast<int>(top + speed);
            speed = static_cast<float>(speed * 0.9);
            spacing = static_cast<int>(speed / 30.0 * 160);
            if (top >= 200) phase = 1;
        } else {
            selection += KeyHit(KEY_DOWN) > 0 ? 1 : 0;
            selection -= KeyHit(KEY_UP) > 0 ? 1 : 0;
            if (selection < 0) selection = last;
            if (selection > last) selection = 0;
        }

        for (int i = 0; i <= last; ++i) {
            if (i == selection) SetColor(64, 127, 255);
            else SetColor(0, 0, 0);
            DrawText(options[static_cast<size_t>(i)], 170, static_cast<float>(top + i * spacing));
        }

        Flip(-1);
        Cls();
    }
    return selection;
}
