#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/texts.h"
#include "platform/text.h"

namespace {

using platform::Bytes;
using platform::BytesToText;
using platform::JoinTexts;

TEST(JoinTexts, JoinsPartsInOrderAndSkipsMissingOnes) {
    struct Case {
        std::vector<const char*> parts;
        std::string joined;
    } cases[] = {
        {{"C:\\tools", "\\quorvel.bat"}, "C:\\tools\\quorvel.bat"},
        {{nullptr, "\\quorvel.bat"}, "\\quorvel.bat"},
        {{"C:", nullptr}, "C:"},
        {{nullptr, nullptr}, ""},
        {{"", "", ""}, ""},
        {{"\"", "D:\\a b", "\\quorvel.bat", "\""}, "\"D:\\a b\\quorvel.bat\""},
    };
    for (const Case& c : cases) {
        platform::Text joined;
        switch (c.parts.size()) {
            case 2: joined = JoinTexts({c.parts[0], c.parts[1]}); break;
            case 3: joined = JoinTexts({c.parts[0], c.parts[1], c.parts[2]}); break;
            default: joined = JoinTexts({c.parts[0], c.parts[1], c.parts[2], c.parts[3]}); break;
        }
        ASSERT_NE(joined, nullptr);
        EXPECT_EQ(std::strlen(joined.get()), c.joined.size());
        EXPECT_EQ(joined.get(), c.joined);
    }
}

Bytes BufferOf(const std::string& bytes) {
    Bytes buffer;
    buffer.data.reset(static_cast<char*>(platform::AllocateOrDie(bytes.size())));
    std::memcpy(buffer.data.get(), bytes.data(), bytes.size());
    buffer.length = bytes.size();
    return buffer;
}

TEST(BytesToText, StopsAtTheFirstZeroByte) {
    struct Case {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"a.txt\r\nb.txt\r\n", "a.txt\r\nb.txt\r\n"},
        {std::string("a.txt\0b.txt", 11), "a.txt"},
        {std::string("\0tail", 5), ""},
        {"x", "x"},
    };
    for (const Case& c : cases) {
        platform::Text text = BytesToText(BufferOf(c.bytes));
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text.get(), c.text);
    }
}

TEST(BytesToText, EmptyOrMissingBufferGivesMissingText) {
    EXPECT_EQ(BytesToText(Bytes{}), nullptr);
    Bytes emptyButAllocated = BufferOf("abc");
    emptyButAllocated.length = 0;
    EXPECT_EQ(BytesToText(emptyButAllocated), nullptr);
}

TEST(FatalExit, RunningOutOfMemoryEndsTheProcessWithMinusOne) {
    EXPECT_EXIT(platform::AllocateOrDie(static_cast<std::size_t>(-1) / 2), testing::ExitedWithCode(-1),
                "out of memory");
}

// The texts reach the "A" functions as code page 936 bytes.
TEST(Texts, AreCodePage936Bytes) {
    EXPECT_STREQ(texts::kTitle, "Quorvel\xCC\xE1\xC8\xA1\xCE\xC4\xBC\xFE\xC3\xFBV1.0");
    EXPECT_STREQ(texts::kExit, "\xCD\xCB\xB3\xF6");
}

}  // namespace
