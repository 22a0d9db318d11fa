#include "platform/base/settings.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace settings {
namespace {

struct SettingsState {
    std::string folder;       // empty: the working folder
    bool prepared = true;     // the folder exists (or creation was already tried)
    bool nowhere = false;     // no folder of our own could be named: nothing is read or written
    bool reported = false;    // the one line on standard error was written
};
SettingsState st;

void ReportOnce(const std::string& where, const std::string& why) {
    if (st.reported) return;
    st.reported = true;
    std::fprintf(stderr, "No se pueden guardar los ajustes en %s (%s); se juega con los valores por defecto\n",
                 where.c_str(), why.c_str());
    std::fflush(stderr);
}

// $XDG_CONFIG_HOME/frikipartida, or ~/.config/frikipartida. A relative XDG_CONFIG_HOME is
// ignored, as the desktop conventions ask. Empty when there is no home folder either.
std::string UserFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return std::string(xdg) + "/frikipartida";
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (home && home[0] == '/') return std::string(home) + "/.config/frikipartida";
    return {};
}

// Creates the folder the first time a settings file is wanted.
void Prepare() {
    if (st.prepared) return;
    st.prepared = true;
    if (st.nowhere) {
        ReportOnce("~/.config/frikipartida", "no hay carpeta personal");
        return;
    }
    if (st.folder.empty()) return;
    std::error_code ec;
    std::filesystem::create_directories(st.folder, ec);
    if (ec) {
        ReportOnce(st.folder, ec.message());
    } else if (access(st.folder.c_str(), W_OK) != 0) {
        ReportOnce(st.folder, std::strerror(errno));
    }
}

}  // namespace

void Configure(bool startedInDataFolder) {
    st = {};
    if (startedInDataFolder && access(".", W_OK) == 0) return;  // beside the data, as ./run plays
    st.folder = UserFolder();
    st.nowhere = st.folder.empty();
    st.prepared = false;
}

const std::string& Folder() { return st.folder; }

std::string PathFor(const std::string& name) {
    Prepare();
    if (st.nowhere) return {};  // opens nothing, for reading or writing
    return st.folder.empty() ? name : st.folder + "/" + name;
}

std::optional<std::string> Read(const std::string& name) {
    std::ifstream in(PathFor(name), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

bool Write(const std::string& name, const std::string& bytes) {
    std::string path = PathFor(name);
    if (path.empty()) return false;  // already reported
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (!out) {
        ReportOnce(path, std::strerror(errno));
        return false;
    }
    return true;
}

bool Remove(const std::string& name) {
    const std::string path = PathFor(name);
    return !path.empty() && std::remove(path.c_str()) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
    const std::string a = PathFor(from), b = PathFor(to);
    return !a.empty() && !b.empty() && std::rename(a.c_str(), b.c_str()) == 0;
}

void Reset() { st = {}; }

}  // namespace settings
