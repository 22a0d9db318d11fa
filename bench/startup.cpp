// Start-up costs: loading the game's TrueType font at the sizes the screens use, and
// decoding the largest artwork pictures, before any display exists (as the game does
// while it loads every screen's resources), alone or decoded ahead on worker threads.
// BM_FontFirstLine adds the first drawing of a title line on the offscreen display, i.e.
// what a font costs up to its first use.
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::string Data(const char* name) { return std::string(FK_DATA_DIR) + "/" + name; }

void BM_LoadFont(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto font = LoadImageFont(Data("artwork/comic.ttf"), size, SMOOTHFONT);
        if (!font) state.SkipWithError("artwork/comic.ttf missing");
        benchmark::DoNotOptimize(font);
    }
}
BENCHMARK(BM_LoadFont)->Arg(30)->Arg(50)->Arg(100)->Arg(250)->Unit(benchmark::kMillisecond);

// 1024x768 RGB: decoded, then masked into RGBA as LoadImage does.
void BM_LoadPicture(benchmark::State& state) {
    for (auto _ : state) {
        auto image = LoadImage(Data("artwork/intro-2.png"));
        if (!image) state.SkipWithError("artwork/intro-2.png missing");
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_LoadPicture)->Unit(benchmark::kMillisecond);

void BM_DecodePicture(benchmark::State& state) {
    for (auto _ : state) {
        auto pixmap = LoadPixmap(Data("artwork/titulo.png"));
        if (!pixmap) state.SkipWithError("artwork/titulo.png missing");
        benchmark::DoNotOptimize(pixmap);
    }
}
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMillisecond);

// The intro's pictures as the start-up loads them: one after the other (0), or decoded
// ahead on worker threads first (1), as the game does.
void BM_LoadIntroPictures(benchmark::State& state) {
    const std::vector<std::string> names = {"7341logos.jpg",   "trep-logo.jpg",   "sondo-logo.jpg",
                                            "mirelo-logo.jpg", "fustel-logo.jpg", "intro-1.png",
                                            "intro-2.png",     "intro-3.png",     "intro-personajes.png"};
    for (auto _ : state) {
        if (state.range(0)) {
            std::vector<ImageAhead> ahead;
            for (const auto& n : names) ahead.push_back({Data(("artwork/" + n).c_str())});
            PrefetchImages(ahead);
        }
        for (const auto& n : names) {
            auto image = LoadImage(Data(("artwork/" + n).c_str()));
            if (!image) state.SkipWithError("intro picture missing");
            benchmark::DoNotOptimize(image);
        }
    }
}
BENCHMARK(BM_LoadIntroPictures)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FontFirstLine(benchmark::State& state) {
    static bool started = false;
    if (!started) {
        session::Options o;
        o.headless = true;
        o.virtualClock = true;
        platform::Startup(o);
        Graphics(1024, 768, 32, 60, 0);
        started = true;
    }
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto font = LoadImageFont(Data("artwork/comic.ttf"), size, SMOOTHFONT);
        SetImageFont(font);
        DrawText("Frikipartida", 10, 10);
        Flip(0);
        benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));
        SetImageFont(nullptr);
    }
}
BENCHMARK(BM_FontFirstLine)->Arg(50)->Arg(250)->Unit(benchmark::kMillisecond);

}  // namespace
