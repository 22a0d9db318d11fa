// The catalogue is the one list of minigames: what reads it agrees with it.
#include "minigames/catalogo.h"
#include "app/practica.h"
#include "engine/mapa.h"
#include "platform/base/errors.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Catalogo, SquaresFitTheMapAndEveryReaderFollowsTheTable) {
    std::set<std::string> ids, casillas;
    std::set<int> tiles;
    int cinco = 0;
    for (const TFichaMiniJuego& f : catalogo()) {
        EXPECT_TRUE(ids.insert(f.id).second) << f.id;
        EXPECT_TRUE(casillas.insert(f.casilla).second) << f.casilla;
        EXPECT_TRUE(tiles.insert(f.tile).second) << f.id;
        // The five keep their tiles; the rest come after the board's own pictures.
        if (f.deLosCinco)
            EXPECT_EQ(f.tile, 2 + cinco++) << f.id;
        else
            EXPECT_GE(f.tile, TMapa::NUM_FIJAS) << f.id;
        EXPECT_LT(f.tile, TMapa::NUM_TILES) << f.id;
    }
    EXPECT_EQ(cinco, 5);
    EXPECT_EQ(miniJuegosDelTablero(false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(static_cast<int>(miniJuegosDelTablero(true).size()), numMiniJuegos());

    // The practice menu lists them in order, then "Volver".
    TPractica practica;
    ASSERT_EQ(static_cast<int>(practica.options.size()), numMiniJuegos() + 1);
    for (int k = 0; k < numMiniJuegos(); ++k)
        EXPECT_EQ(practica.options[static_cast<size_t>(k)], catalogo()[static_cast<size_t>(k)].titulo);
    EXPECT_EQ(practica.options.back(), "Volver");

    // A square on a picture the board already has is refused before anything draws it.
    const TMapa::TCasillaJuego choca[] = {{7, "otra"}};
    EXPECT_THROW(TMapa::cargarRecursos(choca), GameError);
    const TMapa::TCasillaJuego fuera[] = {{TMapa::NUM_TILES, "otra"}};
    EXPECT_THROW(TMapa::cargarRecursos(fuera), GameError);
    EXPECT_EQ(crearMiniJuego(numMiniJuegos(), nullptr, TPaquetes{}), nullptr);
}
