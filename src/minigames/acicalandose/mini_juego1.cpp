// "Acicalandose": the minigame itself (module resources, the play, the frame loop, the
// closing scene, the girls' spawning, lost kisses). Its characters live next to it:
// jugador_raton.cpp, jugador1_boton.cpp (with the arrows), beso.cpp, tolpusero.cpp.
#include "minigames/acicalandose/mini_juego1.h"

#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "minigames/acicalandose/cerebro_acicalandose.h"
#include "platform/base/random.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

// ---- module resources and texts ----

TImagePtr TMiniJuego1::corazon;
TImagePtr TMiniJuego1::flecha;
TImagePtr TMiniJuego1::fondo;
std::unique_ptr<TTiempo> TMiniJuego1::tiempo;
VBAPtr TMiniJuego1::anim;
TPaquetes TMiniJuego1::pjsGFX;

namespace {
constexpr int kEscape = 27;

const std::vector<std::string> kTextoTurno = {
    "He conseguido ligar!!!",
    "Tengo que llegar a las duchas ,",
    "para ponerme JUAPO JUAPO",
    "",
    "Pero esos envidiosos quieren",
    "evitar que mi cita tenga exito",
    "",
    "Hare CLICK con el RATON en",
    "el destino para MOVERME",
    "EVITANDO los BESOS y otras TOLPUSERAS",
    "LLEGAR a las DUCHAS y VOLVER",
    "para la cita",
};
const std::vector<std::string> kTextoOtros = {
    "- Maldita sea.... ",
    "- No nos comemos un colin...",
    "- Hay que hacer lo que sea para",
    "evitar que lo consiga",
    "",
    "- Lo que sea?....",
    "- LO QUE SEA",
    "",
    "Utilizaremos Q, B y P",
    " respectivamente para",
    "ATRAER a otras TOLPUSERAS",
    "con nuestro encanto.",
    "O MATARLE DEL ASCO",
    "a base de ALCANZARLE",
    "con  3 BESOS",
};

// Where the player's and the girls' feet can ever be while kisses fly: the girls walk
// the top at y = 50 and 100 and only ever go down from there; the player's y goal is
// kept at 150 or below and the faint lifts him one 6-unit step before the loop ends; on
// his way to the showers he gets as far right as 1256, on his way out as far left as -106.
constexpr float kYChicas = 50;
constexpr float kYMinGoal = 150;
constexpr float kXMinFiguras = -106;
constexpr float kXMaxFiguras = 1256;

float ImageWidthF(const TImagePtr& i) {
    return static_cast<float>(ImageWidth(i));
}
float ImageHeightF(const TImagePtr& i) {
    return static_cast<float>(ImageHeight(i));
}
}  // namespace

void TMiniJuego1::cargarRecursos() {
    corazon = LoadImage("artwork/corazon.png");
    flecha = LoadImage("artwork/flecha-superior.png");
    fondo = LoadImage("artwork/fondo-minijuego1.png");
    tiempo = TTiempo::Create(60);
    tiempo->update();
    // Its clock runs on from play to play: a saved match keeps it.
    TTiempo::registrarDuradero("acicalandose", tiempo.get());
}

// ---- the play ----

std::unique_ptr<TMiniJuego1> TMiniJuego1::Create(const VBAPtr& a, const TPaquetes& paquetes) {
    anim = a;
    pjsGFX = paquetes;
    if (!tiempo) {
        // Start-up makes the clock; a play before that still gets one.
        tiempo = TTiempo::Create(60);
        tiempo->update();
        TTiempo::registrarDuradero("acicalandose", tiempo.get());
    }
    return std::make_unique<TMiniJuego1>();
}

int TMiniJuego1::terminar() {
    // Escape held ends the play at once: a loss, unless the frame just shown had
    // already decided the outcome, which then stands.
    if (KeyDown(kEscape)) return Ganador == 2 ? 0 : Ganador;
    escenaFinal();
    return Ganador;
}

void TMiniJuego1::prepararJuego(int t) {
    fuente = LoadImageFont("artwork/comic.ttf", 20, SMOOTHFONT);
    cartelDuchas = LoadImage("artwork/cartel-duchas.png");
    cartelCita = LoadImage("artwork/cartel-cita.png");
    turno = t;
    auto paquete = [](int c) {
        return c >= 0 && c < static_cast<int>(pjsGFX.size()) ? pjsGFX[static_cast<size_t>(c)] : nullptr;
    };

    JTurno = TJugadorRaton::Create(paquete(t), 150, 550, t, this);
    const std::array<int, 3> otros = oponentes(t);
    for (int k = 0; k < 3; ++k)
        JNoTurno[static_cast<size_t>(k)] = TJugador1Boton::Create(paquete(otros[static_cast<size_t>(k)]),
                                                                  258.0f + 250.0f * k, 700, 81, k, this);
    JNoTurno[1]->Boton = 66;
    JNoTurno[2]->Boton = 80;

    const VGPPtr chica = paquete(PAQUETE_CHICA);
    alcanceJugador = anim && JTurno->gfx ? alcanceFigura(*anim, *JTurno->gfx) : 0;
    alcanceChica = anim && chica ? alcanceFigura(*anim, *chica) : 0;
}

void TMiniJuego1::explicar(int t) {
    auto ex = TExplicacion::Create(t, "ACICALANDOSE", kTextoTurno, kTextoOtros, {"Q"}, {"B"}, {"P"});
    ex->show();
}

bool TMiniJuego1::frameJuego() {
    Cls();
    SetBlend(ALPHABLEND);
    tiempo->update();
    crearTolpuseros();

    if (ResistenciaAlAmor < 1) {
        Ganador = 0;
        JTurno->teDanAsco();
    }

    SetRotation(0);
    DrawImage(fondo, 0, 0);

    JTurno->UpdateState();
    JTurno->DrawSelf();

    for (auto& j : JNoTurno) {
        j->UpdateState();
        j->DrawSelf();
    }

    for (auto it = Tolpuseros.begin(); it != Tolpuseros.end();) {
        // She may take herself off the list; she is still drawn this frame.
        std::shared_ptr<TTolpusero> g = *it++;
        g->UpdateState();
        g->DrawSelf();
    }

    SetImageFont(fuente);
    SetColor(255, 255, 255);
    SetRotation(0);
    DrawText("Asc-o-metro: " + std::to_string(ResistenciaAlAmor), 50, 700);

    const double parpadeo = std::fmod(static_cast<double>(now()), 0.4);
    if (JTurno->meta1 == 0 && parpadeo < 0.2) DrawImage(cartelDuchas, 868, 138);
    if (JTurno->meta1 == 3 && parpadeo < 0.2) DrawImage(cartelCita, 18, 138);

    Flip(1);
    tiempo->esperaFrame();
    return Ganador == 2 && !KeyDown(kEscape);
}

void TMiniJuego1::escenaFinal() {
    const float t = now();
    if (Ganador == 0) {
        if (Asco == 0) ponerAnimacion(*JTurno->anim, 6, t);
        for (auto& j : JNoTurno) ponerAnimacion(*j->anim, 5, t);
    } else {
        ponerAnimacion(*JTurno->anim, 4, t);
        for (auto& j : JNoTurno) ponerAnimacion(*j->anim, 6, t);
    }

    tiem = static_cast<double>(now()) + 3;
    do {
        Cls();
        tiempo->update();
        crearTolpuseros();
        DrawImage(fondo, 0, 0);
        JTurno->UpdateState();
        JTurno->DrawSelf();
        for (auto& j : JNoTurno) j->DrawSelf();
        for (auto it = Tolpuseros.begin(); it != Tolpuseros.end();) {
            std::shared_ptr<TTolpusero> g = *it++;
            g->UpdateState();
            g->DrawSelf();
        }
        Flip(1);
        tiempo->esperaFrame();
    } while (!(static_cast<double>(now()) > tiem));
}

int TMiniJuego1::crearTolpuseros() {
    DelayTolpusero1 += 1;
    DelayTolpusero2 += 1;
    const VGPPtr& chica = pjsGFX[PAQUETE_CHICA];
    if (DelayTolpusero1 > DelayTolpuseros && Rnd() < ProbTolpusero) {
        auto g = TTolpusero::Create(anim, chica, 0, this);
        Tolpuseros.push_back(g);
        g->SetLink(std::prev(Tolpuseros.end()));
        DelayTolpusero1 = 0;
    }
    if (DelayTolpusero2 > DelayTolpuseros && Rnd() < ProbTolpusero) {
        auto g = TTolpusero::Create(anim, chica, 1, this);
        Tolpuseros.push_back(g);
        g->SetLink(std::prev(Tolpuseros.end()));
        DelayTolpusero2 = 0;
    }
    return 0;
}

bool TMiniJuego1::besoPerdido(const TBeso& b) const {
    if (b.Speed <= 0 || !JTurno) return false;
    // Apart from its forward flight, a kiss only wanders by its loop: the loop's points
    // lie on a circle of radius Radio / (2 sin 2.5 deg), and the phase restarting at 5
    // adds one step per turn, which the forward flight more than makes up for within
    // the turn at every aim the arrows give (-84 to 84).
    const double radio = b.Radio / (2 * std::sin(2.5 * std::numbers::pi / 180));
    const float vuelta = static_cast<float>(2 * radio) + 2.0f * static_cast<float>(b.Radio);
    const float w = ImageWidthF(b.Image), h = ImageHeightF(b.Image);
    const float corazonAlcance = std::hypot(w - std::floor(w / 2), h);  // from its bottom centre
    const float margen = corazonAlcance + vuelta + 4;                   // 4: truncated positions, pixel edges

    const float alcance = std::max(alcanceJugador, alcanceChica);
    const float pieJugador = std::min(kYMinGoal, JTurno->Y) - 2.0f * JTurno->Speed;
    const float techo = std::min(kYChicas - alcanceChica, pieJugador - alcanceJugador);
    if (b.Y + margen < techo) return true;
    if (b.Angulo > 0 && b.X - margen > kXMaxFiguras + alcance) return true;
    if (b.Angulo < 0 && b.X + margen < kXMinFiguras - alcance) return true;
    return false;
}

std::unique_ptr<asientos::TCerebro> TMiniJuego1::cerebro() const {
    return crearCerebro(*this);
}
