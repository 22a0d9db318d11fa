#pragma once
// A rectangular grid of one-byte tile codes with a square tile size in world units and
// its own camera. Each code selects one of the tile pictures loaded at start-up
// (TMapa::cargarRecursos); cell (c, r) covers the world square from (c, r) * tilesize.
// Codes 0-30 are the board's own pictures: start, finish, the squares of the five
// original minigames (2-6), roll again, death, floor, decorations, tables, walls. The
// minigames name their squares themselves (the five's at 2-6, later ones from 31 on).
#include "engine/camera.h"
#include "platform/pictures/image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TMapa;
using TMapaPtr = std::shared_ptr<TMapa>;

class TMapa {
   public:
    static constexpr int NUM_FIJAS = 31;  // codes 0..30, the pictures of the original board
    static constexpr int NUM_TILES = 64;  // room for the codes 0..63

    // A minigame's square picture: code `codigo` shows artwork/casilla-<nombre>.png.
    struct TCasillaJuego {
        int codigo;
        std::string nombre;
    };

    std::vector<std::vector<uint8_t>> mapa;  // [row][column]
    int32_t width = 0;                       // columns
    int32_t height = 0;                      // rows
    int32_t tilesize = 128;                  // world units per tile side
    TCameraPtr camara = TCamera::Create();

    // The code at (column, row); 255 outside the map.
    uint8_t getTile(int columna, int fila) const;
    // No bounds test in the game's terms: callers stay inside the map. (Writes outside
    // are dropped here rather than corrupting memory.)
    void setTile(int columna, int fila, uint8_t codigo);
    // Points the camera at the middle of the map (integer halves of the world size).
    void center();
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getTileSize() const { return tilesize; }
    const TCameraPtr& getCamera() const { return camara; }
    // A map of height rows of width zero bytes, with a new camera.
    static TMapaPtr Create(int width, int height, int tilesize);
    // A room of code 0 with random two-row bands of code 1, tile size 128.
    static TMapaPtr GenerarSala(int width, int height);
    static int getMesaAleatoria();   // random table code, 13..20
    static int getParedAleatoria();  // random wall code, 27..30
    void Rellenar(uint8_t codigo);
    // Draws every cell through the camera, row by row; cells the camera cannot show and
    // codes without a picture draw nothing. The render state is as before the call.
    void Render();

    // Start-up (first of the fixed resources): loads the board's own tile pictures and
    // the minigames' squares, by code, flags 6, anchored at their top-left corner.
    // Missing files stay empty and draw nothing. Throws GameError for a minigame square
    // whose code is outside 0..NUM_TILES - 1 or taken by another picture.
    static void cargarRecursos(std::span<const TCasillaJuego> minijuegos = {});
    // The tile pictures by code (nullptr before cargarRecursos or when a file is missing).
    static std::array<TImagePtr, NUM_TILES>& tiles();
};
