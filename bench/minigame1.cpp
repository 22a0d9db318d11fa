// "Acicalandose": cost of one frame with 30 kisses in flight and 6 girls on screen,
// headless (offscreen GL, virtual clock), collision tests included.
//   build/bench/bench_minigame1
// Uses the game's animation set and packs from the data folder when they are there,
// otherwise figures of 15 bones made in code.
#include "../tests/support/minigame_fixture.h"
#include "engine/gl.h"
#include "minigames/acicalandose/mini_juego1.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

struct Escena {
    std::unique_ptr<TMiniJuego1> m;
    TPaquetes paquetes;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();

        VBAPtr anim = cargarDatos();
        if (!anim) {
            anim = figuras::conjunto(15, 2, 5);
            paquetes = figuras::paquetes(24, 40, 5);
        }
        TMiniJuego1::cargarRecursos();
        if (!TMiniJuego1::corazon) TMiniJuego1::corazon = figuras::solido(24, 22, 0xFFFF6080, 0, 0);
        if (!TMiniJuego1::flecha) TMiniJuego1::flecha = figuras::solido(10, 48, 0xFFFFFFFF, 0, 0);
        m = TMiniJuego1::Create(anim, paquetes);
        m->prepararJuego(0);
        m->ProbTolpusero = 0;
        m->ResistenciaAlAmor = 1 << 30;  // the player never faints
        m->JTurno->X = 500;
        m->JTurno->Y = 450;
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

    // Six girls: four strolling along the top, two in love walking down; 30 kisses spread
    // over the room at every aim the arrows give.
    void reponer() {
        for (auto& j : m->JNoTurno) j->Besos.clear();
        reponerChicas();
        reponerBesos();
    }
    void reponerChicas() {
        m->Tolpuseros.clear();
        for (int i = 0; i < 6; ++i) {
            auto g = TTolpusero::Create(TMiniJuego1::anim, paquetes[PAQUETE_CHICA], i % 2, m.get());
            m->Tolpuseros.push_back(g);
            g->SetLink(std::prev(m->Tolpuseros.end()));
            g->X = 120.0f + 150.0f * i;
            if (i >= 4) g->Enamorame(i - 4, m->JNoTurno[static_cast<size_t>(i - 4)]->X, 700);
        }
    }
    // Back to 30 kisses in flight (those that touched something are gone).
    void reponerBesos() {
        for (size_t i = besos(); i < 30; ++i) {
            TJugador1Boton& j = *m->JNoTurno[static_cast<size_t>(i % 3)];
            auto b = TBeso::Create(TMiniJuego1::corazon, static_cast<float>(Rand(0, 1023)),
                                   static_cast<float>(Rand(60, 700)), static_cast<float>(4 * Rand(-21, 21)),
                                   i % 3, m.get());
            j.Besos.push_back(b);
            b->SetLink(&j.Besos, std::prev(j.Besos.end()));
        }
    }
    size_t besos() const {
        size_t n = 0;
        for (auto& j : m->JNoTurno) n += j->Besos.size();
        return n;
    }
};

Escena& escena() {
    static Escena e;
    return e;
}

// The whole frame as the game runs it: clear, update, draw, flip.
void BM_FrameAcicalandose(benchmark::State& state) {
    Escena& e = escena();
    e.reponer();
    size_t besos = 0;
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (++frames % 30 == 0) e.reponerChicas();
        e.reponerBesos();
        state.ResumeTiming();
        besos += e.besos();
        e.m->frameJuego();
    }
    state.counters["besos"] =
        benchmark::Counter(static_cast<double>(besos), benchmark::Counter::kAvgIterations);
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}
BENCHMARK(BM_FrameAcicalandose)->Unit(benchmark::kMillisecond);

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

// Only the kisses' flight and touch tests of one frame (what used to grow without limit).
void BM_BesosDeUnFrame(benchmark::State& state) {
    Escena& e = escena();
    e.reponer();
    for (auto& g : e.m->Tolpuseros) g->UpdateState();
    e.m->JTurno->UpdateState();
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (++frames % 30 == 0) {
            e.reponerChicas();
            for (auto& g : e.m->Tolpuseros) g->UpdateState();
        }
        e.reponerBesos();
        state.ResumeTiming();
        for (auto& j : e.m->JNoTurno)
            for (auto it = j->Besos.begin(); it != j->Besos.end();) {
                auto b = *it++;
                b->UpdateState();
            }
    }
}
BENCHMARK(BM_BesosDeUnFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
