// Damaged or missing data files: one line on standard error per file.
#include "platform/base/file_report.h"

#include "platform/base/text.h"

#include <cstdio>
#include <set>

namespace {

constexpr size_t kMaxReported = 256;

std::set<std::string>& Reported() {
    static std::set<std::string> reported;
    return reported;
}

constexpr int kBadLinesShown = 3;

}  // namespace

void ReportBadFile(const std::string& path, const std::string& problem) {
    std::set<std::string>& reported = Reported();
    if (reported.size() > kMaxReported || reported.count(path) != 0) return;
    reported.insert(path);
    if (reported.size() > kMaxReported) {
        std::fputs("frikipartida: more damaged or missing files; not listed\n", stderr);
        return;
    }
    std::fprintf(stderr, "frikipartida: %s: %s\n", Printable(path).c_str(), Printable(problem, 400).c_str());
    std::fflush(stderr);
}

void ForgetBadFileReports() { Reported().clear(); }

BadLines::BadLines(std::string path, std::string consequence)
    : path(std::move(path)), consequence(std::move(consequence)) {}

void BadLines::Add(int number, std::string_view line) {
    if (total++ >= kBadLinesShown) return;
    if (!first.empty()) first += ", ";
    first += "linea " + std::to_string(number) + " \"" + Printable(line, 60) + "\"";
}

void BadLines::Report() const {
    if (total == 0) return;
    std::fprintf(stderr, "%s: %d linea%s que no se entiende%s (%s): %s%s\n", Printable(path).c_str(), total,
                 total == 1 ? "" : "s", total == 1 ? "" : "n", consequence.c_str(), first.c_str(),
                 total > kBadLinesShown ? "..." : "");
    std::fflush(stderr);
}
