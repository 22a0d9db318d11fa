#include "platform/base/stream.h"
#include "platform/base/system.h"
#include "platform/session/folders.h"
#include "platform/video/message_box.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(System, ReadDirListsSortedNamesWithoutDots) {
    const std::filesystem::path dir = std::filesystem::path(FK_TEST_WORK) / "readdir_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "sub");
    for (const char* name : {"b.wav", "a.wav", "C.wav", ".hidden"}) ASSERT_TRUE(CreateFile((dir / name).string()));
    EXPECT_EQ(ReadDir(dir.string()), (std::vector<std::string>{".hidden", "C.wav", "a.wav", "b.wav", "sub"}));
    EXPECT_TRUE(ReadDir((dir / "missing").string()).empty());
    EXPECT_TRUE(ReadDir((dir / "a.wav").string()).empty());
}

TEST(System, NotifyWithoutDisplayWritesStandardOutput) {
    testing::internal::CaptureStdout();
    Notify("KeoX Engine: VBA module abnormal termination", true);
    Notify("¡Hola!");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "KeoX Engine: VBA module abnormal termination\n¡Hola!\n");
}
