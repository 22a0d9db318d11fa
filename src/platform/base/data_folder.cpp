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

// What a player can do about missing data, said after where the game looked.
const char* const kComoDarLosDatos =
    "Indica la carpeta de datos con --data CARPETA o con la variable FRIKIPARTIDA_DATA, "
    "o arranca el juego con ./run desde la carpeta del codigo (hace los datos y lo arranca en build/data).";

[[noreturn]] void SinDatos(const std::string& where) {
    throw GameError("No se encuentran los datos del juego (anim/pjs.vba) en " + where + ". " + kComoDarLosDatos);
}

Choice Named(const std::string& folder, const fs::path& start, const char* origin) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) throw GameError(std::string(origin) + ": no existe la carpeta " + folder);
    fs::path absolute = fs::absolute(folder, ec);
    if (ec) absolute = folder;
    if (!HoldsData(absolute.string())) SinDatos(absolute.lexically_normal().string() + " (" + origin + ")");
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
    std::string where = "la carpeta actual (" + here.folder + ")";
    fs::path exeFolder = ExecutableFolder();
    if (!exeFolder.empty()) {
        fs::path installed = (exeFolder / ".." / "share" / "frikipartida").lexically_normal();
        if (HoldsData(installed.string())) return {installed.string(), fs::equivalent(installed, start, ec)};
        where += " ni en " + installed.string();
    }
    SinDatos(where);
}

void Enter(const Choice& choice) {
    std::error_code ec;
    fs::current_path(choice.folder, ec);
    if (ec) throw GameError("No se puede entrar en la carpeta de datos " + choice.folder + ": " + ec.message());
}

}  // namespace datafolder
