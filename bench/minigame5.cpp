// "Lanzamiento de CDs": cost of one frame with a floor full of discs, headless (offscreen
// GL, virtual clock), the opponents' catch tests included.
//   build/bench/bench_minigame5
// Uses the game's animation set, packs and pictures from the data folder when they are
// there, otherwise figures of 15 bones made in code and a 29 x 29 disc.
#include "../tests/support/minigame_fixture.h"
#include "engine/gl.h"
#include "minigames/lanzamiento_cds/mini_juego5.h"
#include "platform/base/random.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

struct Escena {
    std::unique_ptr<TMiniJuego5> m;
    TPaquetes paquetes;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();

        VBAPtr anim = cargarDatos();
        if (!anim) {
            anim = figuras::conjunto(15, 2, 5);
            paquetes = figuras::paquetes(24, 40, 5);
        }
        TMiniJuego5::cargarRecursos();
        if (!TMiniJuego5::imgCD) TMiniJuego5::imgCD = figuras::solido(29, 29, 0xFF40A0FF, 0, 0);
        m = TMiniJuego5::Create(anim, paquetes);
        m->prepararJuego(0);
        m->limiteTiempo = 1 << 30;  // time never runs out
    }
    ~Escena() {
        m.reset();
        platform::Shutdown();
    }

    VBAPtr cargarDatos() {
        VBAPtr v = escena::cargarDatosDelJuego(paquetes);
        datosDelJuego = v != nullptr;
        return v;
    }

    // `quietos` discs lying still low on the floor (where every opponent tests them each
    // frame) and `volando` discs sliding at every angle a throw gives.
    void reponer(int quietos, int volando) {
        m->cds.clear();
        m->puntosRetador = 0;
        m->win = 0;
        for (int i = 0; i < quietos; ++i) T5CD::invocar(m.get(), Rand(12, 1012), Rand(700, 780), 90, 0);
        for (int i = 0; i < volando; ++i)
            T5CD::invocar(m.get(), Rand(12, 1012), Rand(140, 600), Rand(1, 179), Rand(5, 40));
    }
};

Escena& escena() {
    static Escena e;
    return e;
}

// The whole frame as the game runs it: update, draw, flip. Argument: discs lying still;
// 20 more are always sliding.
void BM_FrameLanzamiento(benchmark::State& state) {
    Escena& e = escena();
    const int quietos = static_cast<int>(state.range(0));
    e.reponer(quietos, 20);
    int frames = 0;
    for (auto _ : state) {
        if (++frames % 30 == 0) {
            state.PauseTiming();
            e.reponer(quietos, 20);  // caught and scored discs come back
            state.ResumeTiming();
        }
        e.m->frameJuego();
    }
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}
BENCHMARK(BM_FrameLanzamiento)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

// Only the three opponents' update with their catch tests (no drawing).
void BM_CapturasDeUnFrame(benchmark::State& state) {
    Escena& e = escena();
    const int quietos = static_cast<int>(state.range(0));
    e.reponer(quietos, 0);
    int frames = 0;
    for (auto _ : state) {
        if (++frames % 30 == 0) {
            state.PauseTiming();
            e.reponer(quietos, 0);
            state.ResumeTiming();
        }
        for (auto& j : e.m->jugadores) j->UpdateState();
    }
}
BENCHMARK(BM_CapturasDeUnFrame)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
