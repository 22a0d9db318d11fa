// assetgen DATA_DIR [PREVIEW_DIR] [--only GROUP]: writes every picture, sound, tune, the
// animation set and the graphics packs of the game into DATA_DIR, and the review sheets
// into PREVIEW_DIR. The same bytes on every run. --only writes one group (sounds, menus,
// intro, game1, game2, water, games345, games678, hall, squares, roulette, animations, packs) and no
// sheets: a quick look at one piece while drawing it.
// assetgen --icons DIR NAME: writes only the desktop icons, DIR/hicolor/.../NAME.png.
#include "figure.h"
#include "icons.h"
#include "output.h"
#include "packs.h"
#include "preview.h"
#include "scenes.h"
#include "sounds.h"
#include "tiles.h"

#include <chrono>
#include <cstring>
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

using namespace assetgen;

namespace {
int WriteOnly(const std::string& group) {
    if (group == "sounds") {
        WriteEffects();
        WriteVoices();
        WriteMusic();
    } else if (group == "menus") {
        WriteMenuPictures();
    } else if (group == "intro") {
        WriteIntroPictures();
    } else if (group == "game1") {
        WriteGame1Pictures();
    } else if (group == "game2") {
        WriteGame2Pictures();
    } else if (group == "water") {
        WriteWater();
    } else if (group == "games345") {
        WriteGame345Pictures();
    } else if (group == "games678") {
        WriteGame678Pictures();
    } else if (group == "hall") {
        WriteHallTiles();
    } else if (group == "squares") {
        WriteSquareTiles();
    } else if (group == "roulette") {
        WriteRoulette();
    } else if (group == "animations") {
        WriteAnimationSet();
    } else if (group == "packs") {
        WritePacks();
    } else {
        std::fprintf(stderr, "assetgen: no group called %s\n", group.c_str());
        return 2;
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen DATA_DIR [PREVIEW_DIR | --only GROUP] | assetgen --icons DIR NAME\n");
        return 2;
    }
    if (std::string(argv[1]) == "--icons") {
        if (argc != 4) {
            std::fprintf(stderr, "usage: assetgen --icons DIR NAME\n");
            return 2;
        }
        try {
            WriteIcons(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "assetgen: %s\n", e.what());
            return 1;
        }
        return 0;
    }
    try {
        auto t0 = std::chrono::steady_clock::now();
        SetOutputDir(argv[1]);
        if (argc == 4 && std::strcmp(argv[2], "--only") == 0) return WriteOnly(argv[3]);
        // Sounds and music on a second thread: they share nothing with the pictures.
        std::exception_ptr audioError;
        std::thread audio([&audioError] {
            try {
                WriteEffects();
                WriteVoices();
                WriteMusic();
            } catch (...) {
                audioError = std::current_exception();
            }
        });
        WriteMenuPictures();
        WriteIntroPictures();
        WriteGame1Pictures();
        WriteGame2Pictures();
        WriteWater();
        WriteGame345Pictures();
        WriteGame678Pictures();
        WriteHallTiles();
        WriteSquareTiles();
        WriteRoulette();
        WriteAnimationSet();
        WritePacks();
        audio.join();
        if (audioError) std::rethrow_exception(audioError);
        if (argc > 2) {
            WriteContactSheet(argv[2]);
            WriteAnimationSheets(argv[2]);
        }
        double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("[assetgen] done in %.1f s\n", s);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
