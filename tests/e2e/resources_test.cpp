#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "program.h"
#include "resources/product.h"

namespace e2e {
namespace {

// The program's version record, read through the same calls that Explorer's
// property page makes.
class VersionRecord : public testing::Test {
protected:
    void SetUp() override {
        std::string path = ProgramBesideDriver();
        DWORD unused = 0;
        DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
        ASSERT_GT(size, 0u) << path << " has no version record";
        record.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, record.data()));
    }

    // The value at a VerQueryValue path, and its length; {nullptr, 0} if none.
    std::pair<void*, UINT> Query(const char* path) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(record.data(), path, &value, &length)) return {nullptr, 0};
        return {value, length};
    }

    std::vector<char> record;
};

TEST_F(VersionRecord, FixedPartIsVersionOneOfAWindowsApplication) {
    auto [value, length] = Query("\\");
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
    struct {
        const char* field;
        DWORD expected, actual;
    } rows[] = {
        {"signature", 0xFEEF04BD, fixed.dwSignature},
        {"file version, high", 0x00010000, fixed.dwFileVersionMS},
        {"file version, low", 0, fixed.dwFileVersionLS},
        {"product version, high", 0x00010000, fixed.dwProductVersionMS},
        {"product version, low", 0, fixed.dwProductVersionLS},
        {"operating system", VOS__WINDOWS32, fixed.dwFileOS},
        {"file type", VFT_APP, fixed.dwFileType},
    };
    for (const auto& row : rows) EXPECT_EQ(row.actual, row.expected) << row.field;
}

TEST_F(VersionRecord, ChineseStringTableNamesTheVersionProductAndWebSite) {
    struct {
        const char* key;
        std::string expected;
    } rows[] = {
        {"FileVersion", "1.0.0.0"},
        {"ProductVersion", "1.0.0.0"},
        {"ProductName", "Quorvel"},
        // The site whose pages the menu opens.
        {"FileDescription", QUORVEL_WEB_SITE},
        {"Comments", QUORVEL_WEB_SITE},
    };
    for (const auto& row : rows) {
        std::string path = std::string("\\StringFileInfo\\080404B0\\") + row.key;
        auto [value, length] = Query(path.c_str());
        ASSERT_NE(value, nullptr) << path;
        EXPECT_EQ(std::string(static_cast<const char*>(value)), row.expected) << path;
    }
}

TEST_F(VersionRecord, TranslationIsTheStringTablesLanguageAndCodePage) {
    auto [value, length] = Query("\\VarFileInfo\\Translation");
    ASSERT_NE(value, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "one language and code page pair";
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0804) << "Chinese (PRC)";
    EXPECT_EQ(pair[1], 1200) << "UTF-16";
}

}  // namespace
}  // namespace e2e
