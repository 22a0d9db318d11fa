#include "engine/asiento/marca_cpu.h"

#include "engine/asiento/ocupantes.h"
#include "engine/asiento/remotos.h"
#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <algorithm>

void dibujarMarcaCPU(int s, float x, float y, float escala, bool conNombre) {
    const asientos::TOcupante quien = asientos::ocupante(s);
    if (quien != asientos::TOcupante::cpu && quien != asientos::TOcupante::remoto) return;
    const bool remoto = quien == asientos::TOcupante::remoto;
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    const float alpha = GetAlpha();
    const int blend = GetBlend();
    const float rot = GetRotation();
    float sx = 1, sy = 1;
    GetScale(sx, sy);
    const TImageFontPtr fuente = GetImageFont();

    std::string texto = !remoto ? "CPU" : conNombre ? asientos::nombreRemoto(s) : "RED";
    // A long name would reach the next portrait: its first characters are enough.
    constexpr size_t kLetras = 10;
    size_t letras = 0, corte = 0;
    while (corte < texto.size() && letras < kLetras) {
        ++corte;
        while (corte < texto.size() && (static_cast<unsigned char>(texto[corte]) & 0xC0) == 0x80) ++corte;
        ++letras;
    }
    texto.resize(corte);
    SetRotation(0);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetImageFont(nullptr);
    SetScale(1, 1);
    // The built-in font at twice its size, times escala.
    const float w = TextWidth(texto) * 2 * escala, h = TextHeight(texto) * 2 * escala;
    const float margen = 5 * escala;
    SetColor(20, 20, 20);
    DrawRect(x - w / 2 - margen, y - h / 2 - margen, w + 2 * margen, h + 2 * margen);
    SetScale(2 * escala, 2 * escala);
    if (remoto)
        SetColor(90, 200, 255);
    else
        SetColor(255, 220, 0);
    DrawText(texto, x - w / 2, y - h / 2);
    // Below it, a player over the network not heard from for a while, and for how long.
    if (const int silencio = remoto ? asientos::silencioRemoto(s) : 0; silencio > 0) {
        const std::string aviso = "sin conexion " + std::to_string(silencio) + " s";
        // As large as the mark's own letters where the mark is small (readable at 640x480).
        const float letra = std::min(2 * escala, 2.5f);
        SetScale(1, 1);
        const float aw = TextWidth(aviso) * letra, ah = TextHeight(aviso) * letra;
        const float ay = y + h / 2 + 2 * margen;
        SetColor(20, 20, 20);
        DrawRect(x - aw / 2 - margen, ay - margen, aw + 2 * margen, ah + 2 * margen);
        SetScale(letra, letra);
        SetColor(255, 90, 60);
        DrawText(aviso, x - aw / 2, ay);
    }

    SetImageFont(fuente);
    SetScale(sx, sy);
    SetRotation(rot);
    SetBlend(blend);
    SetAlpha(alpha);
    SetColor(r, g, b);
}
