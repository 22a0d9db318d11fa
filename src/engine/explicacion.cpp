#include "engine/explicacion.h"

#include "engine/asiento/cerebro.h"
#include "engine/asiento/mandos.h"
#include "engine/asiento/marca_cpu.h"
#include "engine/asiento/remotos.h"

#include "engine/gl.h"
#include "platform/base/random.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cctype>

TImageFontPtr TExplicacion::fuente;
std::array<TImagePtr, 4> TExplicacion::retratos;
TImagePtr TExplicacion::fondoTurno;
TImagePtr TExplicacion::fondoOtros;

namespace {
const char* const kPulsa = "Pulsa una tecla...";

// Offsets of the slide: every element sits d units away from its resting place.
constexpr float kFuera = 2000.0f;
constexpr float kCasiDentro = 10.0f;

// The strip background: squashed to a thin band about the middle line while far out,
// opening up as d shrinks, at ten times its height once in place.
void dibujarFondo(const TImagePtr& fondo, float d) {
    if (d > kCasiDentro)
        SetScale(1, 100 / d);
    else
        SetScale(1, 10);
    DrawImage(fondo, 0, 384);
}

// A character's portrait; nothing for an index outside the roster.
TImagePtr retrato(int i) {
    return i >= 0 && i < 4 ? TExplicacion::retratos[static_cast<size_t>(i)] : nullptr;
}

// Portraits stand on y = 820 (below the screen's edge) at 0.7 of their size.
constexpr float kPieRetrato = 820;
constexpr float kEscalaRetrato = 0.7f;

// The prompt's line starts at y = 730 once the page is in.
constexpr float kPulsaY = 730;

// The computer's mark of seat i just above its portrait's head: no portrait reaches up
// there (they overlap side by side), and the key boxes stay far above. A portrait too
// short to clear the prompt's line still has its mark above that line.
void dibujarMarcaSobre(int i, float x) {
    const TImagePtr r = retrato(i);
    const float alto = r ? static_cast<float>(r->height - 1) : 419;
    dibujarMarcaCPU(i, x, std::min(kPieRetrato - kEscalaRetrato * alto, kPulsaY) - 21, 1, true);
}

void dibujarLineas(const std::vector<std::string>& lineas, float x) {
    SetScale(0.5f, 0.5f);
    for (size_t i = 0; i < lineas.size(); ++i) DrawText(lineas[i], x, 120 + 25 * static_cast<float>(i));
}

void dibujarTitulo(const std::string& titulo, float d) {
    SetScale(1, 1);
    DrawText(titulo, 512 - TextWidth(titulo) / 2, 30 - d);
}

void dibujarPulsa(float d) {
    SetScale(0.45f, 0.45f);
    DrawText(kPulsa, 450, kPulsaY + d);
}

// The labels of one player stack upward from y = 200, 30 units apart, each in a white box
// in the built-in font; the box colours are left in force (black).
void dibujarTeclas(const std::vector<std::string>& teclas, float x) {
    for (size_t i = 0; i < teclas.size(); ++i) {
        const float y = 200 - 30 * static_cast<float>(i);
        SetColor(255, 255, 255);
        SetScale(1, 1);
        DrawRect(x - 25, y, 50, 25);
        SetImageFont(nullptr);
        SetColor(0, 0, 0);
        SetScale(1.5f, 1.5f);
        DrawText(teclas[i], x - TextWidth(teclas[i]) / 2, y + 12.5f - TextHeight(teclas[i]) / 2);
    }
}
// Beside each key box of a seat that has a controller, the controller button that presses
// that key, in a round dark button; below the boxes of a seat held over the network, what
// its player presses. Draws nothing for other seats.
void dibujarBotones(const std::vector<std::string>& teclas, float x, int asiento) {
    if (asientos::tieneRemoto(asiento) && !teclas.empty()) {
        // A player over the network presses on their own keyboard: Space (or Enter, or
        // the key above) for one key, the arrows for two. Said below the boxes.
        const std::string pulsa = teclas.size() == 1 ? "Espacio" : "<-  ->";
        SetImageFont(nullptr);
        SetScale(1, 1);
        const float w = TextWidth(pulsa) * 2, h = TextHeight(pulsa) * 2;
        SetColor(40, 40, 40);
        DrawRect(x - w / 2 - 4, 230, w + 8, h + 6);
        SetColor(255, 255, 255);
        SetScale(2, 2);
        DrawText(pulsa, x - w / 2, 233);
        SetColor(0, 0, 0);
        return;
    }
    if (!asientos::tieneMando(asiento)) return;
    for (size_t i = 0; i < teclas.size(); ++i) {
        const int tecla = teclas[i].size() == 1 ? std::toupper(static_cast<unsigned char>(teclas[i][0])) : 0;
        const std::string boton = asientos::botonDeTecla(asiento, tecla);
        if (boton.empty()) continue;
        const float y = 200 - 30 * static_cast<float>(i);
        SetScale(1, 1);
        SetColor(40, 40, 40);
        DrawOval(x + 28, y, 25, 25);
        SetImageFont(nullptr);
        SetColor(255, 255, 255);
        SetScale(1.5f, 1.5f);
        DrawText(boton, x + 40.5f - TextWidth(boton) / 2, y + 12.5f - TextHeight(boton) / 2);
        SetColor(0, 0, 0);
    }
}
}  // namespace

void TExplicacion::cargarRecursos() {
    fuente = LoadImageFont("artwork/comic.ttf", 60, SMOOTHFONT);
    for (int i = 0; i < 4; ++i) {
        retratos[static_cast<size_t>(i)] = LoadImage(asientos::retrato(i), FILTEREDIMAGE | MIPMAPPEDIMAGE);
        const TImagePtr& r = retratos[static_cast<size_t>(i)];
        if (r) SetImageHandle(r, static_cast<float>(r->width / 2), static_cast<float>(r->height - 1));
    }
    fondoTurno = LoadImage("artwork/fondoraro.png");
    fondoOtros = LoadImage("artwork/fondomasraro.png");
}

std::unique_ptr<TExplicacion> TExplicacion::Create(int uno, const std::string& titulo,
                                                   const std::vector<std::string>& textoTurno,
                                                   const std::vector<std::string>& textoOtros,
                                                   const std::vector<std::string>& teclas1,
                                                   const std::vector<std::string>& teclas2,
                                                   const std::vector<std::string>& teclas3) {
    auto e = std::make_unique<TExplicacion>();
    e->uno = uno;
    e->titulo = titulo;
    e->textoTurno = textoTurno;
    e->textoOtros = textoOtros;
    e->teclas1 = teclas1;
    e->teclas2 = teclas2;
    e->teclas3 = teclas3;
    e->otros = asientos::oponentes(uno);
    e->posotros = {0, 1, 2};
    // Only the places on screen change: teclas1 stays with otros' first player.
    if (Rand(0, 100) < 50) {
        std::swap(e->otros[0], e->otros[2]);
        e->posotros = {2, 1, 0};
    }
    return e;
}

void TExplicacion::show() {
    asientos::TExplicando explicando;
    SetBlend(ALPHABLEND);
    showUno();
    tiempo->update();
    showOtros();
    FlushKeys();
    FlushMouse();
}

void TExplicacion::showUno() {
    SetClsColor(255, 255, 255);
    tiempo->update();
    SetImageHandle(fondoTurno, 0, 384);
    SetImageFont(fuente);
    pagina(&TExplicacion::dibujarUno, true);
}

void TExplicacion::showOtros() {
    tiempo->update();
    FlushKeys();
    FlushMouse();
    SetImageHandle(fondoOtros, 0, 384);
    tiempo->update();
    tiempo->update();
    pagina(&TExplicacion::dibujarOtros, false);
}

float TExplicacion::frame(Dibujo dibujar, float d) {
    Cls();
    tiempo->update();
    const float dt = tiempo->getInc(0);
    GL::push();
    (this->*dibujar)(d);
    GL::pop();
    Flip(1);
    return dt;
}

void TExplicacion::pagina(Dibujo dibujar, bool paginaTurno) {
    // Entry: d falls by a factor e^(-2.5 t), about 2.1 s from 2000 to 10.
    float d = kFuera;
    do {
        const float dt = frame(dibujar, d);
        d = d - d / 2 * 5 * dt;
    } while (d > kCasiDentro);

    // Hold: keys held or typed before now do not count; only a newly typed character or
    // a mouse button held down ends it.
    d = 0;
    FlushKeys();
    FlushMouse();
    tiempo->update();
    {
        // A computer on turn reads the page for a while, then goes on by itself.
        asientos::TEsperaTecla espera(uno, KEY_SPACE, 1500, 3500);
        while (GetChar() == 0 && MouseDown(1) == 0 && MouseDown(2) == 0) frame(dibujar, d);
    }
    if (paginaTurno) SetClsColor(0, 0, 0);

    // Exit: d grows by e^(7.5 t), about 0.7 s from 10 to 2000.
    d = kCasiDentro;
    tiempo->update();
    do {
        const float dt = frame(dibujar, d);
        d = d + d / 2 * 15 * dt;
    } while (d < kFuera);
}

void TExplicacion::dibujarUno(float d) {
    dibujarFondo(fondoTurno, d);
    SetScale(kEscalaRetrato, kEscalaRetrato);
    DrawImage(retrato(uno), 150 + d, kPieRetrato);
    dibujarMarcaSobre(uno, 150 + d);
    dibujarTitulo(titulo, d);
    dibujarLineas(textoTurno, 300 - d);
    dibujarPulsa(d);
}

void TExplicacion::dibujarOtros(float d) {
    dibujarFondo(fondoOtros, d);
    SetScale(kEscalaRetrato, kEscalaRetrato);
    for (size_t j = 0; j < 3; ++j) DrawImage(retrato(otros[j]), 870 - 100 * static_cast<float>(j) - d, kPieRetrato);
    // After every portrait, so that none is drawn over a mark.
    for (size_t j = 0; j < 3; ++j) dibujarMarcaSobre(otros[j], 870 - 100 * static_cast<float>(j) - d);
    const std::vector<std::string>* teclas[3] = {&teclas1, &teclas2, &teclas3};
    for (size_t k = 0; k < 3; ++k) dibujarTeclas(*teclas[k], 870 - 100 * static_cast<float>(posotros[k]) - d);
    // teclas k belongs to the k-th character other than the one on turn.
    for (size_t k = 0; k < 3; ++k)
        dibujarBotones(*teclas[k], 870 - 100 * static_cast<float>(posotros[k]) - d,
                       static_cast<int>(k) + (static_cast<int>(k) >= uno ? 1 : 0));
    SetImageFont(fuente);
    dibujarTitulo(titulo, d);
    dibujarLineas(textoOtros, 20 + d);
    dibujarPulsa(d);
}
