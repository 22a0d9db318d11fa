// Cost of loading the character packs at start-up: five packs of 40 graphs of 64 x 64,
// read with the game's flags (filtered, mipmapped, relative control points).
#include "vgp/vgp.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::vector<std::string> WritePacks() {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "fk_bench_packs";
    std::filesystem::create_directories(dir);
    std::vector<std::string> paths;
    for (int p = 0; p < 5; p++) {
        VGP pack;
        pack.VFlags = DYNAMICIMAGE;
        pack.Size = 41;
        pack.Graph.resize(41);
        pack.Graph[0] = GetEmptyGraph();
        for (int i = 1; i <= 40; i++) {
            auto g = TGraph::Create();
            g->W = g->H = 64;
            g->CPs = 2;
            g->CP = {{32, 4}, {32, 60}};
            g->I = CreateImage(64, 64, 1, DYNAMICIMAGE);
            TPixmapPtr pm = LockImage(g->I, 0);
            for (int y = 0; y < 64; y++)
                for (int x = 0; x < 64; x++)
                    pm->WritePixel(x, y, (x + y) % 7 ? 0xFF000000u | static_cast<uint32_t>(x * 4 << 16 | y * 4 << 8 | p * 40) : 0);
            pack.Graph[i] = g;
        }
        paths.push_back((dir / ("pack" + std::to_string(p) + ".vgp")).string());
        pack.SaveVGP(paths.back());
    }
    return paths;
}

void BM_LoadFivePacks(benchmark::State& state) {
    static const std::vector<std::string> paths = WritePacks();
    for (auto _ : state) {
        for (const std::string& path : paths) {
            VGPPtr p = VGP::LoadVGP(path, 6, 1);
            benchmark::DoNotOptimize(p.get());
        }
    }
}
BENCHMARK(BM_LoadFivePacks)->Unit(benchmark::kMillisecond);

}  // namespace
