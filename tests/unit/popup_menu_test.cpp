#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form.h"
#include "app/main_form.h"
#include "app/texts.h"

namespace {

struct ShownItem {
    std::string caption;
    UINT state;
};

std::vector<ShownItem> shownItems;

// Runs inside the menu's modal loop: reads the open pop-up, then closes it.
void CALLBACK ReadAndCloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND popup = FindWindowA("#32768", nullptr);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char caption[64] = "";
        GetMenuStringA(menu, i, caption, sizeof caption, MF_BYPOSITION);
        shownItems.push_back({caption, GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_CHECKED | MF_POPUP)});
    }
    EndMenu();
}

// The window posts WM_QUIT when destroyed; later tests share this thread.
void Destroy(HWND window) {
    DestroyWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

std::vector<ShownItem> PopUp(HWND form, const char* menuName) {
    shownItems.clear();
    SetTimer(nullptr, 0, 100, ReadAndCloseMenu);
    app::PopUpMenuAtCursor(form, menuName);
    return shownItems;
}

TEST(PopUpMenu, OverTheVersionLabelShowsTheThreeCommandsInOrder) {
    HWND form = app::LoadForm(app::kMainForm, GetModuleHandleA(nullptr));
    ASSERT_NE(form, nullptr);
    RECT label{};
    GetWindowRect(app::ElementWindow(form, texts::kVersionLabel), &label);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&label), 2);
    shownItems.clear();
    SetTimer(nullptr, 0, 100, ReadAndCloseMenu);

    // Routed like the real pointer: the label lets mouse moves through to us.
    SendMessageA(form, WM_MOUSEMOVE, 0, MAKELPARAM(label.left + 10, label.top + 10));

    ASSERT_EQ(shownItems.size(), 3u);
    EXPECT_EQ(shownItems[0].caption, texts::kExit);
    EXPECT_EQ(shownItems[1].caption, texts::kUpdatePage);
    EXPECT_EQ(shownItems[2].caption, texts::kAboutPage);
    for (const ShownItem& item : shownItems) EXPECT_EQ(item.state, 0u) << item.caption;
    EXPECT_EQ(GetMenu(form), nullptr) << "the hidden top item leaves the menu bar empty";
    Destroy(form);
}

// A form of menu items only, to show how their states come out.
using app::ElementKind;
using app::FormElement;
using app::kChecked;
using app::kDisabled;
using app::kHidden;
using app::kShown;
constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION;
constexpr COLORREF kSys = app::kSystemColour;
constexpr FormElement kMenuForm[] = {
    {"frame",  ElementKind::Window,   "menus",  0, 0, 200, 200, kFrame, 0, 0, kShown,   kSys, kSys},
    {"shown",  ElementKind::MenuItem, "Shown",  0, 0, 0,   0,   0,      0, 0, kShown,   kSys, kSys},
    {"plain",  ElementKind::MenuItem, "Plain",  0, 0, 0,   0,   0,      0, 1, kShown,   kSys, kSys},
    {"grey",   ElementKind::MenuItem, "Grey",   0, 0, 0,   0,   0,      0, 1, kDisabled, kSys, kSys},
    {"gone",   ElementKind::MenuItem, "Gone",   0, 0, 0,   0,   0,      0, 1, kHidden,  kSys, kSys},
    {"ticked", ElementKind::MenuItem, "Ticked", 0, 0, 0,   0,   0,      0, 1, kChecked, kSys, kSys},
    {"hidden", ElementKind::MenuItem, "Hidden", 0, 0, 0,   0,   0,      0, 0, kHidden,  kSys, kSys},
    {"child",  ElementKind::MenuItem, "Child",  0, 0, 0,   0,   0,      0, 1, kShown,   kSys, kSys},
};
constexpr app::Form kMenuFormDescription = {kMenuForm, sizeof kMenuForm / sizeof kMenuForm[0], nullptr, 0};

TEST(PopUpMenu, HonoursEachItemsState) {
    HWND form = app::LoadForm(kMenuFormDescription, GetModuleHandleA(nullptr));
    ASSERT_NE(form, nullptr);

    std::vector<ShownItem> shown = PopUp(form, "shown");

    ASSERT_EQ(shown.size(), 3u) << "the hidden child is left out";
    EXPECT_EQ(shown[0].caption, "Plain");
    EXPECT_EQ(shown[0].state, 0u);
    EXPECT_EQ(shown[1].caption, "Grey");
    EXPECT_EQ(shown[1].state, static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(shown[2].caption, "Ticked");
    EXPECT_EQ(shown[2].state, static_cast<UINT>(MF_CHECKED));

    HMENU bar = GetMenu(form);
    ASSERT_NE(bar, nullptr) << "a visible top item makes a menu bar";
    ASSERT_EQ(GetMenuItemCount(bar), 1) << "the hidden top item goes with its children";
    char caption[16] = "";
    GetMenuStringA(bar, 0, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_STREQ(caption, "Shown");
    Destroy(form);
}

}  // namespace
