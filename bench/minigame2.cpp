// "No te mojes": cost of one frame and of its biggest piece of work, the 384 x 320 water
// layer built anew every frame from the noise and the current texture, headless
// (offscreen GL, virtual clock).
//   build/bench/bench_minigame2
// Uses the game's pictures and water textures from the data folder when they are there,
// otherwise textures and figures made in code.
#include "../tests/support/minigame_fixture.h"
#include "engine/gl.h"
#include "minigames/no_te_mojes/mini_juego2.h"
#include "platform/base/random.h"
#include "platform/platform.h"

#include "escena_headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

struct Escena {
    std::unique_ptr<TMiniJuego2> m;
    bool datosDelJuego = false;

    Escena() {
        escena::arrancarHeadless();

        datosDelJuego = escena::usarCarpetaDeDatos("agua/save.01.png");
        TMiniJuego2::cargarRecursos();
        if (!TMiniJuego2::imgBola) TMiniJuego2::imgBola = figuras::solido(30, 36, 0xFF4080FF, 0, 0);
        m = TMiniJuego2::Create(figuras::conjunto(15, 2, 5), figuras::paquetes(24, 40, 5));
        m->prepararJuego(0);
        if (!datosDelJuego) {
            for (size_t i = 0; i < m->texturaAgua2.size(); ++i) {
                auto p = CreatePixmap(128, 128);
                for (int y = 0; y < 128; ++y)
                    for (int x = 0; x < 128; ++x)
                        p->WritePixel(
                            x, y,
                            0xFF000000u | static_cast<uint32_t>((x * 2 + y + static_cast<int>(i)) & 0x3F));
                m->texturaAgua2[i] = p;
            }
        }
        m->nivelObjetivo = 60;        // plenty of water on the floor
        m->jugadorRaton->Status = 1;  // standing, never drowning: the frames go on
    }
    ~Escena() {
        m.reset();
        platform::Shutdown();
    }
};

Escena& escena() {
    static Escena e;
    return e;
}

// The whole frame as the game runs it: update, water layer, drawing, flip.
void BM_FrameNoTeMojes(benchmark::State& state) {
    Escena& e = escena();
    for (auto _ : state) {
        state.PauseTiming();
        e.m->win = e.m->lose = 0;
        e.m->nivelObjetivo = 60;
        state.ResumeTiming();
        e.m->frameJuego();
    }
    state.counters["datos_del_juego"] = e.datosDelJuego ? 1 : 0;
}
BENCHMARK(BM_FrameNoTeMojes)->Unit(benchmark::kMillisecond);

// Only the water layer of one frame (a new image written pixel by pixel).
void BM_GeneraAgua(benchmark::State& state) {
    Escena& e = escena();
    for (auto _ : state) {
        e.m->generaAgua(e.m->nivel + 20, e.m->nivel);
        e.m->frameAgua = (e.m->frameAgua + 1) % TMiniJuego2::FRAMES_AGUA;
    }
}
BENCHMARK(BM_GeneraAgua)->Unit(benchmark::kMicrosecond);

// The noise field of one play: 384 x 320 cells of seven octaves, once per play.
void BM_RuidoDelSuelo(benchmark::State& state) {
    escena();
    for (auto _ : state) {
        auto n = TPerlinNoise::Create(64, 64);
        n->generateNoise();
        benchmark::DoNotOptimize(n->toArray(TMiniJuego2::ANCHO_SUELO, TMiniJuego2::ALTO_SUELO, 64));
    }
}
BENCHMARK(BM_RuidoDelSuelo)->Unit(benchmark::kMillisecond);

}  // namespace
