#pragma once
// The rig's input script: lines such as "150 key Q press" or "5 pad 1 button a down",
// delivered at their flip as the SDL events a real keyboard, mouse or controller would
// give, so they take the same path into the input state (and into a journal) as a
// person's input. Without a script nothing here is active.
#include <string>

namespace input {
// Adds one script line. Throws GameError on a malformed line.
void AddScriptLine(const std::string& line);
// Adds every line of a script file. Throws GameError when it cannot be read or a line is
// malformed.
void LoadScript(const std::string& path);
// Forgets every script line.
void ClearScript();
}  // namespace input
