#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/run_directory.h"

namespace {

// "\xD5\x5C" is one GBK character whose trail byte is a backslash's value.
constexpr char kTrailBackslashFolder[] = "C:\\\xD5\x5C\\x.exe";

TEST(RunDirectory, IsTheFolderBeforeTheLastBackslash) {
    ASSERT_EQ(GetACP(), 936u) << "these cases need code page 936 (run Wine with LANG=zh_CN.UTF-8)";
    struct Case {
        const char* modulePath;
        std::string runDirectory;
    } cases[] = {
        {"C:\\tools\\x.exe", "C:\\tools"},
        {"D:\\a b\\c.exe", "D:\\a b"},
        {"C:\\x.exe", "C:"},
        {"x.exe", ""},
        {"", ""},
        {nullptr, ""},
        {kTrailBackslashFolder, "C:\\\xD5\x5C"},
        // The character's trail byte ends the path: it is still not a separator.
        {"C:\\tools\\\xD5\x5C", "C:\\tools"},
    };
    for (const Case& c : cases) {
        platform::Text directory = platform::RunDirectoryOf(c.modulePath);
        ASSERT_NE(directory, nullptr);
        EXPECT_EQ(directory.get(), c.runDirectory) << (c.modulePath ? c.modulePath : "(null)");
    }
}

TEST(RunDirectory, OfThisProcessHoldsItsExecutable) {
    char modulePath[MAX_PATH];
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    std::string expected(modulePath, std::string(modulePath).rfind('\\'));
    EXPECT_EQ(platform::RunDirectory().get(), expected);
}

}  // namespace
