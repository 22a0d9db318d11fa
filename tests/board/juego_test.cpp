// The match: creation, the tiles of the board, square effects, the zoom into a
// minigame and the frame drawing. The turn itself is in juego_turno_test.cpp.
#include "board/juego_fixture.h"
#include "engine/mapa.h"
#include "platform/base/errors.h"
#include "platform/input/input.h"
#include "platform/video/render.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using partida::PartidaTest;

class Juego : public PartidaTest {};

std::string mensajeCreate(int jugadores, const VBAPtr& set, const std::array<VGPPtr, 5>& packs) {
    try {
        TJuego::Create(jugadores, 1, set, packs, {}, partida::tilesDeLosCinco());
    } catch (const GameError& e) {
        return e.what();
    }
    return "";
}

TEST_F(Juego, PlayerCountMustBeTwoToFour) {
    EXPECT_EQ(mensajeCreate(1, set, packs), "TJuego::Create numPlayers <2 / > 4");
    EXPECT_EQ(mensajeCreate(5, set, packs), "TJuego::Create numPlayers <2 / > 4");
    EXPECT_EQ(mensajeCreate(2, set, packs), "");

    auto j = partida(2);
    EXPECT_EQ(j->equipo->getNJugadores(), 2);
    EXPECT_EQ(j->fichas.size(), 2u);
    EXPECT_EQ(j->sprites.size(), 2u);
    for (const AnimStatePtr& p : j->portraitAnim)
        EXPECT_NE(p, nullptr) << "all four portraits, whatever the count";
    EXPECT_EQ(j->fichas[1]->gfx, packs[1]);
    EXPECT_EQ(j->fichas[0]->mapa, j->mapa);
    EXPECT_EQ(j->cam, j->mapa->getCamera());
    EXPECT_EQ(j->ganado, -1);
    EXPECT_TRUE(j->listaJuegos.empty());
}

// Every class keeps its sizes: journals and saves of every rules' version build their
// boards again from the class alone.
TEST_F(Juego, BoardSizeFollowsItsClass) {
    struct Clase {
        int tipo, menor, mayor;
    };
    const Clase clases[] = {{0, 18, 24}, {1, 26, 35}, {2, 40, 55}, {TJuego::TIPO_CORTO, 9, 9},
                            {TJuego::TIPO_CORTO_11, 11, 14}, {TJuego::TIPO_CORTO_14, 14, 17},
                            {TJuego::TIPO_LARGO_36, 36, 42}, {TJuego::TIPO_LARGO, 39, 45}};
    for (const Clase& c : clases) {
        std::set<int> vistos;
        for (int semilla = 1; semilla <= 8; ++semilla) {
            auto j = partida(4, c.tipo, semilla * 104729 + c.tipo);
            EXPECT_EQ(j->tipo, c.tipo);
            const int n = j->tablero->getNCasillas();
            EXPECT_GE(n, c.menor) << "class " << c.tipo;
            EXPECT_LE(n, c.mayor) << "class " << c.tipo;
            vistos.insert(n);
        }
        if (c.mayor - c.menor >= 4) {
            EXPECT_GT(vistos.size(), 3u) << "class " << c.tipo << ": sizes vary";
        }
    }
}

// Squares become their tiles; every other cell is floor, tables, walls or three-piece
// decorations, and walls and decorations never cover a square.
TEST_F(Juego, TilesShowTheSquaresAndFurnishTheRest) {
    for (int semilla : {1, 2, 3}) {
        auto j = partida(4, 1, semilla);
        const TTablero& t = *j->tablero;
        const TMapa& m = *j->mapa;
        EXPECT_EQ(m.getWidth(), 170);
        EXPECT_EQ(m.getTileSize(), 128);
        for (int k = 0; k < t.getNCasillas(); ++k) {
            const int c = t.getCasilla(k);
            const int esperado = c == 0 ? 0 : c == 1 ? 1 : c >= 60 ? c - 53 : c - 8;
            EXPECT_EQ(m.getTile(t.getCasillaX(k), t.getCasillaY(k)), esperado) << "square " << k;
        }
        int paredes = 0, decoraciones = 0, mesas = 0;
        for (int y = 0; y < 170; ++y) {
            for (int x = 0; x < 170; ++x) {
                const int tile = m.getTile(x, y);
                if (t.getPos(x, y) != -1) continue;
                ASSERT_GE(tile, 9) << x << "," << y;
                ASSERT_LE(tile, 30) << x << "," << y;
                if (tile >= 27) ++paredes;
                if (tile >= 13 && tile <= 20) ++mesas;
                if (tile == 21 || tile == 24) {
                    ++decoraciones;
                    EXPECT_EQ(m.getTile(x + 1, y), tile + 1);
                    EXPECT_EQ(m.getTile(x + 2, y), tile + 2);
                }
                if (tile == 22 || tile == 25) {
                    EXPECT_EQ(m.getTile(x - 1, y), tile - 1);
                }
            }
        }
        EXPECT_GT(paredes, 170 * 7) << "wall rows every 6 to 20 rows";
        EXPECT_GT(mesas, 170 * 170 / 3);
        EXPECT_GT(decoraciones, 100);
        // A wall row is a row whose floor and tables all turned to wall.
        int filasPared = 0;
        for (int y = 0; y < 170; ++y) {
            bool todo = true;
            for (int x = 0; x < 170; ++x)
                if (t.getPos(x, y) == -1 && m.getTile(x, y) < 27) todo = false;
            filasPared += todo;
        }
        EXPECT_GE(filasPared, 7);
        EXPECT_LE(filasPared, 29);
    }
}

// ---- square effects ----

TEST_F(Juego, RollAgainKeepsTheTurn) {
    auto j = partida();
    j->equipo->turno = 2;
    EXPECT_EQ(j->lanzar(60), 1);
    EXPECT_EQ(j->equipo->getTurno(), 2);
    EXPECT_EQ(sonidos(), std::vector<std::string>{"sfx/yeha.wav"});
    EXPECT_TRUE(llamadas.empty());
}

TEST_F(Juego, DeathSquareLosesTheMoveAndBoomsTwice) {
    auto j = partida();
    j->equipo->turno = 3;
    EXPECT_EQ(j->lanzar(61), 0);
    EXPECT_EQ(j->equipo->getTurno(), 0);
    EXPECT_EQ(sonidos(), (std::vector<std::string>{"sfx/boum.wav", "sfx/boum.wav"}));
    EXPECT_TRUE(testrig::TraceOps("flip").empty()) << "no banner without a minigame";

    EXPECT_EQ(j->lanzar(0), 1) << "the start square does nothing";
    EXPECT_EQ(j->equipo->getTurno(), 1);
}

// Each minigame square starts its own minigame; with Escape held the fade and the
// banner end at once, but the minigame is still played.
TEST_F(Juego, EachMinigameSquareStartsItsMinigame) {
    auto j = partida();
    for (int codigo = 10; codigo <= 14; ++codigo) {
        llamadas.clear();
        input::KeyEvent(KEY_ESCAPE, true);
        j->equipo->turno = 3;
        j->lanzar(codigo);
        ASSERT_EQ(llamadas.size(), 1u);
        EXPECT_EQ(llamadas[0].juego, codigo - 10);
        EXPECT_EQ(llamadas[0].turno, 3);
        EXPECT_EQ(KeyDown(KEY_ESCAPE), 0) << "input is flushed afterwards";
    }
    EXPECT_TRUE(testrig::TraceOps("flip").empty());
}

// After the fade the minigame runs, then the banner for the player on turn; the turn
// passes won or lost, and the render state and input are clean again.
TEST_F(Juego, MinigameThenBannerThenACleanState) {
    auto j = partida();
    enPie(*j);
    for (int gana : {1, 0}) {
        llamadas.clear();
        rig::CapturedTrace().clear();
        j->equipo->turno = 1;
        resultadoMinijuego = gana;
        SetColor(1, 2, 3);
        SetAlpha(0.2f);
        SetBlend(LIGHTBLEND);
        SetTransform(33, 2, 3);
        input::KeyEvent(KEY_Q, true);
        input::CharEvent('x');

        EXPECT_EQ(j->lanzar(gana ? 11 : 14), gana);
        ASSERT_EQ(llamadas.size(), 1u);
        EXPECT_EQ(j->equipo->getTurno(), 2);

        auto s = sonidos();
        ASSERT_GE(s.size(), 2u);
        EXPECT_EQ(s[0], "sfx/juego.wav");
        EXPECT_EQ(s[1], gana ? "sfx/yeha.wav" : "sfx/perder.wav");
        EXPECT_EQ(veces(s, "sfx/boum.wav"), gana ? 0 : 1);
        // The minigame starts after the fade and before the banner.
        bool banner = false, retrato = false;
        for (const std::string& l : testrig::TraceOps("text"))
            banner = banner || testrig::Field(l, "text") == (gana ? "YEAH!" : "FAIL");
        for (const std::string& l : testrig::TraceOps("image"))
            retrato = retrato || testrig::Field(l, "src") == "artwork/char-ervarsen.png";
        EXPECT_TRUE(banner);
        EXPECT_TRUE(retrato) << "the banner shows the player on turn";

        int r, g, b;
        GetColor(r, g, b);
        EXPECT_EQ(r + g + b, 765);
        EXPECT_EQ(GetAlpha(), 1.0f);
        EXPECT_EQ(GetBlend(), ALPHABLEND);
        EXPECT_EQ(GetRotation(), 0.0f);
        float sx, sy;
        GetScale(sx, sy);
        EXPECT_EQ(sx + sy, 2.0f);
        EXPECT_EQ(KeyDown(KEY_Q), 0);
        EXPECT_EQ(GetChar(), 0);
    }
}

TEST_F(Juego, MissingLauncherIsAProgrammingStop) {
    SeedRnd(1);
    auto j = TJuego::Create(2, 0, set, packs, {}, partida::tilesDeLosCinco());
    EXPECT_THROW(j->lanzar(12), GameError);
    EXPECT_EQ(j->lanzar(60), 1) << "other squares need no launcher";
}

// The board whirls and grows under a white veil for about 1.2 seconds, then the camera
// is straight again.
TEST_F(Juego, ZoomFadesToWhileWhirling) {
    auto j = partida();
    enPie(*j);
    const int32_t inicio = Millisecs();
    j->zoomJuego();
    const int32_t dura = Millisecs() - inicio;
    EXPECT_GT(dura, 1100);
    EXPECT_LT(dura, 1250);
    EXPECT_EQ(j->cam->getZoom(), 1.0f);
    EXPECT_EQ(j->cam->getAngle(), 0.0f);
    EXPECT_EQ(sonidos(), std::vector<std::string>{"sfx/juego.wav"});

    std::vector<double> alphas;
    for (const std::string& l : testrig::TraceOps("image"))
        if (testrig::Field(l, "src") == "created 1024x768") {
            EXPECT_EQ(testrig::Field(l, "x"), "0");
            EXPECT_EQ(testrig::Field(l, "blend"), "3");
            alphas.push_back(std::stod(testrig::Field(l, "alpha")));
        }
    ASSERT_GT(alphas.size(), 60u);
    EXPECT_EQ(alphas.size(), testrig::TraceOps("flip").size()) << "one veil per frame";
    EXPECT_EQ(alphas.front(), 0);
    for (size_t i = 1; i < alphas.size(); ++i) EXPECT_GE(alphas[i], alphas[i - 1]);
    EXPECT_GT(alphas.back(), 0.95);

    // The tokens turn with the camera: 1000 degrees a second.
    auto imgs = testrig::TraceOps("image");
    std::set<std::string> giros;
    for (const std::string& l : imgs)
        if (testrig::Field(l, "src") == "created 20x40") giros.insert(testrig::Field(l, "rot"));
    EXPECT_GT(giros.size(), 30u);
}

TEST_F(Juego, EscapeDuringTheZoomStillStartsTheMinigame) {
    auto j = partida();
    testrig::Script({"3 key Escape down"});
    j->equipo->turno = 0;
    j->lanzar(13);
    ASSERT_EQ(llamadas.size(), 1u);
    EXPECT_EQ(llamadas[0].juego, 3);
    // Three zoom frames; the banner ends at once too (Escape is still held).
    EXPECT_LE(testrig::TraceOps("flip").size(), 5u);
    EXPECT_EQ(j->cam->getZoom(), 1.0f);
}

// ---- drawing ----

// The layers of a board frame, in order: tiles, numbers, tokens, portrait, name.
TEST_F(Juego, BoardFrameLayersAndTheNamesTable) {
    TMapa::cargarRecursos(casillasDeMiniJuegos());
    auto j = partida(4);
    enPie(*j);
    const char* nombres[4] = {"TARSUN", "ER_VARSEN", "QUELBIDO", "PEXIL"};
    const char* colores[4] = {"[0,120,0]", "[0,100,255]", "[50,50,50]", "[120,0,0]"};
    for (int s = 0; s < 4; ++s) {
        rig::CapturedTrace().clear();
        j->equipo->turno = s;
        // One celebration frame (Escape held ends it early): it adds only "GANADOR!!!!"
        // before the name.
        testrig::Script({"1 key Escape down"});
        j->ganador(s);
        input::KeyEvent(KEY_ESCAPE, false);
        ASSERT_EQ(testrig::TraceOps("flip").size(), 1u);
        std::vector<std::string> ops;
        for (const std::string& l : rig::CapturedTrace()) {
            const std::string op = testrig::Field(l, "op");
            if (op == "image" || op == "text") ops.push_back(l);
        }
        ASSERT_FALSE(ops.empty());
        // Tiles first, drawn through the camera centred on the player's cell.
        EXPECT_EQ(testrig::Field(ops[0], "src").rfind("artwork/casilla-", 0), 0u) << ops[0];
        size_t i = 0;
        while (i < ops.size() && testrig::Field(ops[i], "src").rfind("artwork/casilla-", 0) == 0) ++i;
        EXPECT_EQ(testrig::Field(ops.at(i), "text"), "1") << "then the numbers";
        while (i < ops.size() && testrig::Field(ops[i], "font") == "builtin") ++i;
        // Four tokens of one bone each, then the portrait at six times the size.
        for (int k = 0; k < 4; ++k, ++i) EXPECT_EQ(testrig::Field(ops.at(i), "src"), "created 20x40");
        EXPECT_EQ(testrig::Field(ops.at(i), "scale"), "[6,6]");
        EXPECT_EQ(testrig::Field(ops.at(i), "x"), "100");
        EXPECT_EQ(testrig::Field(ops.at(i), "y"), "918");
        ++i;
        ASSERT_EQ(ops.size() - i, 4u);
        EXPECT_EQ(testrig::Field(ops[i], "text"), "GANADOR!!!!");
        EXPECT_EQ(testrig::Field(ops[i], "rgb"), "[0,0,0]");
        EXPECT_EQ(testrig::Field(ops[i], "scale"), "[0.25,0.25]");
        EXPECT_EQ(testrig::Field(ops[i + 1], "rgb"), "[255,255,255]");
        EXPECT_EQ(testrig::Field(ops[i + 1], "scale"), "[0.24,0.24]");
        EXPECT_EQ(testrig::Field(ops[i + 1], "x"), "350");
        EXPECT_EQ(testrig::Field(ops[i + 2], "text"), nombres[s]);
        EXPECT_EQ(testrig::Field(ops[i + 2], "rgb"), "[255,255,255]");
        EXPECT_EQ(testrig::Field(ops[i + 2], "scale"), "[0.5,0.5]");
        EXPECT_EQ(testrig::Field(ops[i + 2], "font"), "comic.ttf@200");
        EXPECT_EQ(testrig::Field(ops[i + 3], "text"), nombres[s]);
        EXPECT_EQ(testrig::Field(ops[i + 3], "rgb"), colores[s]);
        EXPECT_EQ(testrig::Field(ops[i + 3], "scale"), "[0.49,0.49]");
        EXPECT_EQ(testrig::Field(ops[i + 3], "x"), "310");
        EXPECT_EQ(testrig::Field(ops[i + 3], "y"), "635");
    }
}

// Up to four tokens share a square without overlapping; the camera looks at the middle
// of the cell of the player on turn; lower tokens are drawn over higher ones.
TEST_F(Juego, TokensStandInTheirCornerOfTheSquare) {
    auto j = partida(4);
    const TTablero& t = *j->tablero;
    j->equipo->getJugador(1).setPosicion(2);
    j->equipo->getJugador(3).setPosicion(2.5f);
    j->equipo->turno = 3;
    j->updatePosiciones();
    const float x0 = 85 * 128, y0 = 85 * 128;
    EXPECT_EQ(j->fichas[0]->x, x0 + 35);
    EXPECT_EQ(j->fichas[0]->y, y0 + 50);
    EXPECT_EQ(j->fichas[2]->x, x0 + 35);
    EXPECT_EQ(j->fichas[2]->y, y0 + 108);
    EXPECT_EQ(j->fichas[1]->x, t.getCasillaX(2) * 128.0f + 93);
    EXPECT_EQ(j->fichas[1]->y, t.getCasillaY(2) * 128.0f + 50);
    // Halfway between squares 2 and 3.
    const float mx = (t.getCasillaX(2) + t.getCasillaX(3)) * 64.0f,
                my = (t.getCasillaY(2) + t.getCasillaY(3)) * 64.0f;
    EXPECT_FLOAT_EQ(j->fichas[3]->x, mx + 93);
    EXPECT_FLOAT_EQ(j->fichas[3]->y, my + 108);
    EXPECT_FLOAT_EQ(j->cam->x, mx + 64);
    EXPECT_FLOAT_EQ(j->cam->y, my + 64);
    EXPECT_FLOAT_EQ(j->fichas[2]->z, j->fichas[2]->y * 10000 - j->fichas[2]->x);
    EXPECT_GT(j->fichas[2]->z, j->fichas[0]->z);
}

TEST_F(Juego, RouletteAndPromptDrawing) {
    auto j = partida();
    SetColor(9, 9, 9);
    j->dibujaRuleta(75);
    j->dibujaClick();
    auto imgs = testrig::TraceOps("image");
    if (TJuego::ruleta && TJuego::marcador) {
        ASSERT_EQ(imgs.size(), 2u);
        EXPECT_EQ(testrig::Field(imgs[0], "src"), "artwork/ruleta-de-la-muerte.png");
        EXPECT_EQ(testrig::Field(imgs[0], "rot"), "75");
        EXPECT_EQ(testrig::Field(imgs[0], "scale"), "[0.5,0.5]");
        EXPECT_EQ(testrig::Field(imgs[0], "rgb"), "[255,255,255]");
        EXPECT_EQ(testrig::Field(imgs[0], "x"), "128");
        EXPECT_EQ(testrig::Field(imgs[1], "src"), "artwork/ruleta-de-la-muerte-marcador.png");
        EXPECT_EQ(testrig::Field(imgs[1], "rot"), "0");
    }
    auto textos = testrig::TraceOps("text");
    ASSERT_EQ(textos.size(), 2u);
    EXPECT_EQ(testrig::Field(textos[0], "text"), "PULSA UNA TECLA!");
    EXPECT_EQ(testrig::Field(textos[0], "rgb"), "[0,0,0]");
    EXPECT_EQ(testrig::Field(textos[1], "text"), "PULSA UNA TECLA!");
    EXPECT_EQ(testrig::Field(textos[1], "y"), "50");
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r, 9);

    // Slots without a name draw nothing.
    rig::CapturedTrace().clear();
    j->dibujaNombre(4);
    j->dibujaNombre(-1);
    j->dibujarPortrait(4, 0, 0, 1);
    EXPECT_TRUE(rig::CapturedTrace().empty());
}

}  // namespace
