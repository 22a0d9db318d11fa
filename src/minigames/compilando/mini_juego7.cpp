// "Compilando...": the set-up, the frame (keys, bugs, clicks) and the three screens.
#include "minigames/compilando/mini_juego7.h"

#include "engine/gestor_sonido.h"
#include "minigames/compilando/cerebro_compilando.h"
#include "platform/base/random.h"
#include "platform/input/input.h"
#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <string>

TImagePtr TMiniJuego7::fondo;
TImagePtr TMiniJuego7::bicho;

namespace {
// clang-format off
const TMiniJuegoCronometrado::TTextos kTextos = {
    "COMPILANDO...",
    {
        "Tus colegas estan compilando sus",
        "proyectos para el concurso y tu",
        "aun no has escrito ni una linea.",
        "Habra que ponerles las cosas dificiles!",
        "",
        "De vez en cuando salen BICHOS en",
        "sus pantallas: haz CLICK con el raton",
        "encima de un bicho y su compilacion",
        "peta y vuelve atras.",
        "Si en 30 segundos nadie ha terminado",
        "de compilar, GANAS!",
    },
    {
        "El concurso esta a punto de cerrar",
        "y hay que entregar YA!",
        "",
        "Aporread vuestra tecla para llenar",
        "la barra de compilacion. El primero",
        "que la llene gana para los tres.",
        "Pero cuidado con los bichos: si",
        "vuestro colega los aplasta, vuestra",
        "compilacion peta!",
        "(Q, B, P)",
    },
    {{{"Q"}, {"B"}, {"P"}}},
};
// clang-format on

constexpr int kTrabajando = 12, kEsperando = 8, kCelebrando = 5, kDecepcionado = 6;
constexpr float kFiguraY = 660;
}  // namespace

void TMiniJuego7::cargarRecursos() {
    cargarFuente();
    fondo = LoadImage("artwork/fondo-compilando.png");
    bicho = LoadImage("artwork/bicho.png");
    if (bicho) MidHandleImage(bicho);
}

std::unique_ptr<TMiniJuego7> TMiniJuego7::Create(const VBAPtr& anim, const TPaquetes& pjsGFX) {
    return crear<TMiniJuego7>(anim, pjsGFX);
}

std::unique_ptr<asientos::TCerebro> TMiniJuego7::cerebro() const {
    return crearCerebro(*this);
}

const TMiniJuegoCronometrado::TTextos& TMiniJuego7::textos() const {
    return kTextos;
}

void TMiniJuego7::empezar() {
    barra = {};
    teclazos = {};
    bichos.clear();
    aplastados = 0;
    compilado = -1;
    proximoBicho = 1.0f;
    for (int c : otros) animar(c, kTrabajando);
    animar(turno, kEsperando);
    // Hits made during the explanation do not count.
    for (int t : asientos::TECLAS_UNA_TECLA) KeyHit(t);
    MouseHit(1);
}

// A new bug, more likely on a screen with more code on it.
void TMiniJuego7::sacarBicho() {
    float total = 0;
    for (float b : barra) total += 10 + b;
    float r = static_cast<float>(Rand(0, 999)) / 1000.0f * total;
    int k = 0;
    while (k < 2 && r >= 10 + barra[static_cast<size_t>(k)]) r -= 10 + barra[static_cast<size_t>(k++)];
    TBicho b;
    b.pantalla = k;
    b.x = kPantallaX[static_cast<size_t>(k)] + static_cast<float>(Rand(-80, 80));
    b.y = kArriba + static_cast<float>(Rand(40, 110));
    const float a = static_cast<float>(Rand(0, 359)) * 3.14159265f / 180.0f;
    b.dx = std::cos(a) * kPasoBicho;
    b.dy = std::sin(a) * kPasoBicho;
    b.nace = now();
    bichos.push_back(b);
}

void TMiniJuego7::actualizar() {
    const std::array<int, 3> teclas = asientos::TECLAS_UNA_TECLA;
    for (int k = 0; k < 3; ++k) {
        const int golpes = KeyHit(teclas[static_cast<size_t>(k)]);
        if (golpes <= 0) continue;
        teclazos[static_cast<size_t>(k)] += golpes;
        barra[static_cast<size_t>(k)] += kPorTecla * static_cast<float>(golpes);
        if (barra[static_cast<size_t>(k)] >= 100) {
            barra[static_cast<size_t>(k)] = 100;
            compilado = k;
            return;
        }
    }

    if (now() >= proximoBicho) {
        sacarBicho();
        proximoBicho = now() + static_cast<float>(Rand(150, 250)) / 100.0f;
    }
    // Bugs crawl about their screen, and go when their time is up.
    for (TBicho& b : bichos) {
        if (b.aplastado) continue;
        const float cx = kPantallaX[static_cast<size_t>(b.pantalla)];
        b.x += b.dx;
        b.y += b.dy;
        if (b.x < cx - kAncho / 2 + 20 || b.x > cx + kAncho / 2 - 20) b.dx = -b.dx;
        if (b.y < kArriba + 20 || b.y > kArriba + kAlto - 40) b.dy = -b.dy;
    }
    // A click on a bug crashes that screen's build.
    if (MouseHit(1) > 0) {
        const float mx = static_cast<float>(ratonX()), my = static_cast<float>(ratonY());
        for (TBicho& b : bichos) {
            if (b.aplastado || std::hypot(mx - b.x, my - b.y) > kRadioBicho) continue;
            b.aplastado = true;
            b.aplastadoEn = now();
            float& bar = barra[static_cast<size_t>(b.pantalla)];
            bar = std::max(0.0f, bar - kCaida);
            ++aplastados;
            animar(otros[static_cast<size_t>(b.pantalla)], kDecepcionado);
            gestorSonido().reproducir("sfx/stomp.wav");
            break;
        }
    }
    std::erase_if(bichos, [&](const TBicho& b) {
        return b.aplastado ? now() - b.aplastadoEn > 0.5f : now() - b.nace > kVidaBicho;
    });
    // Back to the keyboard once the crash has sunk in.
    for (const TBicho& b : bichos)
        if (b.aplastado && now() - b.aplastadoEn > 0.45f)
            animar(otros[static_cast<size_t>(b.pantalla)], kTrabajando);
}

void TMiniJuego7::alDecidir() {
    const bool gana = resultado == 1;
    animar(turno, gana ? kCelebrando : kDecepcionado);
    for (int k = 0; k < 3; ++k)
        animar(otros[static_cast<size_t>(k)], k == compilado || !gana ? kCelebrando : kDecepcionado);
    gestorSonido().reproducir(gana ? "sfx/yeha.wav" : "sfx/hey.wav");
}

void TMiniJuego7::dibujarPantalla(int k) const {
    const float cx = kPantallaX[static_cast<size_t>(k)], x0 = cx - kAncho / 2;
    const float b = barra[static_cast<size_t>(k)];
    // Lines of code, more of them the further the build has gone.
    SetColor(60, 220, 90);
    const int lineas = 1 + static_cast<int>(b / 10);
    for (int i = 0; i < lineas && i < 10; ++i) {
        const float largo = static_cast<float>(30 + (i * 37 + k * 53) % 150);
        DrawRect(x0 + 12 + static_cast<float>((i % 3) * 12), kArriba + 10 + static_cast<float>(i) * 11, largo,
                 5);
    }
    // The compile bar along the bottom of the screen, and its figure.
    SetColor(255, 255, 255);
    DrawRect(x0 + 10, kArriba + kAlto - 30, kAncho - 20, 20);
    SetColor(20, 30, 40);
    DrawRect(x0 + 12, kArriba + kAlto - 28, kAncho - 24, 16);
    SetColor(b > 80 ? 255 : 80, b > 80 ? 120 : 220, 60);
    DrawRect(x0 + 12, kArriba + kAlto - 28, (kAncho - 24) * b / 100, 16);
    SetImageFont(fuente);
    SetScale(0.4f, 0.4f);
    SetColor(255, 255, 255);
    DrawText(std::to_string(static_cast<int>(b)) + "%", cx - 20, kArriba + kAlto - 58);
    SetScale(1, 1);
}

void TMiniJuego7::dibujar() {
    DrawImage(fondo, 0, 0);
    for (int k = 0; k < 3; ++k) dibujarPantalla(k);
    SetColor(255, 255, 255);
    for (const TBicho& b : bichos) {
        if (b.aplastado) {
            SetAlpha(std::max(0.0f, 1 - (now() - b.aplastadoEn) * 2));
            SetTransform(0, 1.4f, 0.5f);
        } else {
            SetTransform(std::sin(now() * 20 + b.x) * 15, 1, 1);
        }
        DrawImage(bicho, b.x, b.y);
        SetAlpha(1);
    }
    SetTransform(0, 1, 1);
    for (int k = 0; k < 3; ++k)
        dibujarFigura(otros[static_cast<size_t>(k)], kPantallaX[static_cast<size_t>(k)], kFiguraY);
    dibujarFigura(turno, 512, 760);
    // The pointer: a sight over the screens.
    if (enJuego()) {
        const float mx = static_cast<float>(ratonX()), my = static_cast<float>(ratonY());
        SetColor(255, 60, 60);
        DrawLine(mx - 14, my, mx + 14, my);
        DrawLine(mx, my - 14, mx, my + 14);
    }
}
