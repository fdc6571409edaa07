// The skinning facility on a window of its own, in this thread, compared
// with what the same controls look like without it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "e2e/program.h"
#include "platform/skin.h"

namespace {

using e2e::Image;

constexpr char kWindowClass[] = "QuorvelSkinTestWindow";

// The captured image holds 0x00RRGGBB; GDI colours are 0x00BBGGRR.
unsigned Pixel(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }

unsigned FaceColour() { return Pixel(GetSysColor(COLOR_BTNFACE)); }
unsigned DarkFaceColour() { return FaceColour() - 0x202020; }
unsigned WindowColour() { return Pixel(GetSysColor(COLOR_WINDOW)); }

// Handles whatever is queued, paints included, and gives Wine time to put
// the painted surface on the screen.
void LetItPaint() {
    for (int round = 0; round < 20; ++round) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
}

HWND NewWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP | WS_CLIPCHILDREN, 120, 120,
                           300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
}

HWND NewControl(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, RECT place) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, parent, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

// The pixel `inset` pixels in from the middle of each side of the control.
std::vector<unsigned> RingMiddles(const Image& image, HWND window, HWND control, int inset) {
    RECT outer{}, box{};
    GetWindowRect(window, &outer);
    GetWindowRect(control, &box);
    OffsetRect(&box, -outer.left, -outer.top);
    int midX = (box.left + box.right) / 2, midY = (box.top + box.bottom) / 2;
    return {image.at(midX, box.top + inset), image.at(midX, box.bottom - 1 - inset),
            image.at(box.left + inset, midY), image.at(box.right - 1 - inset, midY)};
}

// The control's pixels, less `inset` pixels on each side.
std::vector<unsigned> Area(const Image& image, HWND window, HWND control, int inset) {
    RECT outer{}, box{};
    GetWindowRect(window, &outer);
    GetWindowRect(control, &box);
    OffsetRect(&box, -outer.left, -outer.top);
    InflateRect(&box, -inset, -inset);
    std::vector<unsigned> pixels;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) pixels.push_back(image.at(x, y));
    return pixels;
}

// Paints the control's whole window magenta, so that a part the next change
// fails to repaint shows instead of passing for what was there before.
void Scribble(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    HDC dc = GetWindowDC(control);
    RECT all = {0, 0, box.right - box.left, box.bottom - box.top};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &all, magenta);
    DeleteObject(magenta);
    ReleaseDC(control, dc);
}

class Skin : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        for (int shift : {0, 8, 16})
            ASSERT_GE(FaceColour() >> shift & 0xFF, 32u) << "the darkened face needs 32 to spare";
        ShowWindow(window, SW_SHOW);
        LetItPaint();
    }
    void TearDown() override {
        platform::SetSkinScheme(0);
        DestroyWindow(window);
    }

    Image Capture() {
        LetItPaint();
        return e2e::CaptureWindow(window);
    }

    HWND window = NewWindow();
    HWND button = NewControl(window, "BUTTON", "\xC8\xB7\xB6\xA8 OK", BS_PUSHBUTTON | WS_TABSTOP, 0, {10, 10, 130, 43});
    HWND disabledButton =
        NewControl(window, "BUTTON", "\xC8\xA1\xCF\xFB", BS_DEFPUSHBUTTON | WS_DISABLED, 0, {150, 10, 270, 43});
    HWND edit = NewControl(window, "EDIT", "one line\r\nand a much longer second line\r\n3\r\n4\r\n5",
                           ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE,
                           {10, 55, 130, 125});
    HWND readOnlyEdit = NewControl(window, "EDIT", "read only", ES_READONLY, WS_EX_CLIENTEDGE, {150, 55, 270, 79});
    HWND disabledEdit = NewControl(window, "EDIT", "a\r\nb\r\nc\r\nd",
                                   ES_MULTILINE | ES_READONLY | ES_CENTER | WS_DISABLED | WS_HSCROLL | WS_VSCROLL,
                                   WS_EX_CLIENTEDGE, {150, 85, 270, 125});
    HWND checkBox = NewControl(window, "BUTTON", "check", BS_AUTOCHECKBOX, 0, {10, 135, 130, 155});
    HWND label = NewControl(window, "STATIC", "label", SS_LEFT | WS_BORDER, 0, {150, 135, 270, 155});
};

TEST_F(Skin, FramesEachControlInItsSchemeOrStateColours) {
    const struct {
        int scheme;
        unsigned frame;
    } schemes[] = {{1, 0x7B9EBD}, {2, 0xA4B97F}, {3, 0xC6C5D7}};
    // One scheme after another with no removal between: each must replace
    // the one before.
    for (const auto& scheme : schemes) {
        platform::SetSkinScheme(scheme.scheme);
        Image image = Capture();
        const struct {
            const char* what;
            HWND control;
            unsigned outer, inner;
        } frames[] = {
            {"push button", button, scheme.frame, WindowColour()},
            {"disabled push button", disabledButton, DarkFaceColour(), FaceColour()},
            {"edit box", edit, scheme.frame, WindowColour()},
            {"read-only edit box", readOnlyEdit, scheme.frame, FaceColour()},
            {"disabled read-only edit box", disabledEdit, DarkFaceColour(), FaceColour()},
        };
        for (const auto& expected : frames) {
            SCOPED_TRACE(testing::Message() << "scheme " << scheme.scheme << ", " << expected.what);
            EXPECT_EQ(RingMiddles(image, window, expected.control, 0), std::vector<unsigned>(4, expected.outer));
            EXPECT_EQ(RingMiddles(image, window, expected.control, 1), std::vector<unsigned>(4, expected.inner));
        }
    }
}

TEST_F(Skin, SettingASchemeAgainLeavesOneSkinOnEachControl) {
    for (int scheme : {1, 1, 2}) {
        platform::SetSkinScheme(scheme);
        SCOPED_TRACE(testing::Message() << "after scheme " << scheme);
        for (HWND control : {button, disabledButton, edit, readOnlyEdit, disabledEdit})
            EXPECT_EQ(platform::SkinLayerCount(control), 1);
        for (HWND control : {window, checkBox, label}) EXPECT_EQ(platform::SkinLayerCount(control), 0);
    }
}

TEST_F(Skin, RemovingItRestoresTheControlsAsTheyWere) {
    const std::vector<HWND> controls = {button, disabledButton, edit, readOnlyEdit, disabledEdit, checkBox, label};
    std::vector<LONG_PTR> procedures;
    for (HWND control : controls) procedures.push_back(GetWindowLongPtrA(control, GWLP_WNDPROC));
    Image native = Capture();

    platform::SetSkinScheme(1);
    ASSERT_NE(Capture().pixels, native.pixels) << "the skin changed nothing to remove";
    for (HWND control : {button, disabledButton, edit, readOnlyEdit, disabledEdit}) Scribble(control);
    platform::SetSkinScheme(0);

    EXPECT_EQ(Capture().pixels, native.pixels);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_EQ(GetWindowLongPtrA(controls[i], GWLP_WNDPROC), procedures[i]) << "control " << i;
        EXPECT_EQ(platform::SkinLayerCount(controls[i]), 0) << "control " << i;
    }
    HWND later = NewControl(window, "BUTTON", "later", BS_PUSHBUTTON, 0, {10, 165, 100, 190});
    EXPECT_EQ(platform::SkinLayerCount(later), 0) << "still skinning new windows";
}

TEST_F(Skin, LeavesUnknownControlsAndTheEditBoxesInsideAlone) {
    Image native = Capture();
    for (HWND control : {edit, readOnlyEdit, disabledEdit}) Scribble(control);
    platform::SetSkinScheme(1);
    Image skinned = Capture();
    for (HWND control : {checkBox, label})
        EXPECT_EQ(Area(skinned, window, control, 0), Area(native, window, control, 0));
    // Inside the two frames: the text and both scroll bars as the edit drew them.
    for (HWND control : {edit, readOnlyEdit, disabledEdit})
        EXPECT_EQ(Area(skinned, window, control, 2), Area(native, window, control, 2));
}

TEST_F(Skin, SkinsWindowsCreatedAfterTheSwitch) {
    platform::SetSkinScheme(2);
    HWND laterButton = NewControl(window, "BUTTON", "later", BS_PUSHBUTTON, 0, {10, 165, 100, 190});
    HWND laterEdit = NewControl(window, "EDIT", "later", 0, WS_EX_CLIENTEDGE, {110, 165, 200, 190});
    HWND laterCheckBox = NewControl(window, "BUTTON", "later", BS_CHECKBOX, 0, {210, 165, 290, 190});
    HWND otherWindow = NewWindow();
    HWND buttonInOtherWindow = NewControl(otherWindow, "BUTTON", "other", BS_PUSHBUTTON, 0, {10, 10, 100, 40});

    EXPECT_EQ(platform::SkinLayerCount(laterButton), 1);
    EXPECT_EQ(platform::SkinLayerCount(laterEdit), 1);
    EXPECT_EQ(platform::SkinLayerCount(buttonInOtherWindow), 1);
    EXPECT_EQ(platform::SkinLayerCount(laterCheckBox), 0);
    Image image = Capture();
    EXPECT_EQ(RingMiddles(image, window, laterButton, 0), std::vector<unsigned>(4, 0xA4B97Fu));
    EXPECT_EQ(RingMiddles(image, window, laterEdit, 0), std::vector<unsigned>(4, 0xA4B97Fu));
    DestroyWindow(otherWindow);
}

// The platform's button paints its pressed and focused states itself, past
// WM_PAINT: after each change the flat face must be back, drawn anew.
TEST_F(Skin, PushButtonStatesKeepTheFlatFace) {
    platform::SetSkinScheme(1);
    Image normal = Capture();
    std::vector<unsigned> normalFace = Area(normal, window, button, 2);

    SendMessageA(button, BM_SETSTATE, TRUE, 0);
    Image pressed = Capture();
    EXPECT_EQ(RingMiddles(pressed, window, button, 0), std::vector<unsigned>(4, 0x7B9EBDu));
    EXPECT_NE(Area(pressed, window, button, 2), normalFace) << "pressing shows nothing";

    SendMessageA(button, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(Area(Capture(), window, button, 2), normalFace);

    SetFocus(button);
    Image focused = Capture();
    EXPECT_EQ(RingMiddles(focused, window, button, 0), std::vector<unsigned>(4, 0x7B9EBDu));
    EXPECT_EQ(RingMiddles(focused, window, button, 1), std::vector<unsigned>(4, WindowColour()));
    EXPECT_NE(Area(focused, window, button, 2), normalFace) << "focus shows nothing";

    EnableWindow(button, FALSE);
    EXPECT_EQ(RingMiddles(Capture(), window, button, 0), std::vector<unsigned>(4, DarkFaceColour()));
}

}  // namespace
