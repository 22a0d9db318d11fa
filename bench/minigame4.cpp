// "Escondite Coder": cost of one frame of the play with seven hostesses (the most a play
// gets), the three coders stepping up and the boss turning about now and then, headless
// (offscreen GL, virtual clock).
//   build/bench/bench_minigame4
// Uses the game's animation set, packs and pictures from the data folder when they are
// there, otherwise figures of 15 bones made in code.
#include "../tests/support/minigame_fixture.h"
#include "engine/gl.h"
#include "minigames/escondite_coder/mini_juego4.h"
#include "platform/input/input.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

struct Escena {
    std::unique_ptr<TMiniJuego4> m;
    TPaquetes paquetes;
    VBAPtr anim;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();

        anim = cargarDatos();
        if (!anim) {
            anim = figuras::conjunto(15, 2, 5);
            paquetes = figuras::paquetes(24, 40, 5);
        }
        TMiniJuego4::cargarRecursos();
        if (!TMiniJuego4::mesa) TMiniJuego4::mesa = figuras::solido(124, 86, 0xFF806040, 62, 43);
        if (!TMiniJuego4::silla) TMiniJuego4::silla = figuras::solido(60, 64, 0xFF303030, 30, 63);
        nueva();
    }
    ~Escena() {
        m.reset();
        platform::Shutdown();
    }

    // A fresh play with seven hostesses.
    void nueva() {
        for (int semilla = 1;; ++semilla) {
            SeedRnd(semilla);
            m = TMiniJuego4::Create(anim, paquetes);
            m->prepararJuego(0);
            if (m->tias.size() == 7) break;
        }
    }

    VBAPtr cargarDatos() {
        VBAPtr v = escena::cargarDatosDelJuego(paquetes);
        datosDelJuego = v != nullptr;
        return v;
    }
};

Escena& escena() {
    static Escena e;
    return e;
}

// The whole frame as the game runs it: clear, timers, keys, figures, sorted drawing, the
// meter, flip. A play that ends (a coder away, all caught, the meter out) is replaced.
void BM_FrameEsconditeCoder(benchmark::State& state) {
    Escena& e = escena();
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!e.m->sigueJuego()) e.nueva();
        const int k = frames++ % 3;
        input::KeyEvent(TMiniJuego4::teclas[static_cast<size_t>(k)], true);
        input::KeyEvent(TMiniJuego4::teclas[static_cast<size_t>(k)], false);
        state.ResumeTiming();
        e.m->frameJuego();
    }
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}
BENCHMARK(BM_FrameEsconditeCoder)->Unit(benchmark::kMillisecond);

// What every frame costs the platform whatever is drawn: clear and flip of the offscreen
// display. The minigame's own share is the difference.
void BM_FrameVacio(benchmark::State& state) {
    escena();
    for (auto _ : state) {
        Cls();
        Flip(1);
    }
}
BENCHMARK(BM_FrameVacio)->Unit(benchmark::kMillisecond);

}  // namespace
