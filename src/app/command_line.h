#pragma once
// The game's command line: every option with its one line of help, parsed into the run's
// options. Without any option the command line is not read at all.
#include "platform/session/run.h"

#include <string>

namespace cli {
// Parses the game's command line. Throws GameError with a clear text on a bad option.
// --help and --version end the parsing (what follows them is not read).
session::Options ParseOptions(int argc, char** argv);
// The --help text: a usage line and every option with its one line of explanation.
std::string HelpText();
}  // namespace cli
