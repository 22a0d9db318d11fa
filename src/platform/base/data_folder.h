#pragma once
// Where the game finds its data (artwork/, sfx/, music/, anim/, ...). The game reads it
// from the working folder, so the folder found becomes the working folder.
#include <string>

namespace datafolder {

struct Choice {
    std::string folder;      // absolute
    bool startedIn = false;  // it is the folder the game was started in
};

// True when the folder holds the game data (its animation set is a marker for all of it).
bool HoldsData(const std::string& folder);

// The first of: the folder given (--data), FRIKIPARTIDA_DATA, the working folder when it
// holds the data (as ./run starts the game), ../share/frikipartida beside the executable
// (an installed tree, wherever it was moved). Throws GameError when the folder given or
// FRIKIPARTIDA_DATA is not a folder or does not hold the data, and when none of the others
// holds it: one message naming where it looked and what to do, before anything is
// written.
Choice Find(const std::string& given);

// Makes the chosen folder the working folder. Throws GameError when it cannot.
void Enter(const Choice& choice);

}  // namespace datafolder
