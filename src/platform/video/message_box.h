#pragma once
// Telling the player something: on standard output always, and in a message box over the
// game's window when there is one to show it on.
#include <string>

// Modal message box (standard output only when no display can show one, or headless).
void Notify(const std::string& text, bool serious = false);
// The message box alone (nothing without a window, or headless).
void ShowMessageBox(const std::string& text, bool serious);
