// The window's look as the screen shows it: the engraved version label and
// the blue skin on the buttons and the list box.
#include <gtest/gtest.h>

#include "program.h"

namespace e2e {
namespace {

constexpr unsigned kBlueFrame = 0x7B9EBD;
constexpr unsigned kWhite = 0xFFFFFF;

unsigned Pixel(COLORREF colour) { return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour); }
unsigned FaceColour() { return Pixel(GetSysColor(COLOR_BTNFACE)); }
unsigned WindowColour() { return Pixel(GetSysColor(COLOR_WINDOW)); }

int Brightness(unsigned pixel) { return (pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF); }
bool IsNearBlack(unsigned pixel) {
    return (pixel >> 16 & 0xFF) < 0x40 && (pixel >> 8 & 0xFF) < 0x40 && (pixel & 0xFF) < 0x40;
}

// Where the control shows in a picture of its window: its rectangle less what
// lies outside the window's client area.
RECT PlaceInPicture(HWND window, HWND control) {
    RECT frame{}, place{}, client{};
    GetWindowRect(window, &frame);
    GetWindowRect(control, &place);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    IntersectRect(&place, &place, &client);
    OffsetRect(&place, -frame.left, -frame.top);
    return place;
}

// The middle pixel of each side of the ring `inset` pixels in from the edge.
std::vector<unsigned> RingMiddles(const Image& picture, RECT place, int inset) {
    int midX = (place.left + place.right) / 2, midY = (place.top + place.bottom) / 2;
    return {picture.at(midX, place.top + inset), picture.at(midX, place.bottom - 1 - inset),
            picture.at(place.left + inset, midY), picture.at(place.right - 1 - inset, midY)};
}

std::string BesideDriver(const std::string& name) {
    std::string program = ProgramBesideDriver();
    return program.substr(0, program.rfind('\\') + 1) + name;
}

class Look : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(program.window(), nullptr);
        picture = CaptureWhenPainted(program.window());
        ASSERT_TRUE(NothingCovers(program.window())) << "another window lies over the program's";
    }

    TempFolder folder;
    Program program{folder.path()};
    Controls controls = program.controls();
    Image picture;
};

// The label's font is smoothed, so a stroke's edge pixels are grey. Where a
// black pixel's lower-right neighbour is no darker than the background, no
// stroke reaches it: only the white copy can be there, and it is pure white.
TEST_F(Look, VersionLabelHasAWhiteEdgeBelowRightOfItsStrokes) {
    RECT label = PlaceInPicture(program.window(), controls.versionLabel);
    int checked = 0, notWhite = 0;
    for (int y = label.top; y + 1 < label.bottom; ++y) {
        for (int x = label.left; x + 1 < label.right; ++x) {
            if (!IsNearBlack(picture.at(x, y))) continue;
            unsigned below = picture.at(x + 1, y + 1);
            if (Brightness(below) < Brightness(FaceColour())) continue;
            ++checked;
            if (below != kWhite) ++notWhite;
        }
    }
    EXPECT_GE(checked, 10) << "too few strokes found to judge the label";
    EXPECT_EQ(notWhite, 0) << "of " << checked << " neighbours below right of black pixels";
}

// The box answers the colour request with white; the platform's own grey
// for a disabled box would show here instead.
TEST_F(Look, ListBoxIsWhiteInside) {
    RECT box = PlaceInPicture(program.window(), controls.listBox);
    const POINT inside[] = {{box.left + 4, box.top + 4}, {(box.left + box.right) / 2, (box.top + box.bottom) / 2}};
    for (POINT at : inside) EXPECT_EQ(picture.at(at.x, at.y), kWhite) << at.x << "," << at.y;
}

// The picture it checks is kept beside the tests for a person to look at.
TEST_F(Look, ButtonsAndListBoxWearTheBlueSchemesFrames) {
    EXPECT_TRUE(SaveBitmap(picture, BesideDriver("skinned-window.bmp")));
    const struct {
        const char* what;
        HWND control;
        unsigned outer, inner;
    } frames[] = {
        {"list button", controls.listButton, kBlueFrame, WindowColour()},
        {"copy button", controls.copyButton, kBlueFrame, WindowColour()},
        {"disabled read-only list box", controls.listBox, FaceColour() - 0x202020, FaceColour()},
    };
    for (const auto& expected : frames) {
        SCOPED_TRACE(expected.what);
        RECT place = PlaceInPicture(program.window(), expected.control);
        EXPECT_EQ(RingMiddles(picture, place, 0), std::vector<unsigned>(4, expected.outer));
        EXPECT_EQ(RingMiddles(picture, place, 1), std::vector<unsigned>(4, expected.inner));
    }
}

// The platform's button draws its pressed and released states straight to
// the screen; a click must not leave that drawing behind.
TEST_F(Look, ClickedButtonKeepsItsFlatFace) {
    ASSERT_TRUE(program.Click(controls.listButton));
    Image after = CaptureWhenPainted(program.window());
    RECT place = PlaceInPicture(program.window(), controls.listButton);
    EXPECT_EQ(RingMiddles(after, place, 0), std::vector<unsigned>(4, kBlueFrame));
    EXPECT_EQ(RingMiddles(after, place, 1), std::vector<unsigned>(4, WindowColour()));
}

}  // namespace
}  // namespace e2e
