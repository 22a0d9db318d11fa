// colisionPoseImagen of a 16-bone pose against a 32 by 32 image: overlapping (the
// pixel test runs for the bones the image's box meets) and apart (boxes only); and the
// same image loaded from a file and at rest, tested from its record of solid texels.
#include "engine/sprite.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

#include <unistd.h>

namespace {

struct Pose {
    AnimState estado;
    VGP pack;
    TImagePtr bala;
    Pose() {
        pack.Graph = {GetEmptyGraph()};
        for (int g = 1; g <= 4; ++g) {
            auto graph = TGraph::Create();
            graph->W = 12;
            graph->H = 28;
            graph->I = CreateImage(12, 28, 1, 0);
            TPixmapPtr p = LockImage(graph->I, 0, true, true);
            for (int y = 0; y < 28; ++y)  // a rounded limb: transparent corners
                for (int x = 0; x < 12; ++x)
                    if ((x - 6) * (x - 6) * 4 + (y - 14) * (y - 14) < 200) p->WritePixel(x, y, 0xFFFFFFFF);
            SetImageHandle(graph->I, 6, 2);
            pack.Graph.push_back(graph);
        }
        pack.Size = 5;
        for (int i = 0; i < 16; ++i) {
            RepBone r;
            r.X = 14 * std::cos(i * 0.39f);
            r.Y = -35 + 30 * std::sin(i * 0.39f);
            r.Angle = i * 22.5f;
            r.Size = 1;
            r.Graph = 1 + i % 4;
            estado.BoneList.push_back(r);
        }
        bala = CreateImage(32, 32, 1, 0);
        TPixmapPtr p = LockImage(bala, 0, true, true);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((x - 16) * (x - 16) + (y - 16) * (y - 16) < 200) p->WritePixel(x, y, 0xFFFFFFFF);
        MidHandleImage(bala);
    }
};

void BM_ColisionSolapadas(benchmark::State& state) {
    Pose p;
    // The disc sits beside the figure's right side: several bones' boxes reach it, and
    // the last bones tested are the ones that touch.
    int hits = 0;
    for (auto _ : state) hits += colisionPoseImagen(p.estado, p.pack, 500, 400, p.bala, 530, 400, 10, 1, 1);
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_ColisionSolapadas)->Unit(benchmark::kMicrosecond);

void BM_ColisionSolapadasEnReposo(benchmark::State& state) {
    Pose p;
    const std::string archivo = "/tmp/bench_colision_" + std::to_string(::getpid()) + ".png";
    SavePixmapPNG(*LockImage(p.bala, 0, true, false), archivo);
    TImagePtr bala = LoadImage(archivo, 0);
    std::remove(archivo.c_str());
    if (!bala) {
        state.SkipWithError("the picture could not be written and read");
        return;
    }
    MidHandleImage(bala);
    RestImages({bala});
    int hits = 0;
    for (auto _ : state) hits += colisionPoseImagen(p.estado, p.pack, 500, 400, bala, 530, 400, 10, 1, 1);
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_ColisionSolapadasEnReposo)->Unit(benchmark::kMicrosecond);

void BM_ColisionSolapadasSinTocar(benchmark::State& state) {
    Pose p;
    // Inside the figure's ring of bones, touching none: every box near it is tested in pixels.
    int hits = 0;
    for (auto _ : state)
        hits += colisionPoseImagen(p.estado, p.pack, 500, 400, p.bala, 500, 365, 0, 0.3f, 0.3f);
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_ColisionSolapadasSinTocar)->Unit(benchmark::kMicrosecond);

void BM_ColisionLejos(benchmark::State& state) {
    Pose p;
    int hits = 0;
    for (auto _ : state) hits += colisionPoseImagen(p.estado, p.pack, 500, 400, p.bala, 800, 100, 0, 1, 1);
    benchmark::DoNotOptimize(hits);
}
BENCHMARK(BM_ColisionLejos)->Unit(benchmark::kMicrosecond);

}  // namespace
