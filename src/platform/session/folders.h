#pragma once
// Folder listings the game decides by (which sound effects exist, say): an outside fact,
// so a journal records them and a replay answers from the recording.
#include <string>
#include <vector>

// Names of the entries of a directory (no "." or ".."), sorted; empty when unreadable.
std::vector<std::string> ReadDir(const std::string& path);
