// Cost of one board frame: the 170 by 170 tile map drawn through its camera at zoom 1
// (about 50 tiles on screen) plus four 16-bone tokens, headless; and the culling alone.
#include "board/ficha.h"
#include "engine/gl.h"
#include "engine/mapa.h"
#include "platform/platform.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

void iniciar() {
    static bool hecho = false;
    if (hecho) return;
    hecho = true;
    session::Options o;
    o.headless = true;
    o.virtualClock = true;
    platform::Startup(o);
    Graphics(1024, 768, 32, 60, 0);
    GL::projection(1024, 768);
    InitTrigTables();
    for (int i = 0; i < TMapa::NUM_TILES; ++i) {
        TImagePtr img = CreateImage(128, 128, 1, FILTEREDIMAGE | MIPMAPPEDIMAGE);
        TPixmapPtr p = LockImage(img, 0, true, true);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) p->WritePixel(x, y, 0xFF000000u | (i * 8) << 16 | (x ^ y) << 8 | y);
        TMapa::tiles()[i] = img;
    }
}

// A figure of 16 bones (a root and 15 sons fanned around it), each a 32 by 32 picture.
struct Figura {
    VBAPtr set = std::make_shared<VBA>();
    VGPPtr pack = std::make_shared<VGP>();
    Figura() {
        set->Father = std::make_unique<VBABone>();
        for (int i = 1; i < 16; ++i) {
            auto b = std::make_unique<VBABone>();
            b->ID = i;
            set->Father->Sons.push_back(std::move(b));
        }
        set->Father->NSons = 15;
        set->NBones = 16;
        auto anim = std::make_shared<VBAAnim>();
        anim->Frames = std::make_unique<VBAFrame>();
        anim->Frames->Duration = 200;
        anim->Frames->Bones.resize(16);
        anim->Frames->NextFrame = std::make_unique<VBAFrame>();
        anim->Frames->NextFrame->Duration = 200;
        anim->Frames->NextFrame->Bones.resize(16);
        for (int i = 0; i < 16; ++i) {
            for (VBAFrame* f : {anim->Frames.get(), anim->Frames->NextFrame.get()}) {
                VBABoneState& s = f->Bones[i];
                s.X = i ? 12 * std::cos(i * 0.4f) : 0;
                s.Y = i ? -20 - 12 * std::sin(i * 0.4f) : 0;
                s.Angle = static_cast<float>(i * 23 + (f == anim->Frames.get() ? 0 : 15));
                s.Graph = 1 + i % 4;
                s.Z = i % 3;
            }
        }
        anim->NFrames = 2;
        anim->Duration = 400;
        set->Anim.push_back(anim);
        set->NAnims = 1;
        pack->Graph = {GetEmptyGraph()};
        for (int g = 1; g <= 4; ++g) {
            auto graph = TGraph::Create();
            graph->W = graph->H = 32;
            graph->I = CreateImage(32, 32, 1, FILTEREDIMAGE | DYNAMICIMAGE);
            LockImage(graph->I, 0, true, true)->ClearPixels(0xFF000000u | g * 0x3F3F3F);
            SetImageHandle(graph->I, 16, 4);
            pack->Graph.push_back(graph);
        }
        pack->Size = 5;
    }
};

struct Tablero {
    TMapaPtr mapa = TMapa::Create(170, 170, 128);
    Figura figura;
    std::vector<TFichaPtr> fichas;
    Tablero() {
        iniciar();
        for (int r = 0; r < 170; ++r)
            for (int c = 0; c < 170; ++c) mapa->setTile(c, r, static_cast<uint8_t>((r * 7 + c * 3) % 31));
        mapa->center();
        for (int i = 0; i < 4; ++i) {
            TFichaPtr f = TFicha::Create(mapa);
            f->init(figura.set, figura.pack);
            f->anima(0, 0, 1);
            f->setPosition(10880 + 35 + 58 * (i % 2), 10880 + 50 + 58 * (i / 2));
            fichas.push_back(f);
        }
    }
};

void BM_FrameMapaYFichas(benchmark::State& state) {
    Tablero t;
    float ahora = 0;
    for (auto _ : state) {
        Cls();
        t.mapa->Render();
        for (const TFichaPtr& f : t.fichas) {
            f->update(1 / 60.0f, ahora);
            f->Dibujar(*t.mapa->getCamera());
        }
        ahora += 1 / 60.0f;
        Flip(0);
        GrabPixmap(0, 0, 1, 1);  // waits for the frame to be drawn
    }
}
BENCHMARK(BM_FrameMapaYFichas)->Unit(benchmark::kMillisecond);

// The floor under every frame: clear, flip and wait for the (software) renderer.
void BM_FrameVacio(benchmark::State& state) {
    Tablero t;
    for (auto _ : state) {
        Cls();
        Flip(0);
        GrabPixmap(0, 0, 1, 1);
    }
}
BENCHMARK(BM_FrameVacio)->Unit(benchmark::kMillisecond);

// The map alone, the camera spinning and zooming as in the match's transition.
void BM_RenderGirando(benchmark::State& state) {
    Tablero t;
    float a = 0;
    for (auto _ : state) {
        t.mapa->getCamera()->setAngle(a += 3);
        t.mapa->getCamera()->setZoom(0.5f + 0.5f * std::fabs(std::sin(a / 50)));
        Cls();
        t.mapa->Render();
        GrabPixmap(0, 0, 1, 1);
    }
}
BENCHMARK(BM_RenderGirando)->Unit(benchmark::kMillisecond);

// Render's own loop, nothing drawn: every cell a code with no picture.
void BM_CullingRender(benchmark::State& state) {
    Tablero t;
    t.mapa->Rellenar(31);
    for (auto _ : state) t.mapa->Render();
}
BENCHMARK(BM_CullingRender)->Unit(benchmark::kMicrosecond);

// What visiting every one of the 28900 cells with the camera's test costs (the loop
// Render avoids by only visiting rows and columns within reach).
void BM_CullingTodasLasCeldas(benchmark::State& state) {
    Tablero t;
    const TCamera& cam = *t.mapa->getCamera();
    const double diag = std::hypot(128.0, 128.0);
    for (auto _ : state) {
        int n = 0;
        for (int r = 0; r < 170; ++r)
            for (int c = 0; c < 170; ++c) n += cam.isVisible(float(c * 128), float(r * 128), diag);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_CullingTodasLasCeldas)->Unit(benchmark::kMicrosecond);

}  // namespace
