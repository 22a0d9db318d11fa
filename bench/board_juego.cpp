// Cost of setting up a match: laying out a board (the path walk with its back-tracking,
// largest board class) and the whole match creation (board, four tokens, 170 x 170 tiles
// with walls and decorations). No display is needed for either.
#include "board/juego.h"
#include "board/tablero.h"
#include "minigames/catalogo.h"
#include "platform/base/random.h"
#include "vba/vba.h"

#include <benchmark/benchmark.h>

namespace {

void BM_TableroGrande(benchmark::State& state) {
    int semilla = 1;
    for (auto _ : state) {
        SeedRnd(semilla++);
        auto t = TTablero::Create(55, 5, 2);
        benchmark::DoNotOptimize(t->getCasilla(54));
    }
}
BENCHMARK(BM_TableroGrande);

void BM_CrearPartida(benchmark::State& state) {
    InitTrigTables();
    auto set = std::make_shared<VBA>();
    std::array<VGPPtr, 5> packs;
    for (auto& p : packs) p = std::make_shared<VGP>();
    int semilla = 1;
    // The original board's five kinds of minigame square.
    std::vector<int> tiles;
    for (int r : miniJuegosDelTablero(false)) tiles.push_back(catalogo()[static_cast<size_t>(r)].tile);
    for (auto _ : state) {
        SeedRnd(semilla++);
        auto j = TJuego::Create(4, static_cast<int>(state.range(0)), set, packs,
                                [](int, const TEquipo&) { return 1; }, tiles);
        benchmark::DoNotOptimize(j->mapa->getTile(85, 85));
    }
}
BENCHMARK(BM_CrearPartida)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
