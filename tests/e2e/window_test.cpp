#include <gtest/gtest.h>

#include <algorithm>

#include "app/texts.h"
#include "program.h"

namespace e2e {
namespace {

RECT ClientRectOf(HWND control) {
    RECT bounds{};
    GetWindowRect(control, &bounds);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

class MainWindow : public testing::Test {
protected:
    TempFolder folder;
    Program program{folder.path()};
};

TEST_F(MainWindow, OpensCentredWithItsFixedFrame) {
    HWND window = program.window();
    ASSERT_NE(window, nullptr);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.right - frame.left, 233);
    EXPECT_EQ(frame.bottom - frame.top, 233);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 233) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 233) / 2);

    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP));
    EXPECT_EQ(GetMenu(window), nullptr) << "the menu bar must show no item";
}

TEST_F(MainWindow, HasItsFourControlsAsDescribed) {
    struct Expected {
        const char* className;
        RECT place;  // left, top, right, bottom in the client area
        const char* text;
        LONG style;
        LONG exStyle;
    };
    constexpr LONG kButton = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_MULTILINE | BS_CENTER | BS_VCENTER;
    constexpr LONG kListBox = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED | ES_MULTILINE | ES_AUTOVSCROLL |
                              ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL | ES_CENTER | ES_READONLY;
    const Expected expected[] = {
        {"Static", {183, -3, 236, 20}, texts::kVersion, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0},
        {"Button", {53, 168, 166, 201}, texts::kCopyCaption, kButton, 0},
        {"Edit", {8, 68, 221, 156}, "", kListBox, WS_EX_CLIENTEDGE},
        {"Button", {18, 23, 201, 56}, texts::kListCaption, kButton, 0},
    };
    Controls controls = program.controls();
    HWND inOrder[] = {controls.versionLabel, controls.copyButton, controls.listBox, controls.listButton};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        HWND control = inOrder[i];
        EXPECT_STRCASEEQ(ClassOf(control).c_str(), expected[i].className);
        RECT place = ClientRectOf(control);
        EXPECT_EQ(place.left, expected[i].place.left);
        EXPECT_EQ(place.top, expected[i].place.top);
        EXPECT_EQ(place.right, expected[i].place.right);
        EXPECT_EQ(place.bottom, expected[i].place.bottom);
        EXPECT_EQ(program.Text(control), expected[i].text);
        // Scroll bar bits come and go with the content; the rest must match.
        EXPECT_EQ(GetWindowLongA(control, GWL_STYLE), expected[i].style);
        EXPECT_EQ(GetWindowLongA(control, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, expected[i].exStyle);
    }
}

TEST_F(MainWindow, ListBoxTakesAListOfAnyLength) {
    DWORD_PTR limit = 0;
    ASSERT_TRUE(SendMessageTimeoutA(program.controls().listBox, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, kDeadlineMs, &limit));
    EXPECT_GE(limit, 0x7FFFFFFEu) << "the default limit of 30,000 characters would cut a long listing short";
}

TEST_F(MainWindow, ListsItsFolderAndClosesWithStatusZero) {
    WriteFileBytes(folder / "readme.txt", "hello");
    Controls controls = program.controls();
    ASSERT_TRUE(program.Click(controls.listButton));
    std::vector<std::string> listed = SplitLines(program.Text(controls.listBox));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"quorvel.bat", "quorvel.exe", "readme.txt", "velnaris.txt"}));
    EXPECT_FALSE(FileExists(folder / "quorvel.bat"));
    EXPECT_FALSE(FileExists(folder / "velnaris.txt"));

    PostMessageA(program.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
