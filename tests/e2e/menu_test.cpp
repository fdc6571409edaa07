#include <gtest/gtest.h>

#include "app/texts.h"
#include "program.h"
#include "resources/product.h"

namespace e2e {
namespace {

std::string BrowserLogPath() {
    char prefix[MAX_PATH] = "";
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    std::string path = std::string("Z:") + prefix + "/browser-log.txt";
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

class PopUpMenu : public testing::Test {
protected:
    TempFolder folder;
    Program program{folder.path()};
    Controls controls = program.controls();

    void SetUp() override {
        DeleteFileA(BrowserLogPath().c_str());
        SetForegroundWindow(program.window());
    }

    POINT LabelPoint(int dx, int dy) {
        RECT label{};
        GetWindowRect(controls.versionLabel, &label);
        return {label.left + dx, label.top + dy};
    }

    HWND WaitForPopup(DWORD deadlineMs = kDeadlineMs) {
        for (DWORD waited = 0;; waited += 50) {
            HWND popup = VisibleWindowOf(ProcessId(), "#32768");  // the system's menu window class
            if (popup || waited >= deadlineMs) return popup;
            Sleep(50);
        }
    }

    DWORD ProcessId() {
        DWORD id = 0;
        GetWindowThreadProcessId(program.window(), &id);
        return id;
    }

    // Moves over the label and waits for the menu to open.
    HWND OpenMenu(POINT over) {
        EXPECT_TRUE(MovePointerTo({over.x - 40, over.y + 60}));  // start away from the label
        EXPECT_TRUE(MovePointerTo(over));
        return WaitForPopup();
    }

    // Picks the n-th item (1-based) with the keyboard, as a user could.
    void Choose(HWND popup, int item) {
        for (int i = 0; i < item; ++i) PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
    }

    std::string WaitForBrowserLog() {
        for (DWORD waited = 0; waited < kDeadlineMs; waited += 100) {
            std::string log = ReadFileBytes(BrowserLogPath());
            if (!log.empty() && log.back() == '\n') return log;
            Sleep(100);
        }
        return {};
    }
    bool CloseWithEscape(HWND popup) {
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        for (DWORD waited = 0; IsWindowVisible(popup) && waited < kDeadlineMs; waited += 50) Sleep(50);
        return !IsWindowVisible(popup);
    }
};

// Anywhere over the label, its top rows under the window's frame included.
class PopUpPlacement : public PopUpMenu, public testing::WithParamInterface<POINT> {};

TEST_P(PopUpPlacement, OpensAtTheCursorPlusThree) {
    RECT label{};
    GetWindowRect(controls.versionLabel, &label);
    POINT over = {label.left + GetParam().x, label.top + GetParam().y};
    RECT client{};
    GetClientRect(program.window(), &client);
    MapWindowPoints(program.window(), nullptr, reinterpret_cast<POINT*>(&client), 2);

    HWND popup = OpenMenu(over);

    ASSERT_NE(popup, nullptr) << "no pop-up menu at " << over.x << "," << over.y;
    RECT placed{};
    GetWindowRect(popup, &placed);
    EXPECT_EQ(placed.left, over.x + 3);
    EXPECT_EQ(placed.top, over.y + 3);
    EXPECT_TRUE(CloseWithEscape(popup));
    EXPECT_EQ(GetMenu(program.window()), nullptr) << "the menu bar must show no item";
}

INSTANTIATE_TEST_SUITE_P(OverTheLabel, PopUpPlacement,
                         testing::Values(POINT{20, 12},   // the middle of the text
                                         POINT{10, 1},    // a top row, under the frame
                                         POINT{30, 22}),  // the bottom row
                         [](const testing::TestParamInfo<POINT>& info) {
                             return "At" + std::to_string(info.param.x) + "x" + std::to_string(info.param.y);
                         });

TEST_F(PopUpMenu, StaysClosedAfterEscapeUntilThePointerMovesAgain) {
    POINT over = LabelPoint(20, 12);
    HWND popup = OpenMenu(over);
    ASSERT_NE(popup, nullptr);

    ASSERT_TRUE(CloseWithEscape(popup));

    EXPECT_EQ(WaitForPopup(1000), nullptr) << "the menu opened again under a pointer that did not move";
    ASSERT_TRUE(MovePointerTo({over.x + 5, over.y + 1}));
    EXPECT_NE(WaitForPopup(), nullptr) << "moving over the label again must show the menu again";
}

TEST_F(PopUpMenu, PageEntriesHandTheirAddressToTheBrowser) {
    struct Case {
        int item;
        std::string address;
    } cases[] = {
        {2, QUORVEL_WEB_SITE "/thread-14173-1-1.html"},
        {3, QUORVEL_WEB_SITE "/thread-9282-1-1.html"},
    };
    ASSERT_TRUE(program.Click(controls.listButton));
    std::string listed = program.Text(controls.listBox);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        DeleteFileA(BrowserLogPath().c_str());
        HWND popup = OpenMenu(LabelPoint(20, 12));
        ASSERT_NE(popup, nullptr);

        Choose(popup, c.item);

        EXPECT_EQ(WaitForBrowserLog(), c.address + "\n");
        EXPECT_EQ(program.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
        EXPECT_EQ(program.Text(controls.listBox), listed);
    }
}

TEST_F(PopUpMenu, ExitEndsTheProgramWithStatusZero) {
    HWND popup = OpenMenu(LabelPoint(20, 12));
    ASSERT_NE(popup, nullptr);

    Choose(popup, 1);

    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
