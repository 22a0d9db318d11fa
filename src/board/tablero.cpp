#include "board/tablero.h"

#include "engine/gl.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"
#include "platform/pictures/font.h"
#include "platform/video/render.h"

#include <string>

namespace {
// States of the work grid while the path is laid.
constexpr int8_t LIBRE = 0;
constexpr int8_t BLOQUEADA = 1;  // next to the path: later squares may not go there
constexpr int8_t OCUPADA = 2;    // a square, or a dead end given up

// Neighbour offsets: 0 up, 1 down, 2 left, 3 right, then the diagonals.
enum Vecino { ARRIBA, ABAJO, IZQ, DER, ARRIBA_IZQ, ARRIBA_DER, ABAJO_IZQ, ABAJO_DER };
constexpr int DX[8] = {0, 0, -1, 1, -1, 1, -1, 1};
constexpr int DY[8] = {-1, 1, 0, 0, -1, -1, 1, 1};

// Cells blocked around the current square when the path leaves it in direction d:
// everything beside it except the way forward and the diagonals ahead.
constexpr Vecino BLOQUEO[4][5] = {
    {ABAJO, IZQ, DER, ABAJO_IZQ, ABAJO_DER},      // leaving up
    {ARRIBA, IZQ, DER, ARRIBA_IZQ, ARRIBA_DER},   // leaving down
    {ABAJO, ARRIBA, DER, ARRIBA_DER, ABAJO_DER},  // leaving left
    {ABAJO, IZQ, ARRIBA, ARRIBA_IZQ, ABAJO_IZQ},  // leaving right
};

bool dentro(int x, int y) {
    return x >= 0 && x < TTablero::LADO && y >= 0 && y < TTablero::LADO;
}
int indice(int x, int y) {
    return y * TTablero::LADO + x;
}
}  // namespace

std::unique_ptr<TTablero> TTablero::Create(int nCasillas, int nGames, int nSpecial) {
    if (nGames > MAX_GAMES) throw GameError("TTablero::Create nGames > MAX_GAMES");
    if (nSpecial > MAX_SPECIAL) throw GameError("TTablero::Create nSpecial > MAX_SPECIAL");
    auto t = std::make_unique<TTablero>();
    t->distribuirTiposCasillas(nCasillas, nGames, nSpecial);
    t->crearMapa();
    return t;
}

void TTablero::distribuirTiposCasillas(int nCasillas, int nGames, int nSpecial) {
    if (nCasillas < 0) nCasillas = 0;
    if (nGames < 0) nGames = 0;
    if (nSpecial < 0) nSpecial = 0;
    const auto n = static_cast<size_t>(nCasillas);
    casillasLineal.assign(n, 0);
    posCasillaX.assign(n, 0);
    posCasillaY.assign(n, 0);
    if (nCasillas == 0) return;
    if (nCasillas > 2 && nGames + nSpecial == 0) {
        // The middle squares have nothing to be drawn from.
        throw GameError("TTablero::distribuirTiposCasillas nGames + nSpecial < 1");
    }

    // The urn: weight[i] copies of kind i, minigame kinds first. A draw r picks the kind
    // whose run of copies (in increasing kind order) covers position r.
    std::vector<int64_t> peso(static_cast<size_t>(nGames + nSpecial));
    int64_t p = 0;
    for (size_t i = 0; i < peso.size(); ++i) {
        peso[i] = static_cast<int>(i) < nGames ? 2 * int64_t{nCasillas} : int64_t{nCasillas};
        p += peso[i];
    }

    casillasLineal[n - 1] = 1;
    for (int k = nCasillas - 1; k >= 2; --k) {
        int64_t r = Rand(0, static_cast<int>(p - 1));
        size_t i = 0;
        while (r >= peso[i]) r -= peso[i++];
        const int tipo = static_cast<int>(i);
        casillasLineal[static_cast<size_t>(k - 1)] = tipo < nGames ? 10 + tipo : 60 + (tipo - nGames);
        --p;
        --peso[i];
    }
    casillasLineal[0] = 0;
}

void TTablero::crearMapa() {
    const int n = getNCasillas();
    std::vector<int8_t> estado;
    // Starts the walk over from square 0 on a clean grid.
    auto empezar = [&] {
        estado.assign(CELDAS, LIBRE);
        mapa.assign(CELDAS, -1);
        if (n == 0) return;
        posCasillaX[0] = posCasillaY[0] = SALIDA;
        estado[static_cast<size_t>(indice(SALIDA, SALIDA))] = OCUPADA;
        mapa[static_cast<size_t>(indice(SALIDA, SALIDA))] = casillasLineal[0];
    };
    // Cells beyond the grid count as blocked; only boards longer than the match's reach them.
    auto estadoDe = [&](int x, int y) -> int8_t {
        return dentro(x, y) ? estado[static_cast<size_t>(indice(x, y))] : BLOQUEADA;
    };

    empezar();
    int i = 0;
    int reintentos = 0;
    while (i < n - 1) {
        const int x = posCasillaX[static_cast<size_t>(i)];
        const int y = posCasillaY[static_cast<size_t>(i)];
        bool salida = false;
        for (int d = 0; d < 4; ++d) salida = salida || estadoDe(x + DX[d], y + DY[d]) == LIBRE;

        if (!salida) {
            // Dead end: the cell stays taken for good and the path backs up one square,
            // freeing the orthogonal blocks around the square it returns to.
            mapa[static_cast<size_t>(indice(x, y))] = -1;
            --i;
            if (i < 0) {
                // Even the start is walled in: lay the whole path again, a few times at
                // most (a path far longer than the grid allows would never fit).
                if (++reintentos > 10) throw GameError("TTablero::crearMapa el camino no cabe en la rejilla");
                empezar();
                i = 0;
                continue;
            }
            const int bx = posCasillaX[static_cast<size_t>(i)];
            const int by = posCasillaY[static_cast<size_t>(i)];
            for (int v : {ABAJO, ARRIBA, IZQ, DER}) {
                const int cx = bx + DX[v], cy = by + DY[v];
                if (dentro(cx, cy) && estado[static_cast<size_t>(indice(cx, cy))] == BLOQUEADA)
                    estado[static_cast<size_t>(indice(cx, cy))] = LIBRE;
            }
            continue;
        }

        int d = Rand(0, 1000) % 4;
        while (estadoDe(x + DX[d], y + DY[d]) != LIBRE) d = (d + 1) % 4;
        for (Vecino v : BLOQUEO[d]) {
            const int cx = x + DX[v], cy = y + DY[v];
            if (dentro(cx, cy) && estado[static_cast<size_t>(indice(cx, cy))] == LIBRE)
                estado[static_cast<size_t>(indice(cx, cy))] = BLOQUEADA;
        }
        const int nx = x + DX[d], ny = y + DY[d];
        estado[static_cast<size_t>(indice(nx, ny))] = OCUPADA;
        posCasillaX[static_cast<size_t>(i + 1)] = nx;
        posCasillaY[static_cast<size_t>(i + 1)] = ny;
        mapa[static_cast<size_t>(indice(nx, ny))] = casillasLineal[static_cast<size_t>(i + 1)];
        ++i;
    }
}

int TTablero::getCasilla(int i) const {
    return i < 0 || i > getNCasillas() - 1 ? -1 : casillasLineal[static_cast<size_t>(i)];
}

int TTablero::getCasillaX(int i) const {
    return i < 0 || i > getNCasillas() - 1 ? -1 : posCasillaX[static_cast<size_t>(i)];
}

int TTablero::getCasillaY(int i) const {
    return i < 0 || i > getNCasillas() - 1 ? -1 : posCasillaY[static_cast<size_t>(i)];
}

int TTablero::getPos(int x, int y) const {
    return dentro(x, y) ? mapa[static_cast<size_t>(indice(x, y))] : -1;
}

void TTablero::dibujarNumeros(TCamera& camera) const {
    GL::push();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    SetAlpha(0.8f);
    SetImageFont(nullptr);
    for (int k = 0; k < getNCasillas(); ++k) {
        const auto wx = static_cast<float>(posCasillaX[static_cast<size_t>(k)] * TAM_CASILLA + 10);
        const auto wy = static_cast<float>(posCasillaY[static_cast<size_t>(k)] * TAM_CASILLA + 100);
        camera.textDraw(std::to_string(k + 1), wx, wy, 0, 2, 1.5f);
    }
    GL::pop();
}
