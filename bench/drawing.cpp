// Frame cost of the drawing layer on the offscreen display: 2000 textured, rotated,
// alpha-blended 64x64 images per frame, and 200 lines of TrueType text per frame, with
// the 1024x768 virtual projection over a 1024x768 window and over a 64x48 window (the
// second shows the per-call cost once filling pixels is nearly free).
// Reported time is per frame (one iteration = one frame, finished with a read-back so
// the GL work is really done).
#include "platform/platform.h"
#include "platform/video/display.h"
#include "platform/video/scaling.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

namespace {

void OpenDisplay(int w, int h) {
    static bool started = false;
    if (!started) {
        session::Options o;
        o.headless = true;
        o.virtualClock = true;
        platform::Startup(o);
        started = true;
    }
    if (!GraphicsOpen() || GraphicsWidth() != w || GraphicsHeight() != h) Graphics(w, h, 32, 60, 0);
    SetVirtualResolution(1024, 768);
}

TImagePtr Sprite() {
    static TImagePtr img = [] {
        auto pm = CreatePixmap(64, 64, PF_RGBA8888);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const int d = (x - 32) * (x - 32) + (y - 32) * (y - 32);
                const uint32_t a = d < 900 ? 255 : (d < 1024 ? 128 : 0);
                pm->WritePixel(x, y, (a << 24) | (uint32_t(x * 4) << 16) | (uint32_t(y * 4) << 8) | 200);
            }
        auto i = LoadImageFromPixmap(*pm, FILTEREDIMAGE);
        MidHandleImage(i);
        return i;
    }();
    return img;
}

TImageFontPtr Font() {
    static TImageFontPtr font = [] {
        std::string path = std::string(FK_DATA_DIR) + "/artwork/comic.ttf";
        if (!std::filesystem::exists(path)) path = "/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf";
        return LoadImageFont(path, 20, SMOOTHFONT);
    }();
    return font;
}

void EndFrame() {
    Flip(0);
    benchmark::DoNotOptimize(GrabPixmap(0, 0, 1, 1));
}

void BM_Images(benchmark::State& state) {
    OpenDisplay(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto img = Sprite();
    SetBlend(ALPHABLEND);
    SetAlpha(0.7f);
    int frame = 0;
    for (auto _ : state) {
        Cls();
        for (int i = 0; i < 2000; ++i) {
            SetColor(255, 128 + i % 128, 255 - i % 200);
            SetRotation(static_cast<float>((i * 7 + frame) % 360));
            DrawImage(img, static_cast<float>((i * 37) % 1024), static_cast<float>((i * 53) % 768));
        }
        EndFrame();
        ++frame;
    }
    SetRotation(0);
    SetAlpha(1);
}

void BM_Text(benchmark::State& state) {
    OpenDisplay(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    SetImageFont(Font());
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
    for (auto _ : state) {
        Cls();
        for (int i = 0; i < 200; ++i)
            DrawText("Tarsun avanza 3 casillas: ¡minijuego!", static_cast<float>((i * 13) % 600),
                     static_cast<float>((i * 29) % 740));
        EndFrame();
    }
    SetImageFont(nullptr);
}

}  // namespace

// Showing a frame with nothing drawn in it: at 1920x1080 drawn at the window's size (the
// cost of presenting alone), and drawn small (presenting plus the pass that scales the
// 1024x768 picture onto the window). The difference is the scaling pass.
void BM_Present(benchmark::State& state) {
    const bool small = state.range(2) != 0;
    SetDrawSize(small ? DrawSize::Small : DrawSize::Window);
    EndGraphics();
    OpenDisplay(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (DrawingSmall() != small) state.SkipWithError("the display does not draw as asked");
    for (auto _ : state) display::PresentFrame(false);
    EndGraphics();
    SetDrawSize(DrawSize::Auto);
}

// One picture the size of a 1920x1080 window drawn one texel to a pixel, as a background
// is: what a full-window pass costs when the driver takes its cheapest path.
void BM_WindowPicture(benchmark::State& state) {
    SetDrawSize(DrawSize::Window);
    OpenDisplay(1920, 1080);
    SetVirtualResolution(1920, 1080);
    auto pm = CreatePixmap(1920, 1080, PF_RGBA8888);
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) pm->WritePixel(x, y, 0xFF000000u | uint32_t(x * 7 + y * 13));
    auto image = LoadImageFromPixmap(*pm, 0);
    SetBlend(SOLIDBLEND);
    for (auto _ : state) {
        DrawImage(image, 0, 0);
        EndFrame();
    }
    EndGraphics();
    SetDrawSize(DrawSize::Auto);
}
BENCHMARK(BM_WindowPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(BM_Present)->Args({1920, 1080, 0})->Args({1920, 1080, 1})->Args({2560, 1440, 0})->Args({2560, 1440, 1})
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Images)->Args({1024, 768})->Args({64, 48})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Text)->Args({1024, 768})->Args({64, 48})->Unit(benchmark::kMillisecond)->UseRealTime();
