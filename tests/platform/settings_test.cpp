#include "platform/base/settings.h"
#include "support/rig_fixture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

// Runs the test with XDG_CONFIG_HOME set and the working folder changed, restoring both.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* xdg = std::getenv("XDG_CONFIG_HOME");
        if (xdg) savedXdg = xdg;
        hadXdg = xdg != nullptr;
        savedCwd = std::filesystem::current_path();
        scratch = testrig::ScratchDir("settings");
    }
    void TearDown() override {
        if (hadXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
        else unsetenv("XDG_CONFIG_HOME");
        std::filesystem::current_path(savedCwd);
        settings::Reset();
    }
    std::string scratch, savedXdg;
    bool hadXdg = false;
    std::filesystem::path savedCwd;
};

}  // namespace

// Started in a writable data folder, settings stay beside the data under their bare names
// (what ./run has always done); started elsewhere they go to the user's config folder,
// which is made on first use, and read back what was written.
TEST_F(SettingsTest, DataFolderOrUserConfigFolder) {
    std::filesystem::current_path(scratch);
    setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);

    settings::Configure(true);
    EXPECT_EQ(settings::PathFor("resolucion.cfg"), "resolucion.cfg");
    EXPECT_TRUE(settings::Write("jugadores.cfg", "a\r\n"));
    EXPECT_EQ(settings::Read("jugadores.cfg").value_or("?"), "a\r\n");
    EXPECT_FALSE(std::filesystem::exists(scratch + "/config"));

    settings::Configure(false);
    EXPECT_FALSE(std::filesystem::exists(scratch + "/config/frikipartida")) << "made before use";
    EXPECT_EQ(settings::PathFor("resolucion.cfg"), scratch + "/config/frikipartida/resolucion.cfg");
    EXPECT_TRUE(std::filesystem::is_directory(scratch + "/config/frikipartida"));
    EXPECT_FALSE(settings::Read("jugadores.cfg").has_value());
    EXPECT_TRUE(settings::Write("jugadores.cfg", "b\r\n"));
    EXPECT_EQ(settings::Read("jugadores.cfg").value_or("?"), "b\r\n");

    // A relative XDG_CONFIG_HOME does not count: the home folder's .config is used.
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    settings::Configure(false);
    EXPECT_NE(settings::Folder().find("/.config/frikipartida"), std::string::npos) << settings::Folder();
}

// A config folder that cannot be made: one line on standard error however often the
// settings are used, nothing read, every write refused.
TEST_F(SettingsTest, UnwritableFolderIsReportedOnceAndNothingIsLost) {
    std::ofstream(scratch + "/file") << "x";
    setenv("XDG_CONFIG_HOME", (scratch + "/file").c_str(), 1);
    settings::Configure(false);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(settings::Write("resolucion.cfg", "1024 768\r\n"));
    EXPECT_FALSE(settings::Read("resolucion.cfg").has_value());
    EXPECT_FALSE(settings::Write("jugadores.cfg", "x"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(scratch + "/file/frikipartida"), std::string::npos) << err;
}

// Every settings file is replaced through a new file renamed over it: a link in its place
// is replaced and its target left as it was; a folder in its place, or a read-only file,
// is named once and kept; no temporary file is left behind.
TEST_F(SettingsTest, WritesReplaceLinksAndNameWhatTheyCannotReplace) {
    std::filesystem::current_path(scratch);
    settings::Configure(true);
    for (const char* name : {"resolucion.cfg", "jugadores.cfg", "red.cfg", "pantalla.cfg"}) {
        const std::string target = scratch + "/target-" + name;
        std::ofstream(target) << "mine\n";
        std::filesystem::create_symlink(target, name);
        ASSERT_TRUE(settings::Write(name, "new\r\n")) << name;
        EXPECT_FALSE(std::filesystem::is_symlink(name)) << name;
        EXPECT_EQ(settings::Read(name).value_or("?"), "new\r\n") << name;
        std::ifstream in(target);
        std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(kept, "mine\n") << name << ": the link's target was written";
    }

    std::filesystem::create_directory("carpeta.cfg");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(settings::Write("carpeta.cfg", "x"));
    EXPECT_FALSE(settings::Write("carpeta.cfg", "y"));
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "No se pueden guardar los ajustes en carpeta.cfg (hay una carpeta con ese nombre); se juega "
                   "con los valores en memoria\n");

    if (geteuid() != 0) {  // root writes whatever the permissions say
        std::ofstream("fijo.cfg") << "fijo\n";
        std::filesystem::permissions("fijo.cfg", std::filesystem::perms::owner_read);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(settings::Write("fijo.cfg", "x"));
        err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find("fijo.cfg"), std::string::npos) << err;
        EXPECT_EQ(settings::Read("fijo.cfg").value_or("?"), "fijo\n");
    }
    for (const auto& entry : std::filesystem::directory_iterator("."))
        EXPECT_EQ(entry.path().filename().string().find(".cfg."), std::string::npos) << entry.path();
}
