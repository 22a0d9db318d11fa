#pragma once
// Headless test set-up: offscreen GL display at 1024x768 with the virtual projection,
// virtual clock, silent mixer, trace captured in memory, and helpers for scripted input.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testrig {

// Starts the platform headless with the virtual clock (no display yet).
void StartHeadless(int32_t seed = 1);
// Opens the 1024x768 display with the virtual projection (StartHeadless first).
void OpenDisplay(int width = 1024, int height = 768);
// Closes everything (the next test starts clean).
void Stop();
// Adds script lines ("3 key Enter press") relative to the flips already done: the
// number given is counted from the next flip (1 = the next flip).
void Script(const std::vector<std::string>& lines);
// Trace lines of one kind ("op":"text", ...) captured so far.
std::vector<std::string> TraceOps(const std::string& op);
// Changes to the data folder for the test's duration (restored by Stop).
void UseDataDir();
// A scratch directory of the running test (FK_TEST_WORK/<suite.test>/<name>); made empty.
std::string ScratchDir(const std::string& name);

// Value of a field of a trace line ("text" -> Jugar, "y" -> 200). Strings come back
// unquoted; arrays as their JSON text ("[64,127,255]").
std::string Field(const std::string& line, const std::string& key);

// Fixture: headless platform and display for the whole test, torn down afterwards.
class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override {
        StartHeadless();
        OpenDisplay();
        rig::CaptureTrace(true);
    }
    void TearDown() override { Stop(); }
};

}  // namespace testrig
