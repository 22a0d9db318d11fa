// The generated data: every file the game names loads with the game's own readers, the
// animation set and packs fit together, and the content checks that players would
// notice (seamless water, the roulette's number, click-free sounds and loops).
#include "../../tools/assetgen/roulette.h"
#include "platform/pictures/font.h"
#include "platform/pictures/image.h"
#include "platform/sound/sound.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {
std::string Data(const std::string& rel) { return std::string(FK_DATA_DIR) + "/" + rel; }

struct Picture {
    std::string name;
    int w, h;  // 0: any size
};

std::vector<Picture> Pictures() {
    std::vector<Picture> p = {
        {"artwork/titulo.png", 1024, 768},       {"artwork/opciones.png", 1024, 768},
        {"artwork/creditos.png", 1024, 768},     {"artwork/7341logos.jpg", 0, 0},
        {"artwork/trep-logo.jpg", 1024, 768},    {"artwork/fustel-logo.jpg", 1024, 768},
        {"artwork/mirelo-logo.jpg", 1024, 768},  {"artwork/sondo-logo.jpg", 1024, 768},
        {"artwork/intro-1.png", 1024, 768},      {"artwork/intro-2.png", 1024, 768},
        {"artwork/intro-3.png", 1024, 768},      {"artwork/intro-personajes.png", 1024, 1536},
        {"artwork/ruleta-de-la-muerte.png", 480, 480},
        {"artwork/ruleta-de-la-muerte-marcador.png", 480, 480},
        {"artwork/corazon.png", 0, 0},           {"artwork/flecha-superior.png", 0, 0},
        {"artwork/fondo-minijuego1.png", 1024, 768}, {"artwork/cartel-duchas.png", 0, 0},
        {"artwork/cartel-cita.png", 0, 0},       {"artwork/manguera-hinchada.png", 0, 0},
        {"artwork/fondo-minijuego2.png", 1024, 768}, {"artwork/fondo-minijuego3.png", 1024, 768},
        {"artwork/chica-gorvia.png", 0, 0},      {"artwork/chica-gorvia-ostion.png", 0, 0},
        {"artwork/fondillo4.png", 1024, 768},    {"artwork/mesasola.png", 0, 0},
        {"artwork/sillasola.png", 0, 0},         {"artwork/cd.png", 29, 29},
        {"artwork/fondo-minijuego5.png", 1024, 768},
        {"artwork/fondo-apagon.png", 1024, 768}, {"artwork/rack-apagon.png", 0, 0},
        {"artwork/fondo-compilando.png", 1024, 768}, {"artwork/bicho.png", 0, 0},
        {"artwork/fondo-bolas.png", 1024, 768},  {"artwork/bola-papel.png", 0, 0},
    };
    for (const char* c : {"tarsun", "ervarsen", "quelbido", "pexil"}) {
        p.push_back({std::string("artwork/char-") + c + ".png", 0, 0});
        p.push_back({std::string("artwork/") + c + "-enamorao.png", 0, 0});
        p.push_back({std::string(c) + "/manguera.png", 0, 0});
    }
    for (int i = 1; i <= 6; ++i) p.push_back({"artwork/chorro" + std::to_string(i) + ".png", 0, 0});
    const char* tiles[] = {"salida", "meta", "amor", "gota", "amor2", "picador", "cds", "dado",
                           "muerte", "normal", "chorra-1", "chorra-2", "chorra-3", "apagon", "compilando", "bolas"};
    for (const char* t : tiles) p.push_back({std::string("artwork/casilla-") + t + ".png", 128, 128});
    for (int i = 1; i <= 8; ++i) p.push_back({"artwork/casilla-mesa-" + std::to_string(i) + ".png", 128, 128});
    for (int i = 1; i <= 3; ++i) {
        p.push_back({"artwork/casilla-de-" + std::to_string(i) + ".png", 128, 128});
        p.push_back({"artwork/casilla-sl-" + std::to_string(i) + ".png", 128, 128});
    }
    for (int i = 1; i <= 4; ++i) p.push_back({"artwork/casilla-pared-" + std::to_string(i) + ".png", 128, 128});
    for (int i = 1; i <= 32; ++i) {
        char n[32];
        std::snprintf(n, sizeof n, "agua/save.%02d.png", i);
        p.push_back({n, 0, 0});
    }
    return p;
}

const char* kEffects[] = {"superbuegh", "muack", "mmm",  "buegh",   "hey",    "oops",
                          "yeha",       "aguaboo", "aguava", "boum", "wosh",   "pillada",
                          "stomp",      "perder", "dado", "boing",   "juego"};
const char* kPacks[] = {"tarsun", "er_varsen", "quelbido", "pexil", "gorvia"};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 255); }
}  // namespace

TEST(AssetgenFiles, EveryNamedPictureLoadsAtItsSize) {
    std::vector<Picture> pics = Pictures();
    EXPECT_EQ(pics.size(), 35u + 12 + 6 + 16 + 8 + 6 + 4 + 32);
    for (const Picture& p : pics) {
        TImagePtr img = LoadImage(Data(p.name));
        ASSERT_TRUE(img) << p.name;
        if (p.w) {
            EXPECT_EQ(img->width, p.w) << p.name;
        }
        if (p.h) {
            EXPECT_EQ(img->height, p.h) << p.name;
        }
    }
    // Backgrounds are loaded with the mask flag: none may have holes punched in it.
    for (const char* bg : {"artwork/titulo.png", "artwork/fondo-minijuego2.png", "artwork/trep-logo.jpg",
                           "artwork/fustel-logo.jpg", "artwork/7341logos.jpg"}) {
        TImagePtr img = LoadImage(Data(bg));
        ASSERT_TRUE(img);
        const TPixmap& pm = *img->frames[0];
        int holes = 0;
        for (int y = 0; y < pm.height; y += 3)
            for (int x = 0; x < pm.width; x += 3) holes += (pm.ReadPixel(x, y) >> 24) == 0;
        EXPECT_EQ(holes, 0) << bg;
    }
}

TEST(AssetgenFiles, FontSoundsAndMusicLoad) {
    EXPECT_TRUE(LoadImageFont(Data("artwork/comic.ttf"), 50, SMOOTHFONT));
    for (const char* e : kEffects) {
        TSoundPtr s = LoadSound(Data(std::string("sfx/") + e + ".wav"));
        ASSERT_TRUE(s) << e;
        double seconds = static_cast<double>(s->FrameCount()) / s->rate;
        EXPECT_GT(seconds, 0.1) << e;
        // Effects answer a moment of play; the dice rattle runs about a second.
        EXPECT_LT(seconds, 4.0) << e;
        if (std::string(e) == "dado") {
            EXPECT_NEAR(seconds, 1.0, 0.3);
        }
        // No click at either end.
        EXPECT_LT(std::abs(s->samples.front()), 600) << e;
        EXPECT_LT(std::abs(s->samples.back()), 600) << e;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Data("sfx")), {}), 17);
}

// Heard one after another, no effect stands out or hides: their loudness (RMS over the
// 50 ms stretches within 20 dB of the loudest) lies within a few dB of each other. And
// none stops on a sound: 20 ms before its end a clip is at least 15 dB under itself.
TEST(AssetgenFiles, EffectsShareOneLoudnessAndDieAway) {
    auto db = [](double power) { return 10 * std::log10(std::max(power, 1e-12)); };
    auto meanPower = [](const std::vector<int16_t>& v, size_t from, size_t to) {
        double sum = 0;
        for (size_t i = from; i < to; i += 2) sum += (v[i] / 32768.0) * (v[i] / 32768.0);
        return to > from ? sum / ((to - from) / 2.0) : 0.0;
    };
    double quietest = 1e9, loudest = -1e9;
    for (const char* e : kEffects) {
        TSoundPtr s = LoadSound(Data(std::string("sfx/") + e + ".wav"));
        ASSERT_TRUE(s) << e;
        const auto& v = s->samples;  // stereo: left samples at even places
        const size_t win = 2 * static_cast<size_t>(s->rate / 20);
        std::vector<double> windows;
        for (size_t a = 0; a + win <= v.size(); a += win / 2) windows.push_back(meanPower(v, a, a + win));
        if (windows.empty()) windows.push_back(meanPower(v, 0, v.size()));
        const double top = *std::max_element(windows.begin(), windows.end());
        double sum = 0;
        int count = 0;
        for (double w : windows)
            if (w >= top / 100) {
                sum += w;
                ++count;
            }
        const double active = db(sum / count);
        quietest = std::min(quietest, active);
        loudest = std::max(loudest, active);
        const size_t ms = 2 * static_cast<size_t>(s->rate / 1000);
        const double tail = db(meanPower(v, v.size() - 25 * ms, v.size() - 15 * ms));
        EXPECT_LT(tail, active - 15) << e;
    }
    EXPECT_LT(loudest - quietest, 3.0);
}

TEST(AssetgenFiles, TunesLoopWithoutGapOrClick) {
    const std::pair<const char*, double> tunes[] = {
        {"music/menu.ogg", 60}, {"music/tablero.ogg", 90}, {"music/title.ogg", 45}};
    for (auto [name, target] : tunes) {
        TSoundPtr s = LoadSound(Data(name), SOUND_LOOP | SOUND_HARDWARE);
        ASSERT_TRUE(s) << name;
        double seconds = static_cast<double>(s->FrameCount()) / s->rate;
        EXPECT_NEAR(seconds, target, target * 0.2) << name;
        // The last frame runs into the first as any two neighbouring frames do. Long tunes
        // are kept encoded and decoded as they play: the same decoding gives their frames.
        std::vector<int16_t> v = s->samples;
        if (v.empty()) {
            TSoundStream flujo(*s);
            v.resize(static_cast<size_t>(s->FrameCount()) * 2);
            for (int64_t i = 0; i < s->FrameCount(); ++i)
                flujo.Frame(i, v[static_cast<size_t>(2 * i)], v[static_cast<size_t>(2 * i + 1)]);
        }
        ASSERT_GE(v.size(), 4u) << name;
        double typical = 0;
        for (size_t i = 2; i < v.size(); i += 2) typical += std::abs(v[i] - v[i - 2]);
        typical /= v.size() / 2.0;
        for (int c = 0; c < 2; ++c) {
            double seam = std::abs(v[c] - v[v.size() - 2 + c]);
            EXPECT_LT(seam, std::max(1200.0, 12 * typical)) << name << " channel " << c;
        }
        // Music plays from its first frame: no silent lead-in that would read as a gap.
        int loud = 0;
        for (size_t i = 0; i < 2 * 4410 && i < v.size(); ++i) loud = std::max(loud, std::abs(static_cast<int>(v[i])));
        EXPECT_GT(loud, 300) << name;
    }
}

TEST(AssetgenAnimations, SetHoldsSixteenAnimationsDressedByEveryPack) {
    std::shared_ptr<VBA> set = VBA::LoadVBA(Data("anim/pjs.vba"));
    ASSERT_GE(set->NAnims, 16);
    std::set<int> graphs;
    for (int a = 0; a < set->NAnims; ++a) {
        const VBAAnim& anim = *set->Anim[a];
        ASSERT_GE(anim.NFrames, 1) << "animation " << a;
        int chain = 0;
        for (const VBAFrame* f = anim.Frames.get(); f; f = f->NextFrame.get(), ++chain) {
            ASSERT_EQ(static_cast<int>(f->Bones.size()), set->NBones);
            for (const VBABoneState& b : f->Bones)
                if (b.Graph != 0) graphs.insert(b.Graph);
        }
        EXPECT_EQ(chain, anim.NFrames) << "animation " << a;
        if (anim.NFrames > 1) {
            EXPECT_GT(anim.Duration, 0) << "animation " << a;
        }
    }
    // Walks loop in 0.5 to 0.8 s.
    for (int walk : {2, 3, 4, 7}) {
        EXPECT_GE(set->Anim[walk]->Duration, 500);
        EXPECT_LE(set->Anim[walk]->Duration, 800);
    }
    for (const char* name : kPacks) {
        std::shared_ptr<VGP> pack = VGP::LoadVGP(Data(std::string("anim/") + name + ".vgp"), 6, 1);
        for (int g : graphs) {
            const TGraph* graph = pack->GetGraph(g);
            ASSERT_TRUE(graph) << name << " graph " << g;
            EXPECT_NE(graph, GetEmptyGraph().get()) << name << " graph " << g;
        }
        for (int g = 1; g < pack->Size; ++g) {
            const TGraph* graph = pack->GetGraph(g);
            if (!graph || graph == GetEmptyGraph().get()) continue;
            ASSERT_GE(graph->CPs, 1) << name << " graph " << g;
            EXPECT_GE(graph->CP[0].X, 0);
            EXPECT_LT(graph->CP[0].X, graph->W) << name << " graph " << g;
            EXPECT_GE(graph->CP[0].Y, 0);
            EXPECT_LT(graph->CP[0].Y, graph->H) << name << " graph " << g;
        }
    }
}

TEST(AssetgenContent, WaterTexturesTileAndShimmer) {
    std::vector<TPixmapPtr> frames;
    for (int i = 1; i <= 32; ++i) {
        char n[32];
        std::snprintf(n, sizeof n, "agua/save.%02d.png", i);
        TImagePtr img = LoadImage(Data(n), DYNAMICIMAGE);
        ASSERT_TRUE(img) << n;
        ASSERT_GE(img->width, 128);
        ASSERT_GE(img->height, 128);
        frames.push_back(img->frames[0]);
    }
    auto diff = [](uint32_t a, uint32_t b) {
        int d = 0;
        for (int s : {0, 8, 16}) d += std::abs(Channel(a, s) - Channel(b, s));
        return d;
    };
    for (const TPixmapPtr& pm : frames) {
        const int w = pm->width, h = pm->height;
        // Mean change between neighbouring columns (rows) inside the picture.
        double innerX = 0, innerY = 0, seamX = 0, seamY = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x + 1 < w; ++x) innerX += diff(pm->ReadPixel(x, y), pm->ReadPixel(x + 1, y));
        for (int y = 0; y + 1 < h; ++y)
            for (int x = 0; x < w; ++x) innerY += diff(pm->ReadPixel(x, y), pm->ReadPixel(x, y + 1));
        innerX /= w - 1;
        innerY /= h - 1;
        for (int k = 0; k < h; ++k) seamX += diff(pm->ReadPixel(w - 1, k), pm->ReadPixel(0, k));
        for (int k = 0; k < w; ++k) seamY += diff(pm->ReadPixel(k, h - 1), pm->ReadPixel(k, 0));
        // Across an edge the picture changes no more than between inner neighbours.
        EXPECT_LT(seamX, innerX * 2 + h);
        EXPECT_LT(seamY, innerY * 2 + w);
    }
    // Consecutive frames differ, and the last runs into the first like any other pair.
    auto frameDiff = [&](const TPixmap& a, const TPixmap& b) {
        double d = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) d += diff(a.ReadPixel(x, y), b.ReadPixel(x, y));
        return d;
    };
    double step = frameDiff(*frames[0], *frames[1]);
    EXPECT_GT(step, 128 * 128 * 1.0);
    EXPECT_LT(frameDiff(*frames[31], *frames[0]), step * 2);
}

TEST(AssetgenContent, RouletteShowsTheRolledNumberUnderTheMarker) {
    TImagePtr wheel = LoadImage(Data("artwork/ruleta-de-la-muerte.png"), 6);
    TImagePtr marker = LoadImage(Data("artwork/ruleta-de-la-muerte-marcador.png"), 6);
    ASSERT_TRUE(wheel && marker);
    const double c = assetgen::kRouletteSize / 2.0;
    // The marker covers the point it shows, and the wheel under it is not covered.
    EXPECT_GT(marker->frames[0]->ReadPixel(static_cast<int>(c), static_cast<int>(c - assetgen::kMarkerTipRadius) - 8) >> 24, 200u);
    EXPECT_EQ(marker->frames[0]->ReadPixel(static_cast<int>(c), static_cast<int>(c - assetgen::kMarkerTipRadius) + 12) >> 24, 0u);
    // The board's resting angles and the roll each one gives.
    const std::pair<double, int> table[] = {{60, 6}, {120, 5}, {180, 4}, {240, 3}, {300, 2}, {0, 1}};
    for (auto [rest, roll] : table) {
        // The wheel is drawn turned clockwise by `rest` about its centre; the screen point
        // just inside the marker's tip comes from the wheel's own point turned back.
        const double r = assetgen::kMarkerTipRadius + 10, a = -rest * M_PI / 180;
        const double sx = 0, sy = -r;
        int px = static_cast<int>(c + sx * std::cos(a) - sy * std::sin(a));
        int py = static_cast<int>(c + sx * std::sin(a) + sy * std::cos(a));
        uint32_t p = wheel->frames[0]->ReadPixel(px, py);
        int best = -1, bestD = 1 << 30;
        for (int n = 0; n < 6; ++n) {
            uint32_t k = assetgen::kRouletteColours[n];
            int d = 0;
            for (int s : {0, 8, 16}) d += std::abs(Channel(p, s) - Channel(k, s));
            if (d < bestD) bestD = d, best = n;
        }
        EXPECT_EQ(best + 1, roll) << "resting angle " << rest;
        EXPECT_LT(bestD, 90) << "resting angle " << rest;
    }
}

TEST(AssetgenBuild, TwoRunsWriteTheSameBytes) {
    namespace fs = std::filesystem;
    // Only the build that wrote the data can be compared with it: another compiler may
    // round the drawing differently and still be deterministic on its own.
    if (std::string(FK_DATA_DIR).rfind(FK_BINARY_DIR, 0) != 0) GTEST_SKIP() << "data made by another build";
    const fs::path out = fs::path(FK_TEST_WORK) / "assetgen-again";
    fs::remove_all(out);
    const std::string cmd = std::string(FK_BINARY_DIR) + "/tools/assetgen/assetgen " + out.string() + " > /dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    auto bytes = [](const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    int files = 0;
    for (const auto& e : fs::recursive_directory_iterator(out)) {
        if (!e.is_regular_file()) continue;
        const fs::path rel = fs::relative(e.path(), out);
        EXPECT_TRUE(bytes(e.path()) == bytes(fs::path(FK_DATA_DIR) / rel)) << rel;
        ++files;
    }
    EXPECT_GT(files, 130);
    fs::remove_all(out);
}
