#include "support/rig_fixture.h"

#include "engine/asiento/mandos.h"
#include "engine/gl.h"
#include "platform/base/system.h"
#include "platform/input/script.h"

#include <filesystem>
#include <unistd.h>

namespace testrig {
namespace {
std::string savedDir;
}

void StartHeadless(int32_t seed) {
    session::Options o;
    o.headless = true;
    o.virtualClock = true;
    o.seed = seed;
    TuneMemory();  // as the game does
    platform::Startup(o);
    asientos::empezarMandos(o.pads);
    SeedRnd(seed);
}

void OpenDisplay(int width, int height) {
    ASSERT_TRUE(Graphics(width, height, 32, 60, 0)) << "offscreen display did not open";
    GL::projection(1024, 768);
}

void Stop() {
    rig::CaptureTrace(false);
    platform::Shutdown();
    if (!savedDir.empty()) {
        std::filesystem::current_path(savedDir);
        savedDir.clear();
    }
}

void Script(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        size_t space = line.find(' ');
        int flip = std::stoi(line.substr(0, space)) + session::FlipCount();
        input::AddScriptLine(std::to_string(flip) + line.substr(space));
    }
}

std::vector<std::string> TraceOps(const std::string& op) {
    std::vector<std::string> out;
    const std::string tag = "\"op\":\"" + op + "\"";
    for (const std::string& line : rig::CapturedTrace())
        if (line.find(tag) != std::string::npos) out.push_back(line);
    return out;
}

void UseDataDir() {
    if (savedDir.empty()) savedDir = std::filesystem::current_path().string();
    std::filesystem::current_path(FK_DATA_DIR);
}

std::string ScratchDir(const std::string& name) {
    // ctest runs tests in parallel processes: each test gets folders of its own.
    std::string owner = "outside-a-test";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        owner = std::string(info->test_suite_name()) + "." + info->name();
    std::filesystem::path p = std::filesystem::path(FK_TEST_WORK) / owner / name;
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p.string();
}

std::string Field(const std::string& line, const std::string& key) {
    const std::string tag = "\"" + key + "\":";
    size_t at = line.find(tag);
    if (at == std::string::npos) return {};
    at += tag.size();
    if (line[at] == '"') {
        std::string out;
        for (size_t i = at + 1; i < line.size() && line[i] != '"'; ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            out += line[i];
        }
        return out;
    }
    if (line[at] == '[') return line.substr(at, line.find(']', at) - at + 1);
    size_t end = line.find_first_of(",}", at);
    return line.substr(at, end - at);
}

}  // namespace testrig
