// Win rate of the player on turn against three computer players, per minigame and level,
// all four seats played by computers of the same level (seeded plays, headless, virtual
// clock, the game's data folder). Not a speed measurement: the counters are the report.
//   build/bench/bench_cpu_victorias [--benchmark_filter=...]     (JUGADAS=50 by default)
#include "../tests/support/jugada_cpu.h"
#include "minigames/catalogo.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

void BM_VictoriasDelTurno(benchmark::State& state) {
    const int minijuego = static_cast<int>(state.range(0));
    const int nivel = static_cast<int>(state.range(1));
    const char* env = std::getenv("JUGADAS");
    const int jugadas = env ? std::max(1, std::atoi(env)) : 50;
    if (!jugadacpu::arrancar(FK_DATA_DIR)) {
        state.SkipWithError("no game data in FK_DATA_DIR");
        return;
    }
    asientos::Eleccion todos;
    todos.cpu.fill(true);
    todos.nivel = nivel;
    int victorias = 0, flips = 0;
    for (auto _ : state) {
        for (int i = 0; i < jugadas; ++i) {
            const jugadacpu::Jugada j = jugadacpu::jugar(minijuego, i % 4, todos, static_cast<uint32_t>(1000 + i));
            victorias += j.resultado == 1 ? 1 : 0;
            if (std::getenv("DETALLE"))
                std::fprintf(stderr, "minijuego %d nivel %d turno %d: resultado %d, %d flips, turno %d, otros %d\n",
                             minijuego, nivel, i % 4, j.resultado, j.flips, j.puntosTurno, j.accionesOtros);
            flips += j.flips;
        }
    }
    jugadacpu::parar();
    state.counters["jugadas"] = jugadas;
    state.counters["victorias_turno_pct"] = 100.0 * victorias / jugadas;
    state.counters["flips_por_jugada"] = static_cast<double>(flips) / jugadas;
}
BENCHMARK(BM_VictoriasDelTurno)
    ->ArgsProduct({benchmark::CreateDenseRange(0, numMiniJuegos() - 1, 1), {1, 2, 3}})
    ->ArgNames({"minijuego", "nivel"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
