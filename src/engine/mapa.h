#pragma once
// A rectangular grid of one-byte tile codes with a square tile size in world units and
// its own camera. Each code 0-30 selects one of the 31 tile pictures loaded at start-up
// (TMapa::cargarRecursos); cell (c, r) covers the world square from (c, r) * tilesize.
#include "engine/camera.h"
#include "platform/pictures/image.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TMapa;
using TMapaPtr = std::shared_ptr<TMapa>;

class TMapa {
   public:
    static constexpr int NUM_TILES = 31;

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
    // codes above 30 draw nothing. The render state is as before the call.
    void Render();

    // Start-up (first of the fixed resources): loads the 31 tile pictures, flags 6,
    // anchored at their top-left corner. Missing files stay empty and draw nothing.
    static void cargarRecursos();
    // The tile pictures by code (nullptr before cargarRecursos or when a file is missing).
    static std::array<TImagePtr, NUM_TILES>& tiles();
};
