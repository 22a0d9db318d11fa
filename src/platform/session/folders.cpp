#include "platform/session/folders.h"

#include "platform/base/system.h"
#include "platform/session/journal.h"

std::vector<std::string> ReadDir(const std::string& path) {
    return journal::Dir(path, [&] { return ListFolder(path); });
}
