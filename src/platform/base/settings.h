#pragma once
// The folder of the settings files (resolucion.cfg and any later one). A game started in
// its own data folder keeps them there when it may write there, as it always has;
// otherwise they live in $XDG_CONFIG_HOME/frikipartida/ (default ~/.config/frikipartida/),
// created on first use. A folder that cannot be written is reported once on standard
// error, and the game plays on with the defaults.
//
// Until Configure is called (tests, tools) every settings file is the bare name in the
// working folder.
#include <optional>
#include <string>

namespace settings {

// Chooses the folder for this run. startedInDataFolder: the game reads its data from the
// working folder it was started in.
void Configure(bool startedInDataFolder);
// The chosen folder, without a trailing slash; empty for the working folder.
const std::string& Folder();

// Where a settings file ("resolucion.cfg") is read and written. Creates the folder on the
// first call that needs it; a failure there is reported once and the path is still given
// (opening it for writing then fails, and the caller keeps its defaults).
std::string PathFor(const std::string& name);

// The whole file, bytes as they stand; nullopt when it is missing or unreadable.
std::optional<std::string> Read(const std::string& name);
// Replaces the file with the bytes: they are written to a new file in the same folder,
// which then takes the old one's name, so that a crash or a full disk never leaves half a
// file, and a link in the file's place is replaced, never followed (its target stays as
// it is). False when it cannot be written: a folder in the file's place, a read-only file,
// a folder that cannot be written or a failed rename is named once on standard error, and
// the caller plays on with the values it holds.
bool Write(const std::string& name, const std::string& bytes);
// The same for a file given by its path (a settings file a caller named itself).
bool WriteFile(const std::string& path, const std::string& bytes);

// Deletes the file; false when it was not there or could not be deleted.
bool Remove(const std::string& name);
// Renames the file from to the name to, over any file of that name; false when it fails.
bool Rename(const std::string& from, const std::string& to);

// Back to the working folder, with the report forgotten (tests).
void Reset();

}  // namespace settings
