#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "app/main_form.h"
#include "app/texts.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);

struct Size {
    int width, height;
};

Size SizeOf(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP colour{};
    // A colour icon has a colour bitmap; without one the size stays 0 x 0.
    if (info.hbmColor) GetObjectA(info.hbmColor, sizeof colour, &colour);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return {colour.bmWidth, colour.bmHeight};
}

// The icon drawn over the background colour at size x size, top-down rows
// of 0x00RRGGBB.
std::vector<unsigned> DrawOverBackground(HICON icon, int size) {
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP canvas = CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, canvas);
    RECT all = {0, 0, size, size};
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &all, background);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* pixels = static_cast<const unsigned*>(bits);
    std::vector<unsigned> image(pixels, pixels + size * size);
    SelectObject(dc, previous);
    DeleteObject(background);
    DeleteObject(canvas);
    DeleteDC(dc);
    return image;
}

// 16 bits per pixel keep 5 bits of each channel, and systems differ in how
// they widen them back to 8.
bool Near(unsigned pixel, COLORREF expected) {
    int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return std::abs(red - GetRValue(expected)) <= 8 && std::abs(green - GetGValue(expected)) <= 8 &&
           std::abs(blue - GetBValue(expected)) <= 8;
}

TEST(AppIcon, LoadsAtBothSizesAndShowsItsPicture) {
    // Cells of resources/icon.txt on its 16 x 16 grid: each colour once, and
    // the tab at the top left, so an image drawn flipped or mirrored fails.
    struct Sample {
        int column, row;
        COLORREF colour;
        const char* what;
    } samples[] = {
        {0, 0, kBackground, "transparent corner"},
        {15, 0, kBackground, "transparent beside the tab"},
        {1, 0, RGB(40, 48, 64), "outline of the tab"},
        {2, 1, RGB(248, 200, 72), "folder back under the tab"},
        {5, 4, RGB(72, 120, 176), "first list line"},
        {11, 4, RGB(255, 255, 255), "page after the line"},
        {7, 10, RGB(176, 112, 16), "top edge of the folder front"},
        {7, 13, RGB(224, 168, 40), "folder front"},
    };
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        Size loaded = SizeOf(icon);
        EXPECT_EQ(loaded.width, size);
        EXPECT_EQ(loaded.height, size);

        std::vector<unsigned> image = DrawOverBackground(icon, size);
        int cell = size / 16;
        for (const Sample& sample : samples) {
            unsigned pixel = image[(sample.row * cell + cell / 2) * size + sample.column * cell + cell / 2];
            EXPECT_TRUE(Near(pixel, sample.colour)) << sample.what << ": 0x" << std::hex << pixel;
        }
        DestroyIcon(icon);
    }
}

// The real main window, made in this process: Wine does not answer
// WM_GETICON across processes, so the end-to-end driver cannot ask.
class MainFormInProcess : public testing::Test {
protected:
    void SetUp() override { window = app::LoadForm(app::kMainForm, GetModuleHandleA(nullptr)); }

    void TearDown() override {
        if (!window) return;
        DestroyWindow(window);
        // Destroying the window posts WM_QUIT to end the event loop. Take it
        // and anything else off this thread's queue, so later tests in this
        // process start with an empty one.
        bool quitPosted = false;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_QUIT) quitPosted = true;
        EXPECT_TRUE(quitPosted) << "closing the window must end the event loop";
    }

    HWND window = nullptr;
};

TEST_F(MainFormInProcess, CarriesTheIconLargeAndSmall) {
    ASSERT_NE(window, nullptr);
    struct {
        WPARAM which;
        int size;
    } icons[] = {{ICON_BIG, 32}, {ICON_SMALL, 16}};
    for (const auto& icon : icons) {
        SCOPED_TRACE(icon.size);
        auto handle = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, icon.which, 0));
        ASSERT_NE(handle, nullptr);
        Size size = SizeOf(handle);
        EXPECT_EQ(size.width, icon.size);
        EXPECT_EQ(size.height, icon.size);
    }
}

TEST_F(MainFormInProcess, ControlsUseTheDefaultGuiFont) {
    ASSERT_NE(window, nullptr);
    auto guiFont = reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const char* name : {texts::kVersionLabel, texts::kCopyButton, texts::kListBox, texts::kListButton}) {
        HWND control = app::ElementWindow(window, name);
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(SendMessageA(control, WM_GETFONT, 0, 0), guiFont) << name;
    }
}

}  // namespace
