#include "app/deslizamiento.h"

#include "platform/pictures/font.h"
#include "platform/video/render.h"

void dibujarLista(std::span<const std::string> lineas, const TDeslizamiento& lista, int seleccion,
                  const std::function<std::string(int)>& valor, std::span<const float> escalas) {
    float antesX = 1, antesY = 1;
    GetScale(antesX, antesY);
    for (size_t k = 0; k < lineas.size(); ++k) {
        const int i = static_cast<int>(k);
        if (seleccion == TODAS_LAS_LINEAS || i == seleccion)
            SetColor(64, 127, 255);
        else
            SetColor(0, 0, 0);
        const float y = lista.y(i);
        const float escala = k < escalas.size() ? escalas[k] : 1.0f;
        if (k < escalas.size()) SetScale(escala, escala);
        DrawText(lineas[k], 170, y);
        if (!valor) continue;
        const std::string v = valor(i);
        if (!v.empty()) DrawText(v, 170 + TextWidth(lineas[k]) * escala + 20 * escala, y);
    }
    if (!escalas.empty()) SetScale(antesX, antesY);
}
