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
              "frikipartida: pelo\\x1b[2J.png: missing\n");

    // A run meeting thousands of bad files (a fuzzer's) keeps no growing list.
    testing::internal::CaptureStderr();
    for (int i = 0; i < 1000; ++i) ReportBadFile("f" + std::to_string(i), "missing");
    const std::string out = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 255);
    EXPECT_NE(out.find("more damaged or missing files; not listed"), std::string::npos);
    ForgetBadFileReports();
}

// A settings file of a million bad lines is one message: its name once, the count, the
// first three with their control bytes (an escape sequence, a NUL, C1 in UTF-8) escaped.
TEST(FileReport, BadLinesOfAFileAreOneLine) {
    BadLines bad("dir/jugadores.cfg", "se toma el valor por defecto");
    testing::internal::CaptureStderr();
    bad.Report();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "no bad line, no message";
    bad.Add(2, std::string("Pexil\x1b[31m rojo", 15));
    bad.Add(3, std::string("a\0b\xc2\x9b", 5));
    for (int i = 4; i < 1000000; ++i) bad.Add(i, "x");
    testing::internal::CaptureStderr();
    bad.Report();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "dir/jugadores.cfg: 999998 lineas que no se entienden (se toma el valor por defecto): "
              "linea 2 \"Pexil\\x1b[31m rojo\", linea 3 \"a\\x00b\\xc2\\x9b\", linea 4 \"x\"...\n");
}
