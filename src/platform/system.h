#pragma once
// Message box and directory listing.
#include <string>
#include <vector>

// Modal message box (standard output only when no display can show one, or headless).
void Notify(const std::string& text, bool serious = false);
// The message box alone (nothing without a window, or headless).
void ShowMessageBox(const std::string& text, bool serious);
// Names of the entries of a directory (no "." or ".."), sorted; empty when unreadable.
std::vector<std::string> ReadDir(const std::string& path);
