// Frikipartida: start-up, the game, and what a stop looks like.
#include "app/aplicacion.h"
#include "app/command_line.h"
#include "app/jugadores.h"
#include "app/partida_red.h"
#include "engine/asiento/mandos.h"
#include "platform/base/data_folder.h"
#include "platform/base/settings.h"
#include "platform/base/system.h"
#include "platform/base/text.h"
#include "platform/platform.h"
#include "platform/session/journal.h"

#include <cstdio>
#include <filesystem>

#ifndef FK_VERSION
#define FK_VERSION "0"
#endif

namespace {
// A message as the terminal and the message box get it: its texts from files, journals
// and the network may hold any byte, and none of them drives the terminal or cuts it.
std::string mostrable(const GameError& e) { return Printable(e.what(), 4000); }

// One run of the game with these options. unirse tells whether it ended by joining a host.
int jugar(const session::Options& options, const datafolder::Choice& data, bool& unirse) {
    try {
        comprobarOpcionesCPU(options);
        // Before Startup: a host's stream starts with the journal's first line, and a
        // follower's session replays the host's stream.
        red::empezar(options, data.folder);
        platform::Startup(options, red::flujo());
        red::conectarEntrada();
        asientos::empezarMandos(options.pads);
        // The game reads its data from the working folder; files named on the command
        // line were opened (or anchored) by Startup, before the move.
        if (!data.startedIn) datafolder::Enter(data);
    } catch (const GameError& e) {
        std::printf("%s\n", mostrable(e).c_str());
        return 2;
    } catch (const session::Stop& stop) {
        // A stop signal while joining a host: nothing was played yet.
        platform::Shutdown();
        return stop.code();
    }

    int code = 0;
    try {
        TAplicacion app;
        code = app.start();
    } catch (const red::Unirse&) {
        // A replay of such a run ends where it did.
        unirse = !journal::Replaying();
    } catch (const session::Stop& stop) {
        code = stop.code();
    } catch (const GameError& e) {
        // The box first (while the display still exists), then standard output; the
        // library's closing line on a line of its own, as every message.
        ShowMessageBox(mostrable(e), !e.notice());
        std::printf("%s\n", mostrable(e).c_str());
        if (!e.closingLine().empty()) std::printf("%s\n", e.closingLine().c_str());
        std::fflush(stdout);
        code = 1;
    }
    // A recording ends its journal; a replay checks that it used all of it.
    code = red::terminar(code);
    platform::Shutdown();
    return code;
}
}  // namespace

int main(int argc, char** argv) {
    TuneMemory();
    session::Options options;
    try {
        // Without options the command line is not read at all.
        if (argc > 1) options = cli::ParseOptions(argc, argv);
    } catch (const GameError& e) {
        std::printf("%s\nPrueba 'frikipartida --help' para ver las opciones.\n", mostrable(e).c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(cli::HelpText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("frikipartida %s\n", FK_VERSION);
        return 0;
    }
    InstallStopSignals();
    // Files named on the command line stay where they were meant when a later run of this
    // process (one that joins a host) starts inside the data folder.
    for (std::string* path : {&options.trace, &options.frameTimes})
        if (!path->empty()) *path = std::filesystem::absolute(*path).string();
    datafolder::Choice data;
    try {
        data = datafolder::Find(options.data);
        // Before Startup: the controller mappings file lives among the settings.
        settings::Configure(data.startedIn);
    } catch (const GameError& e) {
        std::printf("%s\n", mostrable(e).c_str());
        return 2;
    }
    // A run that joins a host from the players screen ends there, and the next one follows
    // the host's match from its start, in the same window's place. When the host is lost
    // or stops hosting (its reason shown in the window first), or the player leaves the
    // match from its panel, the game starts again as it was, to its menus; the host's run
    // ending, or the window closed, ends the program.
    const session::Options original = options;
    bool siguiendo = false;
    while (true) {
        bool unirse = false;
        const int code = jugar(options, data, unirse);
        // A stop signal ends the program, whatever the run was.
        if (StopSignal() != 0) return code;
        if (unirse) {
            options = red::opcionesDelSeguidor(options);
            siguiendo = true;
            continue;
        }
        if (!siguiendo || !red::volverAlMenu()) return code;
        options = original;
        siguiendo = false;
    }
}
