// The damaged-file lines on standard error: one per file, and a file name from damaged
// data cannot drive the terminal.
#include "platform/base/file_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

TEST(FileReport, OneLinePerFileWithoutControlCharacters) {
    ForgetBadFileReports();
    testing::internal::CaptureStderr();
    ReportBadFile("artwork/cd.png", "missing");
    ReportBadFile("artwork/cd.png", "PNG cut short");
    ReportBadFile("pelo\x1b[2J.png", "missing");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "frikipartida: artwork/cd.png: missing\n"
              "frikipartida: pelo?[2J.png: missing\n");

    // A run meeting thousands of bad files (a fuzzer's) keeps no growing list.
    testing::internal::CaptureStderr();
    for (int i = 0; i < 1000; ++i) ReportBadFile("f" + std::to_string(i), "missing");
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 255);
    EXPECT_NE(out.find("more damaged or missing files; not listed"), std::string::npos);
    ForgetBadFileReports();
}
