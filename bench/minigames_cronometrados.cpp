// The timed minigames added to the original five ("Apagon" and the rest on the shared
// timed loop): cost of one frame of the play at 1024x768 as the game runs it, the three
// others working their keys in turn (held for a third of a second each) and the pointer
// going round the screen with its button pressed now and then, headless (offscreen GL,
// virtual clock). A play that ends is replaced by a fresh one.
//   build/bench/bench_minigames_cronometrados
// Uses the game's animation set, packs and pictures from the data folder when they are
// there, otherwise figures of 15 bones made in code.
#include "../tests/support/minigame_fixture.h"
#include "engine/gestor_sonido.h"
#include "minigames/catalogo.h"
#include "minigames/mini_juego_cronometrado.h"
#include "platform/input/input.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

namespace {

struct Escena {
    TPaquetes paquetes;
    VBAPtr anim;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();
        anim = escena::cargarDatosDelJuego(paquetes);
        datosDelJuego = anim != nullptr;
        if (!anim) {
            anim = figuras::conjunto(15, 2, 5);
            paquetes = figuras::paquetes(24, 40, 5);
        }
        TGestorSonido::CreateGlobal();
        cargarRecursosMiniJuegos();
    }
    ~Escena() { platform::Shutdown(); }
};

Escena& escena() {
    static Escena e;
    return e;
}

std::unique_ptr<TMiniJuegoCronometrado> nueva(int r) {
    Escena& e = escena();
    std::unique_ptr<TMiniJuego> j = crearMiniJuego(r, e.anim, e.paquetes);
    std::unique_ptr<TMiniJuegoCronometrado> m(dynamic_cast<TMiniJuegoCronometrado*>(j.get()));
    if (m) j.release();
    if (m) m->prepararJuego(0);
    return m;
}

void BM_FrameCronometrado(benchmark::State& state, int r) {
    Escena& e = escena();
    auto m = nueva(r);
    if (!m) {
        state.SkipWithError("not a timed minigame");
        return;
    }
    const asientos::TPapeles papeles = m->asientos(0);
    int frames = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ++frames;
        // The others' keys in turn, 20 frames each; the pointer round the screen.
        const int k = 1 + (frames / 20) % 3;
        for (int s = 1; s < 4; ++s)
            for (int tecla : papeles[static_cast<size_t>(s)].teclas) input::KeyEvent(tecla, s == k);
        const float a = static_cast<float>(frames) * 0.05f;
        input::MouseMoveEvent(static_cast<int>(512 + 400 * std::cos(a)),
                              static_cast<int>(420 + 300 * std::sin(a)));
        input::MouseButtonEvent(1, frames % 30 < 3);
        state.ResumeTiming();
        if (!m->jugarFrame()) {
            state.PauseTiming();
            m = nueva(r);
            state.ResumeTiming();
        }
    }
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}

const bool registrados = [] {
    for (int r = 0; r < numMiniJuegos(); ++r) {
        const TFichaMiniJuego& f = catalogo()[static_cast<size_t>(r)];
        if (f.deLosCinco) continue;
        benchmark::RegisterBenchmark((std::string("BM_Frame/") + f.id).c_str(), BM_FrameCronometrado, r)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
