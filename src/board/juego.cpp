// The board match: its module resources and Create (board, roster, tokens, tiles, wall
// rows, decorations). The turn is in juego_turno.cpp, the drawing in juego_dibujo.cpp.
#include "board/juego.h"

#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/video/render.h"

TImagePtr TJuego::ruleta;
TImagePtr TJuego::marcador;
TImageFontPtr TJuego::fuente;

namespace {
// Tiles 9 (floor) .. 20 (tables) may turn into walls or decorations.
bool esSuelo(int tile) {
    return tile >= 9 && tile <= 20;
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
                                       const std::array<VGPPtr, 5>& gfx, TLanzadorMiniJuego lanzador,
                                       std::vector<int> tiles) {
    auto j = std::make_unique<TJuego>();
    j->semillaTablero = RndSeed();
    j->tipo = tipo;
    j->tilesJuegos = std::move(tiles);
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
    else if (tipo == TIPO_CORTO)
        n = Rand(9, 9);  // a draw all the same: the generator goes on as with the other classes
    else if (tipo == TIPO_CORTO_11)
        n = Rand(11, 14);
    else if (tipo == TIPO_LARGO)
        n = Rand(39, 45);
    else if (tipo == TIPO_CORTO_14)
        n = Rand(14, 17);
    else if (tipo == TIPO_LARGO_36)
        n = Rand(36, 42);
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
            else if (codigo >= PRIMER_MINIJUEGO && codigo - PRIMER_MINIJUEGO < nGames)
                tile = j->tilesJuegos[static_cast<size_t>(codigo - PRIMER_MINIJUEGO)];
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
