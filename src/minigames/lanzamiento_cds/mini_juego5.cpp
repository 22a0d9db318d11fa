// "Lanzamiento de CDs": the minigame itself (module resources, texts, the play, the frame
// loop, points and outcome). Its characters and discs live next to it: 5_jugador_raton.cpp,
// 5_jugador.cpp, 5_cd.cpp.
#include "minigames/lanzamiento_cds/mini_juego5.h"

#include "engine/explicacion.h"
#include "minigames/lanzamiento_cds/cerebro_lanzamiento_cds.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <cmath>

TImagePtr TMiniJuego5::imgCD;

const std::vector<std::string> TMiniJuego5::textoTurno = {
    "Necesito descansar!",
    "Voy a relajarme un poco practicando el",
    "noble deporte del lanzamiento de CD's.",
    "Soy el mejor!",
    "",
    "Necesito hacer 10 puntos en 30 segundos",
    "para ganar...",
    "",
    "Sin embargo mis colegas van a intentar",
    "fastidiarme para que siga programando.",
    "Hum... y si hago rebotar los discos en",
    "las paredes?",
    // How a throw is made: pressing, dragging and letting go of the left button (a click
    // alone throws nothing).
    "Lanza: arrastra con el boton izquierdo y suelta",
};

const std::vector<std::string> TMiniJuego5::textoOtros = {
    "En vez de aprovechar el tiempo,",
    "este tio se va a jugar!",
    "",
    "Vamos a coger los CD's al vuelo",
    "para que pierda y vuelva al trabajo.",
    "",
    "Nos moveremos con Q-W, V-B y O-P",
    "respectivamente para movernos",
    "a izquierda y derecha.",
};

void TMiniJuego5::cargarRecursos() {
    imgCD = LoadImage("artwork/cd.png");
}

std::unique_ptr<TMiniJuego5> TMiniJuego5::Create(const VBAPtr& a, const TPaquetes& paquetes) {
    auto m = std::make_unique<TMiniJuego5>();
    m->anim = a;
    m->pjsGFX = paquetes;
    for (auto& s : m->pjsAnim) s = AnimState::Create(a);
    return m;
}

AnimState* TMiniJuego5::animDe(int c) const {
    if (c < 0 || c >= static_cast<int>(pjsAnim.size())) return nullptr;
    return pjsAnim[static_cast<size_t>(c)].get();
}

const VGP* TMiniJuego5::paqueteDe(int c) const {
    if (c < 0 || c >= static_cast<int>(pjsGFX.size())) return nullptr;
    return pjsGFX[static_cast<size_t>(c)].get();
}

void TMiniJuego5::ponerAnimacion(int c, int a, int loop) {
    if (AnimState* s = animDe(c)) s->ChangeAnim(a, now() * 1000, loop, 0, 0);
}

void TMiniJuego5::dibujarHuesosDe(int c, int x, int y) const {
    const AnimState* s = animDe(c);
    const VGP* g = paqueteDe(c);
    if (s && g) dibujarHuesos(*s, *g, static_cast<float>(x), static_cast<float>(y));
}

// ---- the play ----

void TMiniJuego5::explicar(int t) {
    auto ex = TExplicacion::Create(t, "LANZAMIENTO DE CD's", textoTurno, textoOtros, {"Q", "W"}, {"V", "B"},
                                   {"O", "P"});
    ex->show();
}

void TMiniJuego5::prepararJuego(int t) {
    tiempo = TTiempo::Create(60);
    imgFondo = LoadImage("artwork/fondo-minijuego5.png");
    fuentePequena = LoadImageFont("artwork/comic.ttf", 20, SMOOTHFONT);
    fuenteGrande = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);

    jugadorRaton = T5JugadorRaton::Create(t, this);
    const std::array<int, 3> otros = oponentes(t);
    for (size_t k = 0; k < 3; ++k)
        jugadores[k] = T5Jugador::Create(otros[k], 256 * static_cast<int>(k + 1), 760, teclasDosTeclas[k][0],
                                         teclasDosTeclas[k][1], this);

    tiempo->update();
    tiempoIni = now();
}

int TMiniJuego5::segundosRestantes() const {
    return static_cast<int>(std::ceil(limiteTiempo - (static_cast<double>(now()) - tiempoIni)));
}

int TMiniJuego5::frameJuego() {
    // Escape skips the play and the player on turn keeps the move; once the outcome is
    // on screen it only cuts the closing scene short, the outcome standing.
    if (KeyHit(KEY_ESCAPE) > 0) return timeOut != 0 || win != 0 ? win : 1;

    // ---- update ----
    tiempo->update();
    const double ahora = now();
    const int left = segundosRestantes();
    if (left < 0 && timeOut == 0 && win == 0) {
        jugadorRaton->Status = 1;
        ponerAnimacion(jugadorRaton->pj, 6);
        for (auto& j : jugadores) {
            j->Status = 2;
            ponerAnimacion(j->pj, 5);
        }
        timeOut = 1;
        timer = ahora;
    }

    jugadorRaton->UpdateState();
    for (auto it = cds.begin(); it != cds.end();) {
        // A disc may take itself off the floor; nothing else leaves the list here.
        std::shared_ptr<T5CD> d = *it++;
        d->UpdateState();
    }
    for (auto& j : jugadores) j->UpdateState();

    // The outcome decides the closing scene's start; the flags, not the time stamp,
    // say whether there is one (a stamp of 0 s would otherwise never end the play).
    if ((timeOut != 0 || win != 0) && ahora - timer >= 5) return win;

    // ---- drawing ----
    Cls();
    DrawImage(imgFondo, 0, 0);
    SetBlend(ALPHABLEND);
    jugadorRaton->DrawSelf();
    for (auto& j : jugadores) j->DrawSelf();
    for (const auto& d : cds) d->DrawSelf();

    SetImageFont(fuentePequena);
    SetColor(0, 0, 0);
    DrawText("PUNTOS: " + std::to_string(puntosRetador), 10, 30);
    if (timeOut == 0 && win == 0) DrawText("TIEMPO: " + std::to_string(left), 890, 30);
    if (timeOut == 1) {
        SetImageFont(fuenteGrande);
        SetColor(255, 255, 255);
        DrawText("TIEMPO AGOTADO", 270, 344);
    } else if (win == 1) {
        SetImageFont(fuenteGrande);
        SetColor(255, 255, 255);
        DrawText("BIEN HECHO!", 270, 344);
    }
    SetColor(255, 255, 255);
    Flip(1);
    tiempo->esperaFrame();
    return -1;
}

int TMiniJuego5::sumaPunto() {
    if (timeOut != 0) return 0;
    puntosRetador += 1;
    if (puntosRetador == puntuacionNecesaria) {
        win = 1;
        timer = now();
        jugadorRaton->Status = 2;
        ponerAnimacion(jugadorRaton->pj, 5);
        for (auto& j : jugadores) {
            j->Status = 1;
            ponerAnimacion(j->pj, 6);
        }
    }
    return 0;
}

asientos::TPapeles TMiniJuego5::asientos(int turno) const {
    return asientosDosTeclas(turno);
}

std::unique_ptr<asientos::TCerebro> TMiniJuego5::cerebro() const {
    return crearCerebro(*this);
}
