// The board match. Sections:
//   module resources      roulette, marker, font
//   Create                board, roster, tokens, tiles, wall rows, decorations
//   start and the turn    the match loop, the roulette (girarRuleta), the walk (caminar)
//   square effects        lanzar, the whirling fade into a minigame (zoomJuego)
//   the winner            five seconds of celebration
//   drawing               the board frame, texts, roulette, portrait, token placement
#include "board/juego.h"

#include "board/resultado.h"
#include "engine/asiento/marca_cpu.h"
#include "engine/asiento/papeles.h"
#include "engine/gestor_sonido.h"
#include "engine/gl.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

TImagePtr TJuego::ruleta;
TImagePtr TJuego::marcador;
TImageFontPtr TJuego::fuente;

namespace {
// Board codes of the squares (the board's kinds with the match's 5 minigames and 2
// special kinds).
constexpr int SALIDA = 0;
constexpr int META = 1;
constexpr int PRIMER_MINIJUEGO = 10;
constexpr int ULTIMO_MINIJUEGO = 14;
constexpr int OTRA_TIRADA = 60;
constexpr int MUERTE = 61;

// Animation numbers of the shared set.
constexpr int ANIM_QUIETO = 1;
constexpr int ANIM_IZQUIERDA = 2;
constexpr int ANIM_ABAJO = 3;
constexpr int ANIM_ARRIBA = 4;
constexpr int ANIM_CELEBRA = 5;
constexpr int ANIM_DECEPCION = 6;
constexpr int ANIM_DERECHA = 7;

constexpr float kPasosPorSegundo = 2.5f;  // walking speed, squares per second
constexpr float kGiro = 990;              // roulette speed at the start, degrees per second
constexpr float kFrenado = 700;           // degrees per second per second once pressed
constexpr float kParpadeo = 0.25f;        // prompt blink period, seconds
constexpr int kGirando = -7;              // roll while the wheel still turns

// Tiles 9 (floor) .. 20 (tables) may turn into walls or decorations.
bool esSuelo(int tile) {
    return tile >= 9 && tile <= 20;
}

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

// ---- module resources ----

void TJuego::cargarRecursos() {
    ruleta = LoadImage("artwork/ruleta-de-la-muerte.png", FILTEREDIMAGE | MIPMAPPEDIMAGE);
    if (ruleta) MidHandleImage(ruleta);
    marcador = LoadImage("artwork/ruleta-de-la-muerte-marcador.png", FILTEREDIMAGE | MIPMAPPEDIMAGE);
    if (marcador) MidHandleImage(marcador);
    fuente = LoadImageFont("artwork/comic.ttf", 200, SMOOTHFONT);
}

// ---- Create: board, tokens, tiles ----

std::unique_ptr<TJuego> TJuego::Create(int numPlayers, int tipo, const VBAPtr& vba,
                                       const std::array<VGPPtr, 5>& gfx, TLanzadorMiniJuego lanzador) {
    auto j = std::make_unique<TJuego>();
    j->tipo = tipo;
    const int nGames = j->initJuegos();
    const int nSpecial = 2;
    if (numPlayers < 2 || numPlayers > 4) throw GameError("TJuego::Create numPlayers <2 / > 4");
    j->lanzador = std::move(lanzador);

    j->anim = vba;
    j->animPortrait = vba;
    j->pjsGFX = gfx;
    for (AnimStatePtr& p : j->portraitAnim) p = AnimState::Create(j->animPortrait);

    int n = 0;
    if (tipo == 0)
        n = Rand(18, 24);
    else if (tipo == 1)
        n = Rand(26, 35);
    else if (tipo == 2)
        n = Rand(40, 55);
    else
        n = Rand(26, 35);  // any other class plays the usual board

    j->tiempo = TTiempo::Create(60);
    j->tablero = TTablero::Create(n, nGames, nSpecial);
    j->mapa = TMapa::Create(TTablero::LADO, TTablero::LADO, TTablero::TAM_CASILLA);
    j->cam = j->mapa->getCamera();
    j->equipo = TEquipo::Create(numPlayers);

    for (int i = 0; i < numPlayers; ++i) {
        TFichaPtr f = TFicha::Create(j->mapa);
        f->init(j->anim, j->pjsGFX[static_cast<size_t>(i)]);
        j->fichas.push_back(f);
        j->sprites.push_back(f);
    }

    TMapa& m = *j->mapa;
    for (int x = 0; x < TTablero::LADO; ++x) {
        for (int y = 0; y < TTablero::LADO; ++y) {
            const int codigo = j->tablero->getPos(x, y);
            int tile = 0;
            if (codigo == SALIDA)
                tile = 0;
            else if (codigo == META)
                tile = 1;
            else if (codigo >= OTRA_TIRADA)
                tile = codigo - 53;
            else if (codigo >= PRIMER_MINIJUEGO)
                tile = codigo - 8;
            else if (codigo == -1) {
                if (Rand(0, 100) < 50) {
                    tile = 9;  // plain floor, now and then decorated
                    if (Rand(0, 100) < 15) tile = Rand(10, 12);
                } else {
                    tile = TMapa::getMesaAleatoria();
                }
            } else {
                throw GameError("TJuego::Create casilla no definida");
            }
            m.setTile(x, y, static_cast<uint8_t>(tile));
        }
    }

    // Rows of wall across the floor and the tables; squares are never covered.
    int fila = Rand(0, 28);
    while (fila <= TTablero::LADO - 1) {
        for (int x = 0; x < TTablero::LADO; ++x)
            if (esSuelo(m.getTile(x, fila)))
                m.setTile(x, fila, static_cast<uint8_t>(TMapa::getParedAleatoria()));
        fila += Rand(5, 19) + 1;
    }

    // Three-tile decorations (left, middle and right piece) on free floor only.
    fila = Rand(0, 5);
    while (fila <= TTablero::LADO - 1) {
        int x = Rand(3, 20);
        while (x <= TTablero::LADO - 1) {
            if (esSuelo(m.getTile(x - 2, fila)) && esSuelo(m.getTile(x - 1, fila)) &&
                esSuelo(m.getTile(x, fila))) {
                const int k = Rand(0, 1);
                m.setTile(x - 2, fila, static_cast<uint8_t>(21 + 3 * k));
                m.setTile(x - 1, fila, static_cast<uint8_t>(22 + 3 * k));
                m.setTile(x, fila, static_cast<uint8_t>(23 + 3 * k));
            }
            x += Rand(20, 40) + 1;
        }
        fila += Rand(1, 3) + 1;
    }
    return j;
}

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
            int a = ANIM_ARRIBA;
            if (tablero->getCasillaX(hacia) < tablero->getCasillaX(desde))
                a = ANIM_IZQUIERDA;
            else if (tablero->getCasillaX(hacia) > tablero->getCasillaX(desde))
                a = ANIM_DERECHA;
            else if (tablero->getCasillaY(hacia) > tablero->getCasillaY(desde))
                a = ANIM_ABAJO;
            animarFicha(s, a);
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

    if (codigo >= PRIMER_MINIJUEGO && codigo <= ULTIMO_MINIJUEGO) {
        if (!lanzador) throw GameError("TJuego::lanzar sin lanzador de minijuegos");
        zoomJuego();
        resultado = lanzador(codigo - PRIMER_MINIJUEGO, *equipo) != 0 ? 1 : 0;
        jugado = true;
    } else if (codigo == OTRA_TIRADA) {
        pasaTurno = false;
        gestorSonido().reproducir("sfx/yeha.wav");
    } else if (codigo == MUERTE) {
        resultado = 0;
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
    TImagePtr blanco = CreateImage(1024, 768, 8);
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
    dibujarMarcaCPU(s, 345, 625, 1.5f);
}

void TJuego::dibujaClick() {
    textoConBorde("PULSA UNA TECLA!");
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
