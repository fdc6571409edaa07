#include "app/look.h"

#include <cstring>

#include "app/texts.h"
#include "platform/skin.h"

namespace app {
namespace {

constexpr int kBlueScheme = 1;

HFONT CreateLabelFont() {
    LOGFONTA font{};
    font.lfHeight = -20;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    std::strcpy(font.lfFaceName, texts::kLabelFontFace);
    return CreateFontIndirectA(&font);
}

}  // namespace

void SwitchOnSkin(HWND) { platform::SetSkinScheme(kBlueScheme); }

void PaintEngravedLabel(const FormElement& label, const DRAWITEMSTRUCT& item) {
    constexpr UINT kFlags = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    HDC dc = item.hDC;
    RECT place = item.rcItem;
    RECT engraving = place;
    OffsetRect(&engraving, 1, 1);

    // 1. Background.
    FillRect(dc, &place, GetSysColorBrush(COLOR_BTNFACE));
    // 2. Font, drawn transparently.
    HFONT font = CreateLabelFont();
    HGDIOBJ previousFont = SelectObject(dc, font);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    // 3. The white copy, one pixel right and down.
    COLORREF previousColour = SetTextColor(dc, RGB(255, 255, 255));
    DrawTextA(dc, label.text, -1, &engraving, kFlags);
    // 4. The text in its colour at its place.
    SetTextColor(dc, label.textColour);
    DrawTextA(dc, label.text, -1, &place, kFlags);
    // 5. Restore.
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    DeleteObject(font);
}

}  // namespace app
