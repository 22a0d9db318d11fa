// Writes artwork/fondoraro.png and artwork/fondomasraro.png into a data folder with the
// game's own generators, headless and with a fixed seed, so every build makes the same
// bytes.
//   fondos <data folder>
#include "engine/gl.h"
#include "platform/platform.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace {
constexpr int32_t kSemilla = 20060401;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fondos <data folder>\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(std::filesystem::path(argv[1]) / "artwork");
        std::filesystem::current_path(argv[1]);

        session::Options opciones;
        opciones.headless = true;
        opciones.virtualClock = true;
        opciones.seed = kSemilla;
        platform::Startup(opciones);
        if (!Graphics(1024, 768, 32, 60, 0)) {
            std::fprintf(stderr, "fondos: no offscreen display\n");
            return 1;
        }
        GL::projection(1024, 768);
        SeedRnd(kSemilla);
        SetClsColor(0, 0, 0);
        SetAlpha(1);
        SetTransform(0, 1, 1);

        std::printf("fondos: artwork/fondoraro.png\n");
        // Night blue into violet: dark enough for the white titles of the turn page.
        if (!GL::crearFondoRaro(25, 70, 150, 105, 35, 140)) return 1;
        std::printf("fondos: artwork/fondomasraro.png\n");
        if (!GL::crearFondoMasRaro()) return 1;
        platform::Shutdown();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fondos: %s\n", e.what());
        return 1;
    }
    return std::filesystem::exists("artwork/fondoraro.png") &&
                   std::filesystem::exists("artwork/fondomasraro.png")
               ? 0
               : 1;
}
