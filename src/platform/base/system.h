#pragma once
// The machine's own services that are no outside fact of the game: the raw listing of a
// folder (the game reads folders through session/folders.h, which journals them), giving
// freed memory back, and the signals that ask the game to stop.
#include <string>
#include <vector>

// Names of the entries of a directory (no "." or ".."), sorted; empty when unreadable.
std::vector<std::string> ListFolder(const std::string& path);
// Hands the memory freed since (a minigame's pictures, sounds and fonts) back to the
// system. The allocator keeps freed blocks for reuse, and pieces still in use can pin
// whole stretches of them, so without this the game's resident size grows in steps over
// a long session of matches although the memory in use stays level.
void ReturnFreeMemory();
// Sets the allocator up for a game that holds large pictures and decodes on worker
// threads: every block of 128 KB or more gets a mapping of its own, given back to the
// system as soon as it is freed (the allocator otherwise raises that limit as large
// blocks come and go, and the freed ones stay in the process), up to 4 MB freed at the
// heap's top stay for the next frame, and all threads share two arenas instead of one
// each. Call once, before the first allocation that matters.
void TuneMemory();

// SIGTERM, SIGINT and SIGHUP ask the run to stop: the first one is noted (StopSignal) and
// the game ends at its next event processing or wait, closing its journal with its end
// line; a second one, when the game did not get there, ends the process at once.
void InstallStopSignals();
// The stop signal received (SIGTERM, SIGINT or SIGHUP), 0 when none.
int StopSignal();
// Forgets a stop signal received (tests, and a run that ended on it before the next).
void ForgetStopSignal();
