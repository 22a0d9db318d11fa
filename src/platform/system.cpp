// Message box, directory listing and giving freed memory back.
#include "platform/system.h"

#include "platform/detail.h"
#include "platform/journal.h"
#include "platform/rig.h"
#include "platform/text.h"

#include <SDL.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

void Notify(const std::string& text, bool serious) {
    // Standard output always carries the message, so headless runs and logs see it too.
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    ShowMessageBox(text, serious);
}

void ShowMessageBox(const std::string& text, bool serious) {
    SDL_Window* window = platform_detail::Window();
    if (!window || rig::Current().headless) return;
    Uint32 kind = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(kind, "Frikipartida", text.c_str(), window);
}

std::vector<std::string> ReadDir(const std::string& path) {
    if (journal::Replaying()) return journal::ReadDir(path);
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(path.empty() ? "." : NativePath(path), ec), end;
    for (; !ec && it != end; it.increment(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    if (journal::Recording()) journal::WriteDir(path, names);
    return names;
}

void ReturnFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
