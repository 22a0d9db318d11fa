// "No te mojes": the minigame itself (module resources, the play, the floor layers, the
// frame loop with the water level, ripples and sprays). Its characters live next to it:
// 2_jugador_raton.cpp (the player on turn) and 2_jugador_agua.cpp (the hoses).
#include "minigames/no_te_mojes/mini_juego2.h"

#include "engine/pausa.h"
#include "engine/explicacion.h"
#include "engine/gl.h"
#include "minigames/no_te_mojes/cerebro_no_te_mojes.h"
#include "platform/base/errors.h"
#include "platform/base/text.h"
#include "platform/frame.h"
#include "platform/input/input.h"
#include "platform/session/clock.h"
#include "platform/video/render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

TImagePtr TMiniJuego2::imgBola;

namespace {
constexpr int kEscape = 27;
constexpr int kMsVaciado = 200;  // one drain step every 200 ms

const std::vector<std::string> kTextoTurno = {
    "Empiezas a oler y asi no hay quien programe!",
    "Necesitas llegar hasta las duchas RAPIDO,",
    "pero no va a ser nada facil!",
    "A medida que avanzas, gracias a tus colegas",
    "el suelo se ira encharcando poco a poco.",
    "Cuidado, que resbala!",
    "Si te metes en un charco, PIERDES!",
    "",
    "Haz CLICK con el raton en el punto",
    "al que te quieras mover para ",
    "desplazarte intentando esquivar",
    "los charcos. Date prisa!",
};
const std::vector<std::string> kTextoOtros = {
    "Con la excusa de la ducha este tio",
    "intenta escaquearse de dar el callo",
    "para terminar el juego a tiempo!",
    "Hagamos que se pegue el trompazo",
    "de su vida encharcandole las duchas!",
    "",
    "Debeis pulsar vuestra",
    "correspondiente tecla en el",
    "momento justo en el que llegue",
    "el agua a la boca de la manguera.",
    "(Q, B, P)",
};

// Milliseconds from `desde` to `hasta` on the wrapping 32-bit clock.
int32_t msEntre(int32_t desde, int32_t hasta) {
    return static_cast<int32_t>(static_cast<uint32_t>(hasta) - static_cast<uint32_t>(desde));
}

double senoGrados(double g) {
    return std::sin(g * std::numbers::pi / 180.0);
}
}  // namespace

void TMiniJuego2::cargarRecursos() {
    imgBola = LoadImage("artwork/manguera-hinchada.png");
}

// ---- the play ----

std::unique_ptr<TMiniJuego2> TMiniJuego2::Create(const VBAPtr& a, const TPaquetes& paquetes) {
    auto m = std::make_unique<TMiniJuego2>();
    m->anim = a;
    m->pjsGFX = paquetes;
    for (auto& s : m->pjsAnim) s = AnimState::Create(a);
    m->tiempo = TTiempo::Create(60);
    return m;
}

void TMiniJuego2::explicar(int t) {
    auto ex = TExplicacion::Create(t, "NO TE MOJES", kTextoTurno, kTextoOtros, {"Q"}, {"B"}, {"P"});
    ex->show();
}

void TMiniJuego2::prepararJuego(int t) {
    if (t < 0 || t > 3) throw GameError("TMiniJuego2::iniciarJuego turno < 0 || turno > 3");
    turno = t;

    imgFondo = LoadImage("artwork/fondo-minijuego2.png");
    fuente = LoadImageFont("artwork/comic.ttf", 50, SMOOTHFONT);
    for (size_t i = 0; i < animChorro.size(); ++i) {
        animChorro[i] = LoadImage("artwork/chorro" + std::to_string(i + 1) + ".png");
        SetImageHandle(animChorro[i], 40, 1);
    }
    for (size_t i = 0; i < texturaAgua2.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        TImagePtr img =
            LoadImage("agua/save." + std::string(i + 1 < 10 ? "0" : "") + n + ".png", DYNAMICIMAGE);
        texturaAgua2[i] = LockImage(img, 0, true, true);
    }

    noise = TPerlinNoise::Create(64, 64);
    noise->generateNoise();
    ruido = noise->toArray(ANCHO_SUELO, ALTO_SUELO, 64);
    generaAgua(nivel + 20, nivel);
    generaManchas();

    jugadorRaton = T2JugadorRaton::Create(t, 384, 760, this);
    const std::array<int, 3> otros = oponentes(t);
    for (size_t k = 0; k < 3; ++k) {
        TImagePtr manguera = LoadImage(std::string(asientos::personaje(otros[k]).carpeta) + "/manguera.png");
        jugadoresAgua[k] = T2JugadorAgua::Create(manguera, static_cast<int>(k), teclas[k], this);
    }

    // The first frame drains at once (as if the last step were long ago), whatever the
    // clock reads, also after it has wrapped.
    tiempoVaciado = static_cast<int32_t>(static_cast<uint32_t>(pausa::reloj()) - kMsVaciado);
}

int TMiniJuego2::frameJuego() {
    // Escape skips the play and the player on turn keeps the move; once the outcome is
    // on screen it only cuts the closing scene short, the outcome standing.
    if (KeyHit(kEscape) > 0) return win != 0 || lose != 0 ? win : 1;

    // ---- update ----
    tiempo->update();
    const int32_t reloj = pausa::reloj();
    if (msEntre(tiempoVaciado, reloj) >= kMsVaciado) {
        nivelObjetivo -= 1;
        tiempoVaciado = reloj;
    }
    nivelObjetivo = std::max(nivelObjetivo, 0);
    if (nivel < nivelObjetivo)
        ++nivel;
    else if (nivel > nivelObjetivo)
        --nivel;

    jugadorRaton->UpdateState();
    for (auto& h : jugadoresAgua) h->UpdateState();
    for (size_t k = 0; k < 3; ++k) {
        if (echandoAgua[k] != 0) {
            circuloAgua[k] = 10;
            frameChorro[k] = 1;
            echandoAgua[k] = 0;
        }
    }
    // The outcome is set together with its time; a decision at clock time 0 still ends.
    if ((win != 0 || lose != 0) && static_cast<double>(now()) - timer >= 5) return win;

    // ---- drawing ----
    GL::push();
    Cls();
    DrawImage(imgFondo, 0, 0);
    SetBlend(ALPHABLEND);
    generaAgua(nivel + 20, nivel);
    SetScale(2, 2);
    DrawImage(imgManchas, 0, Y_SUELO);
    DrawImage(imgAgua, 0, Y_SUELO);
    SetScale(1, 1);
    dibujarOndasYChorros();
    jugadorRaton->DrawSelf();
    for (auto& h : jugadoresAgua) h->DrawSelf();
    if (win == 1) {
        SetImageFont(fuente);
        SetColor(255, 255, 255);
        DrawText("BIEN HECHO!", 270, 344);
    } else if (lose == 1) {
        SetImageFont(fuente);
        SetColor(255, 255, 255);
        DrawText("HAS PERDIDO!", 230, 344);
    }
    GL::pop();

    Flip(1);
    tiempo->esperaFrame();
    frameAgua = (frameAgua + 1) % FRAMES_AGUA;
    return -1;
}

void TMiniJuego2::dibujarOndasYChorros() {
    const int gw = GraphicsWidth(), gh = GraphicsHeight();
    for (size_t k = 0; k < 3; ++k) {
        const int c = circuloAgua[k];
        if (c > 0) {
            // A ripple of radius 2c on the floor's right edge beside hose k, kept on the
            // floor; it slows as it spreads and fades out at 100.
            SetViewport(0, gh * 128 / 768, gw * 768 / 1024, gh * 640 / 768);
            SetColor(32, 64, 255);
            SetAlpha(0.5f - static_cast<float>(c) * 0.5f / 100);
            const float r2 = 2.0f * static_cast<float>(c);
            DrawOval(768 - r2, 280.0f + 100.0f * static_cast<float>(k) - r2, 4.0f * static_cast<float>(c),
                     4.0f * static_cast<float>(c));
            SetAlpha(1);
            SetColor(255, 255, 255);
            circuloAgua[k] = static_cast<int>(c + 10 - 9 * senoGrados((c * 90) / 100));
            SetViewport(0, 0, gw, gh);
        }
        if (circuloAgua[k] > 100) circuloAgua[k] = 0;
        const int f = frameChorro[k];
        if (f > 0) {
            DrawImage(animChorro[static_cast<size_t>(f - 1)], 783, 240.0f + 100.0f * static_cast<float>(k));
            frameChorro[k] = f + 1 > 6 ? 0 : f + 1;
        }
    }
}

// ---- the floor ----

int TMiniJuego2::generaAgua(int alto, int bajo) {
    if (ruido.size() < static_cast<size_t>(ANCHO_SUELO))
        throw GameError("TMiniJuego2::generaAgua ruido < 384 x 320");
    for (int x = 0; x < ANCHO_SUELO; ++x)
        if (ruido[static_cast<size_t>(x)].size() < static_cast<size_t>(ALTO_SUELO))
            throw GameError("TMiniJuego2::generaAgua ruido < 384 x 320");

    // The water's marks are kept for esAguaLetal, which reads the floor from them.
    aguaAlto = alto;
    aguaBajo = bajo;
    // One image for the whole play: its pixels change in place every frame, and so does
    // its texture. It exists even in frames nobody sees, where it is drawn (and traced).
    if (!imgAgua) imgAgua = CreateImage(ANCHO_SUELO, ALTO_SUELO, 1, -1);
    // A frame nobody sees (a follower hurrying to catch up) needs no new picture of the water.
    if (!FrameWillBeSeen()) return 0;
    TPixmapPtr destino = LockImage(imgAgua, 0, false, true);
    if (!destino || destino->format != PF_RGBA8888 || destino->width < ANCHO_SUELO ||
        destino->height < ALTO_SUELO)
        return 0;
    const TPixmap* textura = texturaAgua2[static_cast<size_t>(frameAgua)].get();
    // The texture tiles the floor every 128 cells; a smaller picture tiles at its own size
    // (a missing one reads as black).
    const int tw = textura ? std::clamp(textura->width, 1, LADO_TEXTURA) : 1;
    const int th = textura ? std::clamp(textura->height, 1, LADO_TEXTURA) : 1;

    // A cell's four bytes are those of its tinted texel (alpha 0) or'ed with those of its
    // alpha (colour 0): one store per cell, whatever the machine's byte order.
    auto bytes = [](uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        const uint8_t v[4] = {r, g, b, a};
        uint32_t u;
        std::memcpy(&u, v, 4);
        return u;
    };
    // The tinted colour of each texel of the tile.
    std::array<uint32_t, LADO_TEXTURA * LADO_TEXTURA> tinte{};
    const bool rgba = textura && textura->format == PF_RGBA8888;  // as loaded: read its bytes
    for (int y = 0; y < th; ++y) {
        const uint8_t* fila = rgba ? textura->row(y) : nullptr;
        for (int x = 0; x < tw; ++x) {
            const uint32_t texel =
                fila ? (uint32_t(fila[x * 4]) << 16 | uint32_t(fila[x * 4 + 1]) << 8 | fila[x * 4 + 2])
                     : (textura ? textura->ReadPixel(x, y) : 0);
            tinte[static_cast<size_t>(y * LADO_TEXTURA + x)] =
                bytes(static_cast<uint8_t>(std::min<uint32_t>(((texel >> 16) & 0xFF) + 32, 255)),
                      static_cast<uint8_t>(std::min<uint32_t>(((texel >> 8) & 0xFF) + 64, 255)),
                      static_cast<uint8_t>(std::min<uint32_t>((texel & 0xFF) + 255, 255)), 0);
        }
    }

    // The water's alpha for a noise height: clear up to the low mark, at its thickest from
    // the high one, in between in proportion. Heights run 0..255, so a table of those
    // serves every cell; any other height is worked out as it comes.
    auto alfaDe = [&](int d) { return alfaAgua(d, alto, bajo); };
    std::array<uint32_t, 256> alfa{};
    for (int d = 0; d < 256; ++d) alfa[static_cast<size_t>(d)] = bytes(0, 0, 0, alfaDe(d));
    std::array<int, ANCHO_SUELO> columnaTextura{};
    for (int x = 0; x < ANCHO_SUELO; ++x) columnaTextura[static_cast<size_t>(x)] = x % tw;

    // Sixteen columns at a time, row by row: the noise is read down its columns and the
    // floor written along its rows, a cache line at a time.
    constexpr int kColumnas = 16;
    for (int x0 = 0; x0 < ANCHO_SUELO; x0 += kColumnas) {
        const int x1 = std::min(x0 + kColumnas, ANCHO_SUELO);
        std::array<const int*, kColumnas> columnas{};
        for (int x = x0; x < x1; ++x)
            columnas[static_cast<size_t>(x - x0)] = ruido[static_cast<size_t>(x)].data();
        for (int y = 0, ty = 0; y < ALTO_SUELO; ++y, ty = ty + 1 == th ? 0 : ty + 1) {
            const auto* tinteFila = &tinte[static_cast<size_t>(ty * LADO_TEXTURA)];
            uint8_t* p = destino->row(y) + static_cast<size_t>(x0) * 4;
            for (int x = x0; x < x1; ++x, p += 4) {
                const int d = columnas[static_cast<size_t>(x - x0)][y];
                const uint32_t celda = tinteFila[columnaTextura[static_cast<size_t>(x)]] |
                                       (static_cast<unsigned>(d) < 256 ? alfa[static_cast<size_t>(d)]
                                                                       : bytes(0, 0, 0, alfaDe(d)));
                std::memcpy(p, &celda, 4);
            }
        }
    }
    UnlockImage(imgAgua, 0);
    return 0;
}

int TMiniJuego2::generaManchas() {
    imgManchas = CreateImage(ANCHO_SUELO, ALTO_SUELO, 1, -1);
    TPixmapPtr p = LockImage(imgManchas, 0, true, true);
    if (!p) return 0;
    for (int y = 0; y < ALTO_SUELO; ++y) {
        for (int x = 0; x < ANCHO_SUELO; ++x) {
            const size_t ix = static_cast<size_t>(x), iy = static_cast<size_t>(y);
            const int a = ix < ruido.size() && iy < ruido[ix].size() ? ruido[ix][iy] : 255;
            const uint32_t alfa = a <= 100 ? static_cast<uint32_t>((100 - a) * 255 / 100) : 0;
            p->WritePixel(x, y, (alfa << 24) | 0x333333u);
        }
    }
    UnlockImage(imgManchas, 0);
    return 0;
}

// The water's alpha for a noise height: clear up to the low mark, at its thickest from the
// high one, in between in proportion.
uint8_t TMiniJuego2::alfaAgua(int d, int alto, int bajo) {
    int e;
    if (d <= bajo)
        e = 0;
    else if (d >= alto)
        e = 150;
    else
        e = (d - bajo) * 150 / (alto - bajo);
    return static_cast<uint8_t>(150 - e);
}

// The floor's cell under a point (the floor is drawn at twice its size) is deep water when
// the water's alpha there, as last drawn, passes 140. It is worked out from the noise and
// the marks of the last generaAgua rather than read back from the picture, which a frame
// nobody sees does not make.
int TMiniJuego2::esAguaLetal(int x, int y) {
    const int yp = y - Y_SUELO;
    if (yp < 0) return 0;
    const int cx = x / 2, cy = yp / 2;  // towards zero, as the picture's cells are read
    // Off the floor reads as dry.
    if (cx < 0 || cy < 0 || cx >= ANCHO_SUELO || cy >= ALTO_SUELO) return 0;
    const size_t ix = static_cast<size_t>(cx), iy = static_cast<size_t>(cy);
    if (ix >= ruido.size() || iy >= ruido[ix].size()) return 0;
    return alfaAgua(ruido[ix][iy], aguaAlto, aguaBajo) > 140 ? 1 : 0;
}

std::unique_ptr<asientos::TCerebro> TMiniJuego2::cerebro() const {
    return crearCerebro(*this);
}
