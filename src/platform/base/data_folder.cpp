#include "platform/base/data_folder.h"

#include "platform/base/errors.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace datafolder {
namespace {

// The folder of the running executable: /proc/self/exe, or SDL's answer elsewhere.
fs::path ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.is_absolute()) return exe.parent_path();
    char* base = SDL_GetBasePath();
    if (!base) return {};
    fs::path folder(base);
    SDL_free(base);
    return folder.parent_path();  // SDL ends it with a slash
}

Choice Named(const std::string& folder, const fs::path& start, const char* origin) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw GameError(std::string(origin) + ": no existe la carpeta " + folder);
    fs::path absolute = fs::absolute(folder, ec);
    if (ec) absolute = folder;
    Choice c;
    c.folder = absolute.lexically_normal().string();
    c.startedIn = fs::equivalent(absolute, start, ec);
    return c;
}

}  // namespace

bool HoldsData(const std::string& folder) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(folder) / "anim" / "pjs.vba", ec);
}

Choice Find(const std::string& given) {
    std::error_code ec;
    fs::path start = fs::current_path(ec);
    if (!given.empty()) return Named(given, start, "--data");
    const char* env = std::getenv("FRIKIPARTIDA_DATA");
    if (env && *env) return Named(env, start, "FRIKIPARTIDA_DATA");
    Choice here{start.string(), true};
    if (HoldsData(here.folder)) return here;
    fs::path exeFolder = ExecutableFolder();
    if (!exeFolder.empty()) {
        fs::path installed = (exeFolder / ".." / "share" / "frikipartida").lexically_normal();
        if (HoldsData(installed.string())) return {installed.string(), fs::equivalent(installed, start, ec)};
    }
    return here;
}

void Enter(const Choice& choice) {
    std::error_code ec;
    fs::current_path(choice.folder, ec);
    if (ec) throw GameError("No se puede entrar en la carpeta de datos " + choice.folder + ": " + ec.message());
}

}  // namespace datafolder
