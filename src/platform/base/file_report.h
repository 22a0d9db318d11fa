#pragma once
// Damaged or missing data files. The game plays on without them (a picture draws nothing,
// a sound plays nothing), but the player is told which file is at fault and why: one line
// on standard error per file, the first time it is met.
#include <string>

// Writes "frikipartida: <path>: <problem>" on standard error unless this path was reported
// already. Bytes of the path that are not printable come out as '?'. After a few hundred
// distinct files one last line says that further files go unreported, so that no run
// (a fuzzer's, say) keeps a growing list.
void ReportBadFile(const std::string& path, const std::string& problem);

// Forgets which files were reported (tests).
void ForgetBadFileReports();
