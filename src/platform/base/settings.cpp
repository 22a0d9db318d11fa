#include "platform/base/settings.h"

#include "platform/base/text.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace settings {
namespace {

struct SettingsState {
    std::string folder;       // empty: the working folder
    bool prepared = true;     // the folder exists (or creation was already tried)
    bool nowhere = false;     // no folder of our own could be named: nothing is read or written
    bool reported = false;    // the one line on standard error was written
    std::set<std::string> filesReported;  // files that could not be written, each said once
};
SettingsState st;

void ReportOnce(const std::string& where, const std::string& why) {
    if (st.reported) return;
    st.reported = true;
    std::fprintf(stderr, "No se pueden guardar los ajustes en %s (%s); se juega con los valores por defecto\n",
                 Printable(where).c_str(), why.c_str());
    std::fflush(stderr);
}

// A file that could not be replaced: the game keeps what it holds in memory.
bool FileFailed(const std::string& path, const std::string& why) {
    if (st.filesReported.insert(path).second) {
        std::fprintf(stderr, "No se pueden guardar los ajustes en %s (%s); se juega con los valores en memoria\n",
                     Printable(path).c_str(), why.c_str());
        std::fflush(stderr);
    }
    return false;
}

// The permissions a newly made file gets under the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
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
    return WriteFile(path, bytes);
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) return FileFailed(path, "hay una carpeta con ese nombre");
        // A file made read-only is the player's wish that it stay as it is; a link is no
        // file of ours to judge, and is replaced.
        if (S_ISREG(old.st_mode) && ::access(path.c_str(), W_OK) != 0) return FileFailed(path, std::strerror(errno));
    }
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        // The folder cannot take a new file: said once for every settings file.
        const size_t slash = path.rfind('/');
        ReportOnce(slash == std::string::npos ? std::string(".") : path.substr(0, slash), std::strerror(errno));
        return false;
    }
    bool written = ::fchmod(fd, NewFileMode()) == 0;
    for (size_t done = 0; written && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) done += static_cast<size_t>(n);
        else if (n == 0) errno = ENOSPC;
    }
    // On disk before it takes the old file's name: a crash leaves the old or the new.
    written = written && ::fsync(fd) == 0;
    const int error = errno;
    written = ::close(fd) == 0 && written;
    if (!written) {
        ::unlink(temporary.c_str());
        return FileFailed(path, std::strerror(error));
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        return FileFailed(path, std::strerror(renameError));
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
