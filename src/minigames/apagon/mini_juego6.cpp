// "Apagon": the set-up, the frame (torch, creeping, catches) and the dark scene.
#include "minigames/apagon/mini_juego6.h"

#include "engine/gestor_sonido.h"
#include "minigames/apagon/cerebro_apagon.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TImagePtr TMiniJuego6::fondo;
TImagePtr TMiniJuego6::rack;

namespace {
// clang-format off
const TMiniJuegoCronometrado::TTextos kTextos = {
    "APAGON",
    {
        "Se ha ido la luz en el pabellon!",
        "Tus colegas quieren llegar al rack",
        "de servidores para enchufar sus",
        "maquinas antes que nadie... y tu",
        "no piensas permitirlo.",
        "",
        "Mueve el RATON para apuntar con",
        "la linterna: a quien pilles",
        "moviendose dentro de la luz",
        "vuelve a su sitio.",
        "Aguanta 30 segundos sin que nadie",
        "llegue al rack!",
    },
    {
        "A oscuras nadie nos ve... salvo",
        "el de la linterna!",
        "Llegad al rack de servidores y",
        "enchufad vuestras maquinas.",
        "",
        "Mantened pulsada vuestra tecla",
        "para avanzar y soltadla cuando",
        "os llegue la luz: si os pilla",
        "moviendoos, volveis al principio!",
        "(Q, B, P)",
    },
    {{{"Q"}, {"B"}, {"P"}}},
};
// clang-format on

constexpr int kQuieto = 8, kSubiendo = 4, kCelebrando = 5, kDecepcionado = 6, kDePie = 1;

float grados(float rad) {
    return rad * 180.0f / std::numbers::pi_v<float>;
}
float radianes(float g) {
    return g * std::numbers::pi_v<float> / 180.0f;
}
}  // namespace

void TMiniJuego6::cargarRecursos() {
    cargarFuente();
    fondo = LoadImage("artwork/fondo-apagon.png");
    rack = LoadImage("artwork/rack-apagon.png");
    if (rack)
        SetImageHandle(rack, static_cast<float>(ImageWidth(rack) / 2), static_cast<float>(ImageHeight(rack)));
}

std::unique_ptr<TMiniJuego6> TMiniJuego6::Create(const VBAPtr& anim, const TPaquetes& pjsGFX) {
    return crear<TMiniJuego6>(anim, pjsGFX);
}

std::unique_ptr<asientos::TCerebro> TMiniJuego6::cerebro() const {
    return crearCerebro(*this);
}

const TMiniJuegoCronometrado::TTextos& TMiniJuego6::textos() const {
    return kTextos;
}

float TMiniJuego6::anguloHacia(float x, float y) {
    return grados(std::atan2(x - kLinternaX, y - kLinternaY));
}

bool TMiniJuego6::iluminado(float x, float y) const {
    const float py = y - kAltoPecho;
    const float d = std::hypot(x - kLinternaX, py - kLinternaY);
    // Half the body's width widens the beam's edge at that distance.
    const float margen = d > 1 ? grados(std::atan(18.0f / d)) : 90.0f;
    return std::abs(anguloHacia(x, py) - angulo) < kMedio + margen;
}

void TMiniJuego6::animarSombra(int k, int a) {
    TSombra& s = sombras[static_cast<size_t>(k)];
    if (s.animacion == a) return;
    s.animacion = a;
    animar(otros[static_cast<size_t>(k)], a);
}

void TMiniJuego6::empezar() {
    angulo = 0;
    llegado = -1;
    for (int k = 0; k < 3; ++k) {
        TSombra& s = sombras[static_cast<size_t>(k)];
        const float a = radianes(-40.0f + 40.0f * static_cast<float>(k));
        s = TSombra{};
        s.x = s.x0 = kMetaX + kRadioSalida * std::sin(a);
        s.y = s.y0 = kMetaY + kRadioSalida * std::cos(a);
        s.animacion = -1;
        animarSombra(k, kQuieto);
    }
    animar(turno, kDePie);
}

void TMiniJuego6::actualizar() {
    // The torch turns towards the pointer, no faster than a hand can sweep it.
    const float objetivo =
        std::clamp(anguloHacia(static_cast<float>(ratonX()), static_cast<float>(ratonY())), -85.0f, 85.0f);
    angulo += std::clamp(objetivo - angulo, -kGiro, kGiro);

    const std::array<int, 3> teclas = asientos::TECLAS_UNA_TECLA;
    for (int k = 0; k < 3; ++k) {
        TSombra& s = sombras[static_cast<size_t>(k)];
        s.moviendo = KeyDown(teclas[static_cast<size_t>(k)]) != 0 && now() >= s.quietoHasta;
        if (!s.moviendo) {
            s.luz = 0;
            animarSombra(k, kQuieto);
            continue;
        }
        const float dx = kMetaX - s.x, dy = kMetaY - s.y, d = std::hypot(dx, dy);
        if (d <= kPaso + kLlegada) {
            s.x = kMetaX;
            s.y = kMetaY + kLlegada;
            llegado = k;
            return;
        }
        s.x += dx / d * kPaso;
        s.y += dy / d * kPaso;
        animarSombra(k, kSubiendo);
        s.luz = iluminado(s.x, s.y) ? s.luz + 1 : 0;
        if (s.luz >= kGracia) {
            ++s.pillado;
            s.luz = 0;
            s.x = s.x0;
            s.y = s.y0;
            s.moviendo = false;
            s.quietoHasta = now() + kAturdido;
            animarSombra(k, kDecepcionado);
            gestorSonido().reproducir("sfx/pillada.wav");
        }
    }
}

void TMiniJuego6::alDecidir() {
    const bool gana = resultado == 1;
    animar(turno, gana ? kCelebrando : kDecepcionado);
    for (int k = 0; k < 3; ++k) {
        sombras[static_cast<size_t>(k)].animacion = -1;
        animarSombra(k, gana ? kDecepcionado : kCelebrando);
    }
    gestorSonido().reproducir(gana ? "sfx/yeha.wav" : "sfx/boum.wav");
}

void TMiniJuego6::dibujar() {
    DrawImage(fondo, 0, 0);
    DrawImage(rack, kMetaX, kMetaY - 20);
    // Farther figures first.
    std::array<int, 3> orden{0, 1, 2};
    std::sort(orden.begin(), orden.end(), [&](int a, int b) {
        return sombras[static_cast<size_t>(a)].y < sombras[static_cast<size_t>(b)].y;
    });
    dibujarFigura(turno, kLinternaX, kLinternaY + 10);
    for (int k : orden)
        dibujarFigura(otros[static_cast<size_t>(k)], sombras[static_cast<size_t>(k)].x,
                      sombras[static_cast<size_t>(k)].y);

    // The dark, once the outcome is known the lights come back.
    const float oscuro = enJuego() ? 0.78f : std::max(0.0f, 0.78f - (now() - decidido) * 0.5f);
    SetColor(0, 0, 16);
    SetAlpha(oscuro);
    DrawRect(0, 0, 1024, 768);

    // The beam, a fan of light from the lens, and everybody it lights drawn again bright.
    const float largo = 1100;
    const float a0 = radianes(angulo - kMedio), a1 = radianes(angulo + kMedio);
    SetBlend(LIGHTBLEND);
    SetColor(255, 236, 160);
    SetAlpha(0.35f * oscuro / 0.78f);
    DrawPoly({kLinternaX, kLinternaY, kLinternaX + largo * std::sin(a0), kLinternaY + largo * std::cos(a0),
              kLinternaX + largo * std::sin(a1), kLinternaY + largo * std::cos(a1)});
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    SetAlpha(1);
    if (enJuego())
        for (int k : orden) {
            const TSombra& s = sombras[static_cast<size_t>(k)];
            if (iluminado(s.x, s.y)) dibujarFigura(otros[static_cast<size_t>(k)], s.x, s.y);
        }
}
