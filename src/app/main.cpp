// Frikipartida: start-up, the game, and what a stop looks like.
#include "app/aplicacion.h"
#include "platform/journal.h"
#include "platform/platform.h"

#include <cstdio>

int main(int argc, char** argv) {
    rig::Options options;
    try {
        // Without options the command line is not read at all.
        if (argc > 1) options = rig::ParseOptions(argc, argv);
        platform::Startup(options);
    } catch (const GameError& e) {
        std::printf("%s\n", e.what());
        return 2;
    }

    int code = 0;
    try {
        TAplicacion app;
        code = app.start();
    } catch (const rig::Stop& stop) {
        code = stop.code();
    } catch (const GameError& e) {
        // The box first (while the display still exists), then standard output.
        ShowMessageBox(e.what(), !e.notice());
        std::fputs(e.what(), stdout);
        if (e.lineEnd() || e.closingLine().empty()) std::fputc('\n', stdout);
        if (!e.closingLine().empty()) std::printf("%s\n", e.closingLine().c_str());
        std::fflush(stdout);
        code = 1;
    }
    // A recording ends its journal; a replay checks that it used all of it.
    code = journal::Finish(code);
    platform::Shutdown();
    return code;
}
