#include <gtest/gtest.h>

#include "program.h"

namespace e2e {
namespace {

// What CF_TEXT holds, or nullopt-like "<none>" when there is no such data.
std::string ClipboardText() {
    std::string text = "<none>";
    for (int attempt = 0; attempt < 100 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

class CopyButton : public testing::Test {
protected:
    TempFolder folder;
    Program program{folder.path()};
    Controls controls = program.controls();
};

TEST_F(CopyButton, PutsTheListOnTheClipboardByteForByte) {
    WriteFileBytes(folder / "\xD6\xD0\xCE\xC4\xC3\xFB.txt", "c");  // 中文名.txt
    WriteFileBytes(folder / "two words.txt", "c");
    ASSERT_TRUE(program.Click(controls.listButton));
    std::string shown = program.Text(controls.listBox);
    ASSERT_NE(shown.find("\r\n"), std::string::npos);

    ASSERT_TRUE(program.Click(controls.copyButton));

    EXPECT_EQ(ClipboardText(), shown);
}

TEST_F(CopyButton, PutsAnEmptyTextForAnEmptyBox) {
    PutOnClipboard("something else");

    ASSERT_TRUE(program.Click(controls.copyButton));

    EXPECT_EQ(ClipboardText(), "");
}

TEST_F(CopyButton, DoesNothingWhileAnotherProgramHoldsTheClipboard) {
    PutOnClipboard("held by someone else");
    ASSERT_TRUE(program.Click(controls.listButton));
    // Held by a window: Wine lets a second ownerless open through when the
    // holder is ownerless too, which Windows would not.
    HWND holder = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(holder));

    DWORD started = GetTickCount();
    bool returned = program.Click(controls.copyButton);
    DWORD took = GetTickCount() - started;
    CloseClipboard();
    DestroyWindow(holder);

    EXPECT_TRUE(returned);
    EXPECT_LT(took, kDeadlineMs / 2) << "the click must not wait for the clipboard";
    EXPECT_EQ(ClipboardText(), "held by someone else");
    EXPECT_NE(program.Text(controls.listBox), "");
}

}  // namespace
}  // namespace e2e
