// The raw listing of a folder and giving freed memory back.
#include "platform/base/system.h"

#include "platform/base/text.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(path.empty() ? "." : NativePath(path), ec), end;
    for (; !ec && it != end; it.increment(ec)) names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void ReturnFreeMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
