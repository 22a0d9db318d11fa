// "Acicalandose". Sections:
//   1. module resources and texts
//   2. TMiniJuego1: play, frame loop, closing scene, spawning, lost kisses
//   3. TJugadorRaton (the player on turn)
//   4. TJugador1Boton and TFlecha (the opponents and their arrows)
//   5. TBeso (kisses)
//   6. TTolpusero (girls)
#include "minigames/mini_juego1.h"

#include "board/equipo.h"
#include "engine/explicacion.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/render.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

// ---- 1. module resources and texts ----

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

// Moves v by paso toward objetivo.
float hacia(float v, float objetivo, float paso) { return v < objetivo ? v + paso : v - paso; }

float ImageWidthF(const TImagePtr& i) { return static_cast<float>(ImageWidth(i)); }
float ImageHeightF(const TImagePtr& i) { return static_cast<float>(ImageHeight(i)); }
}  // namespace

void TMiniJuego1::cargarRecursos() {
    corazon = LoadImage("artwork/corazon.png");
    flecha = LoadImage("artwork/flecha-superior.png");
    fondo = LoadImage("artwork/fondo-minijuego1.png");
    tiempo = TTiempo::Create(60);
    tiempo->update();
}

// ---- 2. TMiniJuego1 ----

std::unique_ptr<TMiniJuego1> TMiniJuego1::Create(const VBAPtr& a, const TPaquetes& paquetes) {
    anim = a;
    pjsGFX = paquetes;
    if (!tiempo) {
        // Start-up makes the clock; a play before that still gets one.
        tiempo = TTiempo::Create(60);
        tiempo->update();
    }
    return std::make_unique<TMiniJuego1>();
}

int TMiniJuego1::iniciarJuego(const TEquipo& e) {
    prepararJuego(e.getTurno());
    equipo = &e;
    explicar();
    while (frameJuego()) {
    }
    if (KeyDown(kEscape)) return 0;
    escenaFinal();
    return Ganador;
}

void TMiniJuego1::prepararJuego(int t) {
    fuente = LoadImageFont("artwork/comic.ttf", 20, SMOOTHFONT);
    cartelDuchas = LoadImage("artwork/cartel-duchas.png");
    cartelCita = LoadImage("artwork/cartel-cita.png");
    turno = t;
    auto paquete = [](int c) { return c >= 0 && c < static_cast<int>(pjsGFX.size()) ? pjsGFX[static_cast<size_t>(c)] : nullptr; };

    JTurno = TJugadorRaton::Create(paquete(t), 150, 550, t, this);
    const std::array<int, 3> otros = oponentes(t);
    for (int k = 0; k < 3; ++k)
        JNoTurno[static_cast<size_t>(k)] =
            TJugador1Boton::Create(paquete(otros[static_cast<size_t>(k)]), 258.0f + 250.0f * k, 700, 81, k, this);
    JNoTurno[1]->Boton = 66;
    JNoTurno[2]->Boton = 80;

    const VGPPtr chica = paquete(PAQUETE_CHICA);
    alcanceJugador = anim && JTurno->gfx ? alcanceFigura(*anim, *JTurno->gfx) : 0;
    alcanceChica = anim && chica ? alcanceFigura(*anim, *chica) : 0;
}

void TMiniJuego1::explicar() {
    auto ex = TExplicacion::Create(turno, "ACICALANDOSE", kTextoTurno, kTextoOtros, {"Q"}, {"B"}, {"P"});
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
    const VGPPtr chica = PAQUETE_CHICA < static_cast<int>(pjsGFX.size()) ? pjsGFX[PAQUETE_CHICA] : nullptr;
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
    const float margen = corazonAlcance + vuelta + 4;  // 4: truncated positions, pixel edges

    const float alcance = std::max(alcanceJugador, alcanceChica);
    const float pieJugador = std::min(kYMinGoal, JTurno->Y) - 2.0f * JTurno->Speed;
    const float techo = std::min(kYChicas - alcanceChica, pieJugador - alcanceJugador);
    if (b.Y + margen < techo) return true;
    if (b.Angulo > 0 && b.X - margen > kXMaxFiguras + alcance) return true;
    if (b.Angulo < 0 && b.X + margen < kXMinFiguras - alcance) return true;
    return false;
}

// ---- 3. TJugadorRaton ----

std::unique_ptr<TJugadorRaton> TJugadorRaton::Create(const VGPPtr& gfx, float x, float y, int /*pj*/,
                                                     TMiniJuego1* papa) {
    auto j = std::make_unique<TJugadorRaton>();
    j->X = x;
    j->Y = y;
    j->XGoal = static_cast<int>(x);
    j->YGoal = static_cast<int>(y);
    j->gfx = gfx;
    j->papa = papa;
    j->anim = AnimState::Create(TMiniJuego1::anim);
    if (j->anim) TMiniJuego::ponerAnimacion(*j->anim, 1, TMiniJuego1::now());
    return j;
}

int TJugadorRaton::DrawSelf() {
    if (anim && gfx) TMiniJuego::dibujarPersonaje(*anim, *gfx, X, Y);
    return 0;
}

int TJugadorRaton::UpdateState() {
    const float now = TMiniJuego1::now();
    const float paso2 = 2.0f * static_cast<float>(Speed);
    if (anim) {
        anim->Update(now * 1000);
        anim->PrepareBoneList(now * 1000, 1, 1, 0);
    }
    SetRotation(0);

    if (papa->Asco != 0) {
        // Fainted: floats up off the screen, drifting to the middle.
        if (Y > -100) Y -= paso2;
        if (std::abs(X - 512) > paso2) X = hacia(X, 512, paso2);
        return 0;
    }

    if (MouseDown(1)) {
        const int rx = TMiniJuego::ratonX(), ry = TMiniJuego::ratonY();
        if (std::abs(static_cast<float>(rx) - X) > paso2) XGoal = rx;
        if (std::abs(static_cast<float>(ry) - Y) > paso2) YGoal = ry;
        SetRotation(0);
    }

    if (meta1 == 0 && X > 968) meta1 = 1;
    if (meta1 == 3 && X > 968) X = 968;
    if (meta1 == 0 && X < 50) X = 50;
    if (meta1 == 3 && X < 50) meta1 = 4;
    YGoal = std::clamp(YGoal, 150, 600);

    switch (meta1) {
        case 1:  // on to the showers
            if (X >= 1250) {
                meta1 = 2;
                if (anim) TMiniJuego::ponerAnimacion(*anim, 2, now);
            } else {
                X += paso2;
            }
            break;
        case 2:  // back from the showers
            if (X <= 968) {
                meta1 = 3;
                if (anim) TMiniJuego::ponerAnimacion(*anim, 1, now);
                XGoal = static_cast<int>(X);
                YGoal = static_cast<int>(Y);
            } else {
                X -= paso2;
            }
            break;
        case 4:  // out to the date
            if (X <= -100) {
                X = 300;
                Y = 900;
                papa->Ganador = 1;
                meta1 = 5;
                Novia = TTolpusero::Create(TMiniJuego1::anim, TMiniJuego1::pjsGFX.size() > PAQUETE_CHICA
                                                                  ? TMiniJuego1::pjsGFX[PAQUETE_CHICA]
                                                                  : nullptr,
                                           1, papa);
                if (Novia->anim) TMiniJuego::ponerAnimacion(*Novia->anim, 4, now);
                Novia->eresMiNovia();
            } else {
                X -= paso2;
            }
            break;
        case 5:  // off with the date; she and the hearts go under him
            if (Y > -100) Y -= paso2;
            if (std::abs(X - 512) > paso2) X = hacia(X, 512, static_cast<float>(Speed));
            Novia->X = X + 30;
            Novia->Y = Y;
            if (Novia->anim) {
                Novia->anim->Update(now * 1000);
                Novia->anim->PrepareBoneList(now * 1000, 1, 1, 0);
            }
            Novia->DrawSelf();
            DrawImage(TMiniJuego1::corazon, X + 7, Y - 70);
            DrawImage(TMiniJuego1::corazon, X + 23, Y - 90);
            break;
        default:  // 0 and 3: walking
            caminar();
            break;
    }
    return 0;
}

void TJugadorRaton::caminar() {
    const float v = static_cast<float>(Speed);
    const float x0 = X, y0 = Y;
    if (std::abs(static_cast<float>(XGoal) - X) < v) XGoal = static_cast<int>(X);
    else X = hacia(X, static_cast<float>(XGoal), v);
    if (std::abs(static_cast<float>(YGoal) - Y) < v) YGoal = static_cast<int>(Y);
    else Y = hacia(Y, static_cast<float>(YGoal), v);

    int a = 1;
    if (X > x0) a = 7;
    else if (X < x0) a = 2;
    else if (Y > y0) a = 3;
    else if (Y < y0) a = 4;
    if (anim && anim->CurrentAnim != a) TMiniJuego::ponerAnimacion(*anim, a, TMiniJuego1::now());
}

int TJugadorRaton::tanPillao() {
    if (anim) TMiniJuego::ponerAnimacion(*anim, 6, TMiniJuego1::now());
    papa->Ganador = 0;
    return 0;
}

int TJugadorRaton::teDanAsco() {
    papa->Asco = 1;
    gestorSonido().reproducir("sfx/superbuegh.wav");
    if (anim) TMiniJuego::ponerAnimacion(*anim, 4, TMiniJuego1::now());
    return 0;
}

// ---- 4. TJugador1Boton and TFlecha ----

std::unique_ptr<TJugador1Boton> TJugador1Boton::Create(const VGPPtr& gfx, float x, float y, int boton,
                                                       int quien, TMiniJuego1* papa) {
    auto j = std::make_unique<TJugador1Boton>();
    j->X = x;
    j->Y = y;
    j->gfx = gfx;
    j->papa = papa;
    j->Flecha = TFlecha::Create(TMiniJuego1::flecha, x, y - 60);
    j->anim = AnimState::Create(TMiniJuego1::anim);
    if (j->anim) TMiniJuego::ponerAnimacion(*j->anim, 8, TMiniJuego1::now());
    j->QuienSoY = static_cast<float>(quien);
    j->Boton = boton;
    return j;
}

int TJugador1Boton::UpdateState() {
    const float now = TMiniJuego1::now();
    Flecha->UpdateState();
    Flecha->DrawSelf();
    if (anim) anim->Update(now * 1000);
    shotsdelaY += 1;

    // The key is read every frame, so a press during the wait is used up.
    if (KeyHit(Boton) > 0 && shotsdelaY > 50) {
        auto b = TBeso::Create(TMiniJuego1::corazon, static_cast<float>(static_cast<int>(X)),
                               static_cast<float>(static_cast<int>(Y)),
                               static_cast<float>(static_cast<int>(Flecha->getAngulo())),
                               static_cast<int>(QuienSoY), papa);
        Besos.push_back(b);
        b->SetLink(&Besos, std::prev(Besos.end()));
        shotsdelaY = 0;
    }

    for (auto it = Besos.begin(); it != Besos.end();) {
        // A kiss takes itself off the list when it touches something; it is still drawn
        // in that frame.
        std::shared_ptr<TBeso> b = *it++;
        if (papa->olvidarBesosPerdidos && papa->besoPerdido(*b)) {
            // Far out of everybody's reach, and flying on away: nothing can ever see
            // or feel it again.
            b->quitarse();
            continue;
        }
        b->UpdateState();
        b->DrawSelf();
    }
    return 0;
}

int TJugador1Boton::DrawSelf() {
    if (!anim || !gfx) return 0;
    const float now = TMiniJuego1::now();
    anim->Update(now * 1000);
    GL::push();
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    anim->PrepareBoneList(now * 1000, 1, 1, 0);
    TMiniJuego::dibujarHuesos(*anim, *gfx, X, Y);
    GL::pop();
    return 0;
}

std::unique_ptr<TFlecha> TFlecha::Create(const TImagePtr& image, float x, float y) {
    auto f = std::make_unique<TFlecha>();
    f->Image = image;
    f->X = x;
    f->Y = y;
    if (image) SetImageHandle(image, static_cast<float>(ImageWidth(image) / 2), ImageHeightF(image));
    return f;
}

int TFlecha::UpdateState() {
    Angulo += static_cast<float>(Speed);
    // Turns after passing 80, so the sweep reaches 84 and -84.
    if (Angulo > 80 || Angulo < -80) Speed = -Speed;
    return 0;
}

int TFlecha::DrawSelf() {
    SetRotation(Angulo);
    DrawImage(Image, X, Y);
    return 0;
}

// ---- 5. TBeso ----

std::shared_ptr<TBeso> TBeso::Create(const TImagePtr& image, float x, float y, float angulo, int autor,
                                     TMiniJuego1* papa) {
    auto b = std::make_shared<TBeso>();
    b->Image = image;
    if (image) SetImageHandle(image, static_cast<float>(ImageWidth(image) / 2), ImageHeightF(image));
    b->X = x;
    b->Y = y;
    b->Angulo = angulo;
    b->Autor = autor;
    b->papa = papa;
    gestorSonido().reproducir("sfx/muack.wav");
    return b;
}

int TBeso::SetLink(TListaBesos* l, TListaBesos::iterator link) {
    lista = l;
    Link = link;
    return 0;
}

void TBeso::quitarse() {
    if (!lista) return;
    lista->erase(Link);
    lista = nullptr;
}

int TBeso::UpdateState() {
    if (Rotacion > 360) Rotacion = 0;
    Rotacion += 5;
    constexpr double grado = std::numbers::pi / 180;
    X = static_cast<float>(X + std::cos((Angulo - 90) * grado) * Speed + std::cos(Rotacion * grado) * Radio);
    Y = static_cast<float>(Y + std::sin((Angulo - 90) * grado) * Speed + std::sin(Rotacion * grado) * Radio);
    detectaColisiones();
    return 0;
}

int TBeso::detectaColisiones() {
    const TImagePtr& heart = TMiniJuego1::corazon;
    // Every girl is tested, also after one has been touched.
    for (const auto& g : papa->Tolpuseros) {
        if (!g->anim || !g->gfx) continue;
        if (TMiniJuego::colisionPoseImagen(*g->anim, *g->gfx, g->X, g->Y, heart, X, Y, 30, 1, 1)) {
            const TJugador1Boton& j = *papa->JNoTurno[static_cast<size_t>(Autor)];
            g->Enamorame(Autor, j.X, j.Y);
            gestorSonido().reproducir("sfx/mmm.wav");
            quitarse();
        }
    }
    const TJugadorRaton& p = *papa->JTurno;
    if (p.anim && p.gfx && TMiniJuego::colisionPoseImagen(*p.anim, *p.gfx, p.X, p.Y, heart, X, Y, 30, 1, 1)) {
        papa->ResistenciaAlAmor -= 1;
        gestorSonido().reproducir("sfx/buegh.wav");
        quitarse();
    }
    return 0;
}

int TBeso::DrawSelf() {
    GL::push();
    SetRotation(30);
    SetBlend(LIGHTBLEND);
    DrawImage(Image, X, Y);
    SetBlend(ALPHABLEND);
    GL::pop();
    return 0;
}

// ---- 6. TTolpusero ----

std::shared_ptr<TTolpusero> TTolpusero::Create(const VBAPtr& a, const VGPPtr& gfx, int tipo, TMiniJuego1* papa) {
    auto g = std::make_shared<TTolpusero>();
    g->anim = AnimState::Create(a);
    g->gfx = gfx;
    g->Tipo = tipo;
    g->papa = papa;
    const float now = TMiniJuego1::now();
    if (tipo == 0) {
        g->X = 1000;
        g->Y = 100;
        if (g->anim) TMiniJuego::ponerAnimacion(*g->anim, 2, now);
    } else {
        g->X = -100;
        g->Y = 50;
        if (g->anim) TMiniJuego::ponerAnimacion(*g->anim, 7, now);
    }
    return g;
}

int TTolpusero::SetLink(TListaTolpuseros::iterator l) {
    link = l;
    enLista = true;
    return 0;
}

void TTolpusero::quitarse() {
    if (!enLista) return;
    papa->Tolpuseros.erase(link);
    enLista = false;
}

int TTolpusero::Enamorame(int autor, float x, float y) {
    Tipo = 2;
    EnamoradoDe = autor;
    XAmor = static_cast<int>(x + 50);
    YAmor = static_cast<int>(y);
    if (anim) TMiniJuego::ponerAnimacion(*anim, 3, TMiniJuego1::now());
    return 0;
}

int TTolpusero::DetectaColisiones() {
    const TJugadorRaton& p = *papa->JTurno;
    if (!anim || !gfx || !p.anim || !p.gfx) return 0;
    if (TMiniJuego::colisionPoses(*anim, *gfx, X, Y, *p.anim, *p.gfx, p.X, p.Y)) {
        papa->JTurno->tanPillao();
        gestorSonido().reproducir("sfx/hey.wav");
    }
    return 0;
}

int TTolpusero::UpdateState() {
    const float now = TMiniJuego1::now();
    if (anim) {
        anim->Update(now * 1000);
        anim->PrepareBoneList(now * 1000, 1, 1, 0);
    }
    switch (Tipo) {
        case 0:
            if (X > -50) X -= static_cast<float>(Speed);
            else quitarse();
            break;
        case 1:
            if (X >= 1024) quitarse();
            else X += static_cast<float>(Speed);
            break;
        case 2: {
            // The line grows downward: each girl already there pushes the next 20 lower.
            TJugador1Boton& j = *papa->JNoTurno[static_cast<size_t>(EnamoradoDe)];
            const float destino = static_cast<float>(YAmor + 20 * j.Fans);
            if (Y >= destino) {
                j.Fans += 1;
                Tipo = 3;
            } else {
                Y += static_cast<float>(Speed);
                if (std::abs(static_cast<float>(XAmor) - X) > static_cast<float>(Speed))
                    X = hacia(X, static_cast<float>(XAmor), static_cast<float>(Speed));
                DetectaColisiones();
            }
            break;
        }
        default:
            break;
    }
    return 0;
}

int TTolpusero::eresMiNovia() {
    novia = 1;
    return 0;
}

int TTolpusero::DrawSelf() {
    if (!anim || !gfx) return 0;
    GL::push();
    SetTransform(Angulo, 1, 1);
    SetColor(255, 255, 255);
    SetAlpha(1);
    TMiniJuego::dibujarHuesos(*anim, *gfx, X, Y);
    GL::pop();
    return 0;
}
