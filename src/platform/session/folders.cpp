#include "platform/session/folders.h"

#include "platform/base/system.h"
#include "platform/session/journal.h"

std::vector<std::string> ReadDir(const std::string& path) {
    if (journal::Replaying()) return journal::ReadDir(path);
    std::vector<std::string> names = ListFolder(path);
    if (journal::Recording()) journal::WriteDir(path, names);
    return names;
}
