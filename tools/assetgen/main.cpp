// assetgen DATA_DIR [PREVIEW_DIR]: writes every picture, sound, tune, the animation set
// and the graphics packs of the game into DATA_DIR, and the review sheets into
// PREVIEW_DIR. The same bytes on every run.
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
#include <cstdio>
#include <exception>
#include <string>
#include <thread>

using namespace assetgen;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen DATA_DIR [PREVIEW_DIR] | assetgen --icons DIR NAME\n");
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
