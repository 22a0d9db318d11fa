// "Guerra de bolas de papel": the set-up, the frame (walk, throws, landings) and the scene.
#include "minigames/guerra_bolas_papel/mini_juego8.h"

#include "engine/gestor_sonido.h"
#include "minigames/guerra_bolas_papel/cerebro_guerra_bolas_papel.h"
#include "platform/input/input.h"
#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <string>

TImagePtr TMiniJuego8::fondo;
TImagePtr TMiniJuego8::bola;

namespace {
// clang-format off
const TMiniJuegoCronometrado::TTextos kTextos = {
    "GUERRA DE BOLAS DE PAPEL",
    {
        "Te has levantado a por otra pizza",
        "y tus colegas han declarado la",
        "guerra... de bolas de papel!",
        "",
        "Mueve el RATON a lo largo del pasillo",
        "para esquivarlas: la sombra en el",
        "suelo te dice donde va a caer cada una.",
        "Si te dan tres veces, PIERDES.",
        "Aguanta 30 segundos!",
    },
    {
        "Ahi va el listo de la pizza...",
        "A por el!",
        "",
        "Con la primera tecla tirais recto",
        "a donde esta; con la segunda, una",
        "bola bombeada a donde va.",
        "Despues de cada tiro hay que",
        "recargar un momento.",
        "Tres impactos y es vuestro!",
    },
    {{{"Q", "W"}, {"V", "B"}, {"O", "P"}}},
};
// clang-format on

constexpr int kDePie = 1, kIzquierda = 2, kDerecha = 7, kEsperando = 8, kLanzando = 11, kCelebrando = 5,
              kDecepcionado = 6;
constexpr float kAlturaBombeo = 220, kAlturaRecto = 40;
}  // namespace

void TMiniJuego8::cargarRecursos() {
    cargarFuente();
    fondo = LoadImage("artwork/fondo-bolas.png");
    bola = LoadImage("artwork/bola-papel.png");
    if (bola) MidHandleImage(bola);
}

std::unique_ptr<TMiniJuego8> TMiniJuego8::Create(const VBAPtr& anim, const TPaquetes& pjsGFX) {
    return crear<TMiniJuego8>(anim, pjsGFX);
}

std::unique_ptr<asientos::TCerebro> TMiniJuego8::cerebro() const {
    return crearCerebro(*this);
}

const TMiniJuegoCronometrado::TTextos& TMiniJuego8::textos() const {
    return kTextos;
}

void TMiniJuego8::posicion(const TBola& b, float& bx, float& by, float& altura) {
    const float t = b.vuelo > 0 ? static_cast<float>(b.frame) / static_cast<float>(b.vuelo) : 1;
    bx = b.x0 + (b.destinoX - b.x0) * t;
    const float suelo = b.y0 + (kPasilloY - b.y0) * t;
    altura = (b.bombeo ? kAlturaBombeo : kAlturaRecto) * 4 * t * (1 - t) + 60 * (1 - t);
    by = suelo - altura;
}

void TMiniJuego8::empezar() {
    x = 512;
    velocidad = 0;
    impactos = 0;
    golpeadoEn = -10;
    bolas.clear();
    tiros = {};
    recargado = {};
    lanzandoHasta = {};
    animacionAndando = kDePie;
    animar(turno, kDePie);
    for (int c : otros) animar(c, kEsperando);
    for (const auto& par : asientos::TECLAS_DOS_TECLAS)
        for (int t : par) KeyHit(t);
}

void TMiniJuego8::lanzar(int k, bool bombeo) {
    TBola b;
    b.autor = k;
    b.bombeo = bombeo;
    b.x0 = kMesaX[static_cast<size_t>(k)];
    b.y0 = kMesaY - 60;
    b.vuelo = bombeo ? kVueloBombeo : kVueloRecto;
    // Straight at where he stands; a lob at where he will be if he keeps going.
    const float destino = bombeo ? x + velocidad * static_cast<float>(b.vuelo) : x;
    b.destinoX = std::clamp(destino, kMinX, kMaxX);
    bolas.push_back(b);
    ++tiros[static_cast<size_t>(k)];
    recargado[static_cast<size_t>(k)] = now() + kRecarga;
    lanzandoHasta[static_cast<size_t>(k)] = now() + 0.4f;
    animar(otros[static_cast<size_t>(k)], kLanzando);
    gestorSonido().reproducir("sfx/wosh.wav");
}

void TMiniJuego8::actualizar() {
    // The walker heads for the pointer along the aisle.
    const float objetivo = std::clamp(static_cast<float>(ratonX()), kMinX, kMaxX);
    velocidad = std::clamp(objetivo - x, -kVelocidad, kVelocidad);
    x += velocidad;
    const int a = velocidad < -0.5f ? kIzquierda : velocidad > 0.5f ? kDerecha : kDePie;
    if (a != animacionAndando) {
        animacionAndando = a;
        animar(turno, a);
    }

    for (int k = 0; k < 3; ++k) {
        const auto& teclas = asientos::TECLAS_DOS_TECLAS[static_cast<size_t>(k)];
        const bool recto = KeyHit(teclas[0]) > 0, bombeo = KeyHit(teclas[1]) > 0;
        if ((recto || bombeo) && now() >= recargado[static_cast<size_t>(k)]) lanzar(k, bombeo && !recto);
        if (lanzandoHasta[static_cast<size_t>(k)] != 0 && now() >= lanzandoHasta[static_cast<size_t>(k)]) {
            lanzandoHasta[static_cast<size_t>(k)] = 0;
            animar(otros[static_cast<size_t>(k)], kEsperando);
        }
    }

    for (TBola& b : bolas) ++b.frame;
    for (const TBola& b : bolas) {
        if (b.frame != b.vuelo || std::abs(b.destinoX - x) >= kAlcance) continue;
        ++impactos;
        golpeadoEn = now();
        gestorSonido().reproducir("sfx/oops.wav");
    }
    std::erase_if(bolas, [](const TBola& b) { return b.frame >= b.vuelo; });
}

void TMiniJuego8::alDecidir() {
    const bool gana = resultado == 1;
    animar(turno, gana ? kCelebrando : kDecepcionado);
    for (int c : otros) animar(c, gana ? kDecepcionado : kCelebrando);
    gestorSonido().reproducir(gana ? "sfx/yeha.wav" : "sfx/boum.wav");
}

void TMiniJuego8::dibujar() {
    DrawImage(fondo, 0, 0);
    for (int k = 0; k < 3; ++k)
        dibujarFigura(otros[static_cast<size_t>(k)], kMesaX[static_cast<size_t>(k)], kMesaY);
    // The shadows of the balls on the aisle, darker as they come down.
    for (const TBola& b : bolas) {
        const float t = static_cast<float>(b.frame) / static_cast<float>(b.vuelo);
        SetColor(0, 0, 0);
        SetAlpha(0.15f + 0.45f * t);
        DrawOval(b.destinoX - kAlcance * 0.7f, kPasilloY - 8, kAlcance * 1.4f, 16);
    }
    SetAlpha(1);
    // Just hit: he blinks for half a second.
    SetColor(255, 255, 255);
    if (now() - golpeadoEn > 0.5f || static_cast<int>(now() * 12) % 2 == 0)
        dibujarFigura(turno, x, kPasilloY);
    for (const TBola& b : bolas) {
        float bx, by, h;
        posicion(b, bx, by, h);
        SetTransform(static_cast<float>(b.frame) * 9, 1 + h / 400, 1 + h / 400);
        DrawImage(bola, bx, by);
    }
    SetTransform(0, 1, 1);
    // The hits so far, top left.
    SetImageFont(fuente);
    SetScale(0.6f, 0.6f);
    SetColor(0, 0, 0);
    DrawText("IMPACTOS: " + std::to_string(impactos) + " / 3", 22, 22);
    SetColor(255, 255, 255);
    DrawText("IMPACTOS: " + std::to_string(impactos) + " / 3", 20, 20);
    SetScale(1, 1);
}
