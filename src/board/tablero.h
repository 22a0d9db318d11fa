#pragma once
// The board of one match: how many squares it has, the kind of each square, and where
// each square lies on a 170 x 170 grid. The squares form one winding path, each square
// orthogonally next to the one before it, from the start (square 0, cell (85, 85)) to
// the finish (the last square). The match turns the board into tiles and reads the kind
// of the square a player lands on; the board itself only draws the square numbers.
//
// Kind codes: 0 start, 1 finish, 10 + g minigame kind g, 60 + s special kind s, and -1
// (grid only) for a cell without a square.
#include "engine/camera.h"

#include <cstdint>
#include <memory>
#include <vector>

class TTablero {
   public:
    static constexpr int LADO = 170;            // grid side, cells
    static constexpr int CELDAS = LADO * LADO;  // cell (x, y) has index y * LADO + x
    static constexpr int SALIDA = 85;           // column and row of square 0
    static constexpr int TAM_CASILLA = 128;     // world units per cell
    static constexpr int MAX_GAMES = 50;        // most minigame kinds
    static constexpr int MAX_SPECIAL = 50;      // most special kinds

    std::vector<int32_t> casillasLineal;                          // kind code by square number
    std::vector<int32_t> mapa = std::vector<int32_t>(CELDAS, 0);  // kind code by cell, -1 free
    std::vector<int32_t> posCasillaX;                             // grid column by square number
    std::vector<int32_t> posCasillaY;                             // grid row by square number

    // A board of nCasillas squares whose middle squares draw from nGames minigame kinds
    // and nSpecial special kinds. Throws GameError "TTablero::Create nGames > MAX_GAMES"
    // or "TTablero::Create nSpecial > MAX_SPECIAL" (tested in that order).
    static std::unique_ptr<TTablero> Create(int nCasillas, int nGames, int nSpecial);
    // Kinds of the squares: the last is the finish, square 0 the start, the ones between
    // drawn without replacement from an urn holding every minigame kind 2n times and
    // every special kind n times.
    void distribuirTiposCasillas(int nCasillas, int nGames, int nSpecial);
    // Lays the path on the grid: a self-avoiding random walk from (85, 85) that backs
    // up out of dead ends, never running alongside itself.
    void crearMapa();

    int getNCasillas() const { return static_cast<int>(casillasLineal.size()); }
    // Kind code, column and row of square i; -1 outside 0 .. getNCasillas() - 1.
    int getCasilla(int i) const;
    int getCasillaX(int i) const;
    int getCasillaY(int i) const;
    // Kind code of the square in cell (x, y); -1 for a cell without one (and outside
    // the grid).
    int getPos(int x, int y) const;
    // The numbers 1 .. n over the squares through the camera, white at alpha 0.8 in
    // the built-in font; colour, alpha, blend, rotation and scale are as before.
    void dibujarNumeros(TCamera& camera) const;
};
