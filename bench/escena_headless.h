#pragma once
// What the minigame frame benchmarks share: a headless 1024x768 display on the virtual
// clock, and the game's own animation set and packs from the data folder when the data
// build made them.
#include "engine/gl.h"
#include "minigames/mini_juego.h"
#include "platform/base/system.h"
#include "platform/platform.h"
#include "vba/vba.h"
#include "vgp/vgp.h"

#include <filesystem>
#include <string>

namespace escena {

inline void arrancarHeadless(int32_t semilla = 1) {
    session::Options o;
    o.headless = true;
    o.virtualClock = true;
    o.seed = semilla;
    TuneMemory();  // as the game does
    platform::Startup(o);
    SeedRnd(semilla);
    Graphics(1024, 768, 32, 60, 0);
    GL::projection(1024, 768);
    InitTrigTables();
}

// The set and the five packs of the data folder, which then becomes the working
// directory (for the minigames' pictures); nullptr, packs untouched, when they are not
// there or do not load.
inline VBAPtr cargarDatosDelJuego(TPaquetes& paquetes) {
    const std::string dir = FK_DATA_DIR;
    const char* nombres[5] = {"tarsun", "er_varsen", "quelbido", "pexil", "gorvia"};
    if (!std::filesystem::exists(dir + "/anim/pjs.vba")) return nullptr;
    try {
        VBAPtr v = VBA::LoadVBA(dir + "/anim/pjs.vba");
        TPaquetes cargados;
        for (size_t i = 0; i < cargados.size(); ++i)
            cargados[i] = VGP::LoadVGP(dir + "/anim/" + nombres[i] + ".vgp", 6, 1);
        paquetes = cargados;
        std::filesystem::current_path(dir);
        return v;
    } catch (const GameError&) {
        return nullptr;
    }
}

// Makes the data folder the working directory when `muestra` (a file of it) is there.
inline bool usarCarpetaDeDatos(const std::string& muestra) {
    const std::string dir = FK_DATA_DIR;
    if (!std::filesystem::exists(dir + "/" + muestra)) return false;
    std::filesystem::current_path(dir);
    return true;
}

}  // namespace escena
