#include "engine/mapa.h"

#include "engine/gl.h"
#include "platform/base/errors.h"
#include "platform/base/random.h"

#include <algorithm>
#include <cmath>
#include <string>

std::array<TImagePtr, TMapa::NUM_TILES>& TMapa::tiles() {
    static std::array<TImagePtr, NUM_TILES> imagenes;
    return imagenes;
}

void TMapa::cargarRecursos(std::span<const TCasillaJuego> minijuegos) {
    // The board's own pictures; 2..6 are left to the minigames that own those squares.
    std::array<std::string, NUM_TILES> nombres = {"salida", "meta", "",     "",       "",
                                                  "",       "",     "dado", "muerte", "normal"};
    for (int i = 0; i < 3; ++i) nombres[10 + i] = "chorra-" + std::to_string(i + 1);
    for (int i = 0; i < 8; ++i) nombres[13 + i] = "mesa-" + std::to_string(i + 1);
    for (int i = 0; i < 3; ++i) nombres[21 + i] = "de-" + std::to_string(i + 1);
    for (int i = 0; i < 3; ++i) nombres[24 + i] = "sl-" + std::to_string(i + 1);
    for (int i = 0; i < 4; ++i) nombres[27 + i] = "pared-" + std::to_string(i + 1);
    for (const TCasillaJuego& c : minijuegos) {
        if (c.codigo < 0 || c.codigo >= NUM_TILES || !nombres[static_cast<size_t>(c.codigo)].empty())
            throw GameError("TMapa::cargarRecursos casilla " + c.nombre + " en el codigo " +
                            std::to_string(c.codigo) + ", ocupado o fuera de 0.." +
                            std::to_string(NUM_TILES - 1));
        nombres[static_cast<size_t>(c.codigo)] = c.nombre;
    }
    for (int i = 0; i < NUM_TILES; ++i) {
        const std::string& n = nombres[static_cast<size_t>(i)];
        tiles()[i] =
            n.empty() ? nullptr : LoadImage("artwork/casilla-" + n + ".png", FILTEREDIMAGE | MIPMAPPEDIMAGE);
    }
}

uint8_t TMapa::getTile(int columna, int fila) const {
    if (columna < 0 || columna >= width || fila < 0 || fila >= height) return 255;
    return mapa[fila][columna];
}

void TMapa::setTile(int columna, int fila, uint8_t codigo) {
    if (columna < 0 || columna >= width || fila < 0 || fila >= height) return;
    mapa[fila][columna] = codigo;
}

void TMapa::center() {
    camara->setPosition(static_cast<float>((width * tilesize) / 2),
                        static_cast<float>((height * tilesize) / 2));
}

TMapaPtr TMapa::Create(int w, int h, int ts) {
    auto m = std::make_shared<TMapa>();
    m->width = w;
    m->height = h;
    m->tilesize = ts;
    m->mapa.assign(std::max(h, 0), std::vector<uint8_t>(std::max(w, 0), 0));
    return m;
}

TMapaPtr TMapa::GenerarSala(int w, int h) {
    TMapaPtr m = Create(w, h, 128);
    m->Rellenar(0);
    int r = 0;
    while (r <= h - 2) {
        if (Rand(0, 1) == 1) {
            const int j = Rand(1, w / 3);
            const int e = Rand(j + 5, w - 2);
            for (int c = j; c <= e; ++c) {
                m->setTile(c, r, 1);
                m->setTile(c, r + 1, 1);
            }
            r += 2;
        }
        r += 1;
    }
    return m;
}

int TMapa::getMesaAleatoria() {
    return Rand(13, 20);
}
int TMapa::getParedAleatoria() {
    return Rand(27, 30);
}

void TMapa::Rellenar(uint8_t codigo) {
    for (auto& fila : mapa) std::fill(fila.begin(), fila.end(), codigo);
}

// Each cell is drawn between GL.push and GL.pop. Drawing a tile changes only rotation
// and scale, which the next draw sets again, so one push before the cells and one pop
// after them leave the same render state and the same saved state; cells the camera
// cannot show are then skipped without touching the render state at all.
//
// Only the rows and columns within reach of the camera are visited: a cell farther
// than the largest tile diagonal plus the radius on either axis fails the camera's
// distance test anyway. The exact test is still the camera's.
void TMapa::Render() {
    if (width <= 0 || height <= 0) return;
    const TCamera& cam = *camara;
    auto& imagenes = tiles();

    double alcance = 0;  // largest tile diagonal
    for (const TImagePtr& img : imagenes) {
        if (img) alcance = std::max(alcance, std::hypot(double(img->width), double(img->height)));
    }
    alcance += cam.radius + 1;
    int c0 = 0, c1 = width - 1, r0 = 0, r1 = height - 1;
    if (std::isfinite(alcance) && std::isfinite(cam.x) && std::isfinite(cam.y) && tilesize > 0) {
        const double ts = tilesize;
        // Clamped in double before the conversion, so far-away cameras stay defined.
        auto celda = [](double v, int lo, int hi) {
            return static_cast<int>(std::clamp(v, double(lo) - 1, double(hi) + 1));
        };
        c0 = std::max(c0, celda(std::floor((cam.x - alcance) / ts), 0, width - 1));
        c1 = std::min(c1, celda(std::ceil((cam.x + alcance) / ts), 0, width - 1));
        r0 = std::max(r0, celda(std::floor((cam.y - alcance) / ts), 0, height - 1));
        r1 = std::min(r1, celda(std::ceil((cam.y + alcance) / ts), 0, height - 1));
    }

    GL::push();
    for (int r = r0; r <= r1; ++r) {
        const std::vector<uint8_t>& fila = mapa[r];
        for (int c = c0; c <= c1; ++c) {
            const uint8_t codigo = fila[c];
            if (codigo >= NUM_TILES) continue;
            camara->imageDraw(imagenes[codigo], static_cast<float>(c * tilesize),
                              static_cast<float>(r * tilesize), 0, 1, 1);
        }
    }
    GL::pop();
}
