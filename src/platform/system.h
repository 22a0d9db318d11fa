#pragma once
// Message box, directory listing and giving freed memory back.
#include <string>
#include <vector>

// Modal message box (standard output only when no display can show one, or headless).
void Notify(const std::string& text, bool serious = false);
// The message box alone (nothing without a window, or headless).
void ShowMessageBox(const std::string& text, bool serious);
// Names of the entries of a directory (no "." or ".."), sorted; empty when unreadable.
std::vector<std::string> ReadDir(const std::string& path);
// Hands the memory freed since (a minigame's pictures, sounds and fonts) back to the
// system. The allocator keeps freed blocks for reuse, and pieces still in use can pin
// whole stretches of them, so without this the game's resident size grows in steps over
// a long session of matches although the memory in use stays level.
void ReturnFreeMemory();
