// "Love is in the air": cost of one frame while choosing (background, girl, suitor and the
// fifteen lines in the phrase font) and of one frame of the outcome (the same, faded and
// sliding), headless (offscreen GL, virtual clock).
//   build/bench/bench_minigame3
// Uses the game's pictures and font from the data folder when they are there; without them
// only the lines (in the built-in font) are drawn.
#include "engine/gl.h"
#include "minigames/love_is_in_the_air/mini_juego3.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

struct Escena {
    std::unique_ptr<TMiniJuego3> m;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();
        datosDelJuego = escena::usarCarpetaDeDatos("artwork/fondo-minijuego3.png");
        TMiniJuego3::cargarRecursos();
        SetBlend(ALPHABLEND);
        nueva();
    }
    ~Escena() {
        m.reset();
        platform::Shutdown();
    }
    // A new play standing where the entrance leaves it, choosing.
    void nueva() {
        m = TMiniJuego3::Create(nullptr, TPaquetes{});
        m->prepararJuego(0);
        m->xChica = 780;
        m->xPretendiente = -40;
        m->fundido = 3;
    }
    // The same play turned to the outcome, right after the others' half second.
    void alDesenlace() {
        nueva();
        m->fase = 2;
        m->seleccion = 4;
        m->resultado = 0;
    }
};

Escena& escena() {
    static Escena e;
    return e;
}

void BM_FrameEligiendo(benchmark::State& state) {
    Escena& e = escena();
    e.nueva();
    for (auto _ : state) e.m->frameJuego();
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}
BENCHMARK(BM_FrameEligiendo)->Unit(benchmark::kMillisecond);

void BM_FrameDesenlace(benchmark::State& state) {
    Escena& e = escena();
    e.alDesenlace();
    for (auto _ : state) {
        if (e.m->fase == 3) {
            state.PauseTiming();
            e.alDesenlace();
            state.ResumeTiming();
        }
        e.m->frameJuego();
    }
}
BENCHMARK(BM_FrameDesenlace)->Unit(benchmark::kMillisecond);

// Clear and flip alone: the platform's share of every frame.
void BM_FrameVacio(benchmark::State& state) {
    escena();
    for (auto _ : state) {
        Cls();
        Flip(-1);
    }
}
BENCHMARK(BM_FrameVacio)->Unit(benchmark::kMillisecond);

}  // namespace
