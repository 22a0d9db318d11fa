// Damaged or missing data files: one line on standard error per file.
#include "platform/base/file_report.h"

#include <cstdio>
#include <set>

namespace {

constexpr size_t kMaxReported = 256;

std::set<std::string>& Reported() {
    static std::set<std::string> reported;
    return reported;
}

// A file name from a damaged file may hold any byte; the terminal gets none of its
// control characters.
std::string Printable(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) c = '?';
    }
    return out;
}

}  // namespace

void ReportBadFile(const std::string& path, const std::string& problem) {
    std::set<std::string>& reported = Reported();
    if (reported.size() > kMaxReported || reported.count(path) != 0) return;
    reported.insert(path);
    if (reported.size() > kMaxReported) {
        std::fputs("frikipartida: more damaged or missing files; not listed\n", stderr);
        return;
    }
    std::fprintf(stderr, "frikipartida: %s: %s\n", Printable(path).c_str(), Printable(problem).c_str());
    std::fflush(stderr);
}

void ForgetBadFileReports() { Reported().clear(); }
