#pragma once
// The machine's own services that are no outside fact of the game: the raw listing of a
// folder (the game reads folders through session/folders.h, which journals them) and
// giving freed memory back.
#include <string>
#include <vector>

// Names of the entries of a directory (no "." or ".."), sorted; empty when unreadable.
std::vector<std::string> ListFolder(const std::string& path);
// Hands the memory freed since (a minigame's pictures, sounds and fonts) back to the
// system. The allocator keeps freed blocks for reuse, and pieces still in use can pin
// whole stretches of them, so without this the game's resident size grows in steps over
// a long session of matches although the memory in use stays level.
void ReturnFreeMemory();
