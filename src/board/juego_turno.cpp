// The board match, its turns: the match loop, the roulette (girarRuleta), the walk
// (caminar), the squares' effects (lanzar) with the whirling fade into a minigame
// (zoomJuego), and the winner's five seconds of celebration.
#include "board/juego.h"

#include "board/resultado.h"
#include "engine/andar.h"
#include "engine/asiento/papeles.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/base/errors.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Animation numbers of the shared set (the walking ones are andar's).
constexpr int ANIM_QUIETO = andar::ANIM_QUIETO;
constexpr int ANIM_CELEBRA = 5;
constexpr int ANIM_DECEPCION = 6;

constexpr float kPasosPorSegundo = 2.5f;  // walking speed, squares per second
constexpr float kGiro = 990;              // roulette speed at the start, degrees per second
constexpr float kFrenado = 700;           // degrees per second per second once pressed
constexpr float kParpadeo = 0.25f;        // prompt blink period, seconds
constexpr int kGirando = -7;              // roll while the wheel still turns
}  // namespace

// ---- start and the turn ----

void TJuego::start() {
    cam->setFrame(0, 0, 1024, 768, 0);
    cam->setZoom(1);
    while (!salir() && ganado < 0) {
        tiempo->update();
        enTurno();
    }
    if (ganado >= 0) ganador(ganado);
}

void TJuego::enTurno() {
    const int s = equipo->getTurno();
    if (alEmpezarTurno) alEmpezarTurno(*this);
    if (s >= 0 && s < 4) ++estadisticas[static_cast<size_t>(s)].turnos;
    // Only the seat on turn plays the board, with the pointer.
    asientos::TPapelesPublicados publicados(asientos::soloRaton(s));
    const int tirada = girarRuleta(s);
    if (tirada > 0) caminar(tirada);
}

void TJuego::resultadoRuleta(float angle, int& tirada, float& reposo) {
    double a = std::fmod(static_cast<double>(angle) - 30, 360.0);
    if (a < 0) a += 360;
    const int sector = std::clamp(static_cast<int>(a / 60), 0, 5);  // 0 .. 5 from 0 degrees
    tirada = 6 - sector;
    reposo = static_cast<float>(((sector + 1) * 60) % 360);
}

int TJuego::girarRuleta(int s) {
    float velocidad = kGiro;
    float angulo = 90;
    float parpadeo = ahora() + kParpadeo;
    bool aviso = true;
    bool pulsado = false;
    int tirada = kGirando;

    animarPortrait(s, ANIM_QUIETO);
    for (size_t i = 0; i < fichas.size(); ++i) animarFicha(static_cast<int>(i), ANIM_QUIETO);
    FlushKeys();
    FlushMouse();
    tiempo->update();
    TChannelPtr canal = gestorSonido().reproducir("sfx/dado.wav");

    ruletaEsperando = true;
    while (!KeyDown(KEY_ESCAPE) && tirada < 0) {
        if (!pulsado && ahora() > parpadeo) {
            parpadeo += kParpadeo;
            aviso = !aviso;
        }
        Cls();
        tiempo->update();
        const float inc = tiempo->getInc(0);

        if (!pulsado) {
            if (GetChar() != 0 || MouseDown(1) != 0 || MouseDown(2) != 0) {
                pulsado = true;
                ruletaEsperando = false;
                aviso = false;
            } else if (!canal || canal->Playing() == 0) {
                // The rolling sound repeats until the press.
                canal = gestorSonido().reproducir("sfx/dado.wav");
            }
        }
        if (pulsado && tirada == kGirando) {
            velocidad -= kFrenado * inc;
            if (velocidad < 10) {
                int valor = 0;
                resultadoRuleta(angulo, valor, angulo);
                tirada = -valor;  // shown for a second before the walk
                gestorSonido().reproducir("sfx/boing.wav");
                velocidad = 0;
                parpadeo = ahora() + 1;
            }
        } else if (pulsado && ahora() > parpadeo) {
            tirada = std::abs(tirada);
        }

        dibujarTablero(s, [&] { angulo += velocidad * inc; });
        dibujaRuleta(angulo);
        if (aviso) dibujaClick();
        Flip(1);
        tiempo->esperaFrame();
    }
    ruletaEsperando = false;
    return tirada;
}

void TJuego::caminar(int tirada) {
    TJugador& jugador = equipo->getJugador(equipo->getTurno());
    bool atras = false;
    const auto origen = static_cast<float>(static_cast<int>(jugador.getPosicion()));

    while (!salir() && ganado < 0 && tirada > 0) {
        const float p = jugador.getPosicion();
        const int q = static_cast<int>(p);
        const float f = p - static_cast<float>(q);
        const int s = equipo->getTurno();
        Cls();
        tiempo->update();
        const float inc = tiempo->getInc(0);
        const float paso = kPasosPorSegundo * inc;

        if (f == 0) {
            // Off the square: the step's direction picks the walking animation.
            const float nueva = atras ? static_cast<float>(q) - 0.01f : static_cast<float>(q) + 0.01f;
            jugador.setPosicion(nueva);
            const int desde = atras ? static_cast<int>(nueva) + 1 : static_cast<int>(nueva);
            const int hacia = atras ? static_cast<int>(nueva) : static_cast<int>(nueva) + 1;
            // Two squares on one spot show as a step up.
            animarFicha(s, andar::animacion(tablero->getCasillaX(desde), tablero->getCasillaY(desde),
                                            tablero->getCasillaX(hacia), tablero->getCasillaY(hacia),
                                            andar::ANIM_ARRIBA));
        } else if (atras) {
            // A step that would reach or pass the square below counts as arriving, so
            // a frame ending exactly on the square does not skip the step's count.
            if (p - paso > static_cast<float>(q)) {
                jugador.setPosicion(p - paso);
            } else {
                jugador.setPosicion(static_cast<float>(q));
                --tirada;
                if (tirada == 0) {
                    animarFicha(s, ANIM_QUIETO);
                    if (lanzar(tablero->getCasilla(q)) == 0) jugador.setPosicion(origen);
                }
            }
        } else {
            if (p + paso < static_cast<float>(q + 1)) {
                jugador.setPosicion(p + paso);
            } else {
                const int llegada = q + 1;
                jugador.setPosicion(static_cast<float>(llegada));
                --tirada;
                const int codigo = tablero->getCasilla(llegada);
                if (codigo == META && tirada == 0) {
                    ganado = s;
                    for (size_t i = 0; i < fichas.size(); ++i)
                        animarFicha(static_cast<int>(i),
                                    static_cast<int>(i) == s ? ANIM_CELEBRA : ANIM_DECEPCION);
                    animarPortrait(s, ANIM_CELEBRA);
                } else if (codigo == META) {
                    atras = true;  // the steps left are walked back from the finish
                } else if (tirada == 0) {
                    animarFicha(s, ANIM_QUIETO);
                    if (lanzar(codigo) == 0) jugador.setPosicion(origen);
                }
            }
        }

        dibujarTablero(s);
        Flip(1);
        tiempo->esperaFrame();
    }
}

// ---- square effects and the zoom into a minigame ----

int TJuego::lanzar(int codigo) {
    int resultado = 1;
    bool pasaTurno = true;
    bool jugado = false;

    if (codigo >= PRIMER_MINIJUEGO && codigo < PRIMER_MINIJUEGO + initJuegos()) {
        if (!lanzador) throw GameError("TJuego::lanzar sin lanzador de minijuegos");
        zoomJuego();
        resultado = lanzador(codigo - PRIMER_MINIJUEGO, *equipo) != 0 ? 1 : 0;
        jugado = true;
        const int turno = equipo->getTurno();
        for (int i = 0; i < equipo->getNJugadores() && i < 4; ++i) {
            TEstadistica& e = estadisticas[static_cast<size_t>(i)];
            const bool gana = (i == turno) == (resultado == 1);
            ++(gana ? e.ganados : e.perdidos);
        }
    } else if (codigo == OTRA_TIRADA) {
        pasaTurno = false;
        gestorSonido().reproducir("sfx/yeha.wav");
    } else if (codigo == MUERTE) {
        resultado = 0;
        const int turno = equipo->getTurno();
        if (turno >= 0 && turno < 4) ++estadisticas[static_cast<size_t>(turno)].muertes;
        gestorSonido().reproducir("sfx/boum.wav");
    }

    if (jugado) TResultado::Create(equipo->getTurno(), resultado)->show();
    if (resultado == 0) gestorSonido().reproducir("sfx/boum.wav");
    if (pasaTurno) equipo->pasaTurno();
    if (KeyDown(KEY_ESCAPE)) abandonar = true;  // the flush below would forget it
    SetColor(255, 255, 255);
    SetAlpha(1);
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    FlushKeys();
    FlushMouse();
    return resultado;
}

void TJuego::zoomJuego() {
    float fundido = 0;
    TImagePtr blanco = CreateImage(1024, 768);
    if (TPixmapPtr px = LockImage(blanco, 0)) px->ClearPixels(0xFFFFFFFF);
    UnlockImage(blanco, 0);
    gestorSonido().reproducir("sfx/juego.wav");

    while (!KeyDown(KEY_ESCAPE) && fundido < 1) {
        const int s = equipo->getTurno();
        Cls();
        tiempo->update();
        const float inc = tiempo->getInc(0);
        dibujarTablero(s);
        GL::push();
        SetAlpha(fundido);
        SetBlend(ALPHABLEND);
        DrawImage(blanco, 0, 0, 0);
        GL::pop();
        Flip(1);
        fundido += 0.85f * inc;
        cam->setZoom(cam->getZoom() + 5 * inc);
        cam->setAngle(cam->getAngle() + 1000 * inc);
        tiempo->esperaFrame();
    }
    if (KeyDown(KEY_ESCAPE)) abandonar = true;  // the minigame still starts; the match ends after it
    cam->setZoom(1);
    cam->setAngle(0);
}

bool TJuego::salir() const {
    return abandonar || KeyDown(KEY_ESCAPE) != 0;
}

// ---- the winner ----

void TJuego::ganador(int slot) {
    const float fin = ahora() + 5;
    gestorSonido().reproducir("sfx/yeha.wav");
    gestorSonido().reproducir("sfx/yeha.wav");
    while (!KeyDown(KEY_ESCAPE) && ahora() < fin) {
        Cls();
        tiempo->update();
        dibujarTablero(slot, {}, [this] { dibujaWin(); });
        Flip(1);
        tiempo->esperaFrame();
    }
}
