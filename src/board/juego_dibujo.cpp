// The board match, its drawing: the board frame, the texts, the roulette, the portrait
// and the tokens' places.
#include "board/juego.h"

#include "engine/asiento/asiento.h"
#include "engine/asiento/marca_cpu.h"
#include "engine/asiento/ocupantes.h"
#include "engine/explicacion.h"
#include "engine/gl.h"
#include "platform/video/render.h"

#include <algorithm>
#include <string>

namespace {

// Text with a dark copy underneath, slightly larger, as an edge on the right and bottom.
void textoConBorde(const char* texto) {
    GL::push();
    SetImageFont(TJuego::fuente);
    SetTransform(0, 0.25f, 0.25f);
    SetColor(0, 0, 0);
    DrawText(texto, 350, 50);
    SetTransform(0, 0.24f, 0.24f);
    SetColor(255, 255, 255);
    DrawText(texto, 350, 50);
    GL::pop();
}
}  // namespace

// ---- drawing ----

void TJuego::animarFicha(int s, int a) {
    if (s >= 0 && s < static_cast<int>(fichas.size())) fichas[static_cast<size_t>(s)]->anima(a, ahora(), 1);
}

void TJuego::animarPortrait(int s, int a) {
    if (s >= 0 && s < 4 && portraitAnim[static_cast<size_t>(s)])
        portraitAnim[static_cast<size_t>(s)]->ChangeAnim(a, ahora() * 1000, 1, 0, 0);
}

void TJuego::dibujarTablero(int s, const std::function<void()>& entreCapas,
                            const std::function<void()>& antesNombre) {
    updatePosiciones();
    if (s >= 0 && s < 4 && portraitAnim[static_cast<size_t>(s)])
        portraitAnim[static_cast<size_t>(s)]->Update(ahora() * 1000);
    mapa->Render();
    tablero->dibujarNumeros(*cam);
    if (entreCapas) entreCapas();
    std::stable_sort(sprites.begin(), sprites.end(),
                     [](const TSpritePtr& a, const TSpritePtr& b) { return a->Compare(*b) < 0; });
    for (const TSpritePtr& sp : sprites)
        if (sp) sp->Dibujar(*cam);
    dibujarPortrait(s, 100, 918, 6);
    if (antesNombre) antesNombre();
    dibujaNombre(s);
    // Above the name, clear of its letters.
    dibujarMarcaCPU(s, 345, 600, 1.5f);
    if (clasificacion) dibujarClasificacion();
}

// ---- the standings ----

std::array<int, 4> TJuego::orden() const {
    std::array<int, 4> o{0, 1, 2, 3};
    const int n = equipo->getNJugadores();
    auto delante = [&](int a, int b) {
        // Seats without a player go last.
        if ((a < n) != (b < n)) return a < n;
        if (a >= n) return a < b;
        if ((a == ganado) != (b == ganado)) return a == ganado;
        const int pa = static_cast<int>(equipo->getJugador(a).getPosicion());
        const int pb = static_cast<int>(equipo->getJugador(b).getPosicion());
        return pa != pb ? pa > pb : a < b;
    };
    std::stable_sort(o.begin(), o.end(), delante);
    return o;
}

int TJuego::casillasRestantes(int s) const {
    if (s < 0 || s >= equipo->getNJugadores()) return 0;
    const int p = static_cast<int>(equipo->getJugador(s).getPosicion());
    return std::max(0, tablero->getNCasillas() - 1 - p);
}

void TJuego::dibujarClasificacion() const {
    // Right of the prompt and above the board's middle, where the camera keeps the player
    // on turn.
    constexpr float kX = 806, kY = 8, kFila = 46, kAncho = 210;
    const int n = std::min(equipo->getNJugadores(), 4);
    const std::array<int, 4> o = orden();
    GL::push();
    const TImageFontPtr antes = GetImageFont();
    float ox = 0, oy = 0;
    GetOrigin(ox, oy);
    SetOrigin(0, 0);
    SetTransform(0, 1, 1);
    SetBlend(ALPHABLEND);
    SetColor(20, 16, 40);
    SetAlpha(0.7f);
    DrawRect(kX, kY, kAncho, kFila * static_cast<float>(n) + 6);
    SetImageFont(nullptr);
    for (int puesto = 0; puesto < n; ++puesto) {
        const int s = o[static_cast<size_t>(puesto)];
        const asientos::TPersonaje& p = asientos::personaje(s);
        const float y = kY + 6 + kFila * static_cast<float>(puesto);
        SetAlpha(1);
        SetColor(255, 255, 255);
        SetScale(2, 2);
        DrawText(std::to_string(puesto + 1), kX + 8, y + 14);
        // The portrait, framed in the character's colour.
        SetScale(1, 1);
        SetColor(p.r, p.g, p.b);
        DrawRect(kX + 30, y, 40, 40);
        SetColor(235, 235, 235);
        DrawRect(kX + 32, y + 2, 36, 36);
        const TImagePtr& retrato = TExplicacion::retratos[static_cast<size_t>(s)];
        if (retrato && retrato->height > 0) {
            const float k = 36.0f / static_cast<float>(retrato->height);
            SetColor(255, 255, 255);
            SetScale(k, k);
            DrawImage(retrato, kX + 50, y + 38, 0);
        }
        SetColor(255, 255, 255);
        SetScale(2, 2);
        const int quedan = casillasRestantes(s);
        DrawText(s == ganado ? "META" : std::to_string(quedan), kX + 82, y + 14);
        SetScale(1, 1);
        dibujarMarcaCPU(s, kX + 172, y + 21, 0.8f);
    }
    SetImageFont(antes);
    SetOrigin(ox, oy);
    GL::pop();
}

void TJuego::dibujaClick() {
    // Nobody is asked to press for a computer: it stops the wheel itself.
    textoConBorde(asientos::esCPU(equipo->getTurno()) ? "JUEGA LA CPU" : "PULSA UNA TECLA!");
}

void TJuego::dibujaWin() {
    textoConBorde("GANADOR!!!!");
}

void TJuego::dibujaNombre(int slot) {
    if (slot < 0 || slot > 3) return;
    const asientos::TPersonaje& p = asientos::personaje(slot);
    const std::string texto = asientos::rotulo(slot);
    GL::push();
    SetImageFont(fuente);
    SetTransform(0, 0.5f, 0.5f);
    SetColor(255, 255, 255);
    DrawText(texto, 310, 635);
    SetScale(0.49f, 0.49f);
    SetColor(p.r, p.g, p.b);
    DrawText(texto, 310, 635);
    GL::pop();
}

void TJuego::dibujaRuleta(float angle) {
    GL::push();
    SetTransform(0, 0.5f, 0.5f);
    SetColor(255, 255, 255);
    SetRotation(angle);
    DrawImage(ruleta, 128, 128, 0);
    SetRotation(0);
    DrawImage(marcador, 128, 128, 0);
    GL::pop();
}

void TJuego::dibujarPortrait(int slot, float x, float y, float scale) {
    if (slot < 0 || slot > 3) return;
    AnimState* st = portraitAnim[static_cast<size_t>(slot)].get();
    const VGP* pack = pjsGFX[static_cast<size_t>(slot)].get();
    if (!st || !pack) return;
    GL::push();
    st->PrepareBoneList(ahora() * 1000, scale, scale, 0);
    for (const RepBone& r : st->BoneList) {
        const TGraph* g = pack->GetGraph(r.Graph);
        if (!g) continue;
        SetTransform(r.Angle, r.Size * scale, r.Size * scale);
        DrawImage(g->I, x + r.X, y + r.Y, 0);
    }
    GL::pop();
}

void TJuego::updatePosiciones() {
    const float inc = tiempo->getInc(0);
    const float t = ahora();
    for (size_t i = 0; i < fichas.size(); ++i) {
        const float p = equipo->getJugador(static_cast<int>(i)).getPosicion();
        const int k = static_cast<int>(p);
        const float f = p - static_cast<float>(k);
        const auto tam = static_cast<float>(TTablero::TAM_CASILLA);
        const float bx = static_cast<float>(tablero->getCasillaX(k)) * tam;
        const float by = static_cast<float>(tablero->getCasillaY(k)) * tam;
        float nx = 0, ny = 0;
        if (f > 0) {
            nx = static_cast<float>(tablero->getCasillaX(static_cast<int>(p + 1))) * tam;
            ny = static_cast<float>(tablero->getCasillaY(static_cast<int>(p + 1))) * tam;
        }
        TFicha& ficha = *fichas[i];
        ficha.x = bx * (1 - f) + f * nx + offsetX[i];
        ficha.y = by * (1 - f) + f * ny + offsetY[i];
        ficha.z = ficha.y * 10000 - ficha.x;  // lower tokens over higher ones, left over right
        ficha.update(inc, t);
        if (static_cast<int>(i) == equipo->getTurno()) {
            cam->x = ficha.x - offsetX[i] + 64;
            cam->y = ficha.y - offsetY[i] + 64;
        }
    }
}
