#include "platform/skin_paint.h"

#include "platform/control.h"

namespace platform {
namespace {

// 32 off each channel; a channel already that dark stops at 0 instead of
// borrowing from its neighbour.
COLORREF Darkened(COLORREF colour) {
    auto off = [](int channel) { return channel > 32 ? channel - 32 : 0; };
    return RGB(off(GetRValue(colour)), off(GetGValue(colour)), off(GetBValue(colour)));
}

// `weight` parts in 256 of `a`, the rest of `b`.
COLORREF Mix(COLORREF a, COLORREF b, int weight) {
    auto mix = [weight](int x, int y) { return (x * weight + y * (256 - weight)) / 256; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

COLORREF OuterFrame(HWND control, COLORREF scheme) {
    return IsWindowEnabled(control) ? scheme : Darkened(GetSysColor(COLOR_BTNFACE));
}

COLORREF InnerFrame(HWND control, bool readOnly) {
    return IsWindowEnabled(control) && !readOnly ? GetSysColor(COLOR_WINDOW) : GetSysColor(COLOR_BTNFACE);
}

// The DC brush, so nothing is created that could outlive the paint.
void Fill(HDC dc, const RECT& area, COLORREF colour) {
    COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

// One-pixel rings from the box's edge inwards; gives what is left inside.
RECT DrawFrames(HDC dc, RECT box, const COLORREF* colours, int count) {
    for (int ring = 0; ring < count; ++ring) {
        const RECT edges[] = {{box.left, box.top, box.right, box.top + 1},
                              {box.left, box.bottom - 1, box.right, box.bottom},
                              {box.left, box.top, box.left + 1, box.bottom},
                              {box.right - 1, box.top, box.right, box.bottom}};
        for (const RECT& edge : edges) Fill(dc, edge, colours[ring]);
        InflateRect(&box, -1, -1);
    }
    return box;
}

void FillFace(HDC dc, const RECT& face, COLORREF scheme, bool enabled, bool pressed) {
    COLORREF window = GetSysColor(COLOR_WINDOW);
    if (!enabled) return Fill(dc, face, GetSysColor(COLOR_BTNFACE));
    if (pressed) return Fill(dc, face, Mix(scheme, window, 112));
    // A light wash of the scheme colour that deepens towards the bottom.
    COLORREF top = Mix(scheme, window, 24), bottom = Mix(scheme, window, 88);
    int height = face.bottom - face.top;
    for (int row = 0; row < height; ++row) {
        RECT line = {face.left, face.top + row, face.right, face.top + row + 1};
        Fill(dc, line, Mix(bottom, top, height > 1 ? row * 256 / (height - 1) : 0));
    }
}

UINT CaptionFlags(LONG style, LRESULT uiState) {
    UINT flags = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_CENTER) {
        case BS_LEFT: flags |= DT_LEFT; break;
        case BS_RIGHT: flags |= DT_RIGHT; break;
        default: flags |= DT_CENTER;
    }
    if (uiState & UISF_HIDEACCEL) flags |= DT_HIDEPREFIX;
    return flags;
}

// DrawText cannot centre wrapped lines vertically, so the caption is measured
// first and the rectangle moved down by the spare height.
void DrawCaption(HWND button, HDC dc, RECT area, COLORREF colour, LRESULT uiState) {
    Text caption = GetControlText(button);
    LONG style = GetWindowLongA(button, GWL_STYLE);
    UINT flags = CaptionFlags(style, uiState);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(button, WM_GETFONT, 0, 0));
    HGDIOBJ previousFont = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, colour);

    RECT measured = area;
    DrawTextA(dc, caption.get(), -1, &measured, flags | DT_CALCRECT);
    int spare = (area.bottom - area.top) - (measured.bottom - measured.top);
    if (spare > 0) {
        switch (style & BS_VCENTER) {
            case BS_TOP: break;
            case BS_BOTTOM: area.top += spare; break;
            default: area.top += spare / 2;
        }
    }
    DrawTextA(dc, caption.get(), -1, &area, flags);

    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void DrawFocus(HDC dc, RECT area) {
    // The dotted pattern takes the DC's text and background colours.
    COLORREF previousText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF previousBack = SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &area);
    SetBkColor(dc, previousBack);
    SetTextColor(dc, previousText);
}

}  // namespace

void PaintFlatButton(HWND button, HDC dc, COLORREF frame) {
    RECT box{};
    GetClientRect(button, &box);
    bool enabled = IsWindowEnabled(button) != FALSE;
    LRESULT state = SendMessageA(button, BM_GETSTATE, 0, 0);
    LRESULT uiState = SendMessageA(button, WM_QUERYUISTATE, 0, 0);
    bool pressed = (state & BST_PUSHED) != 0;

    const COLORREF frames[] = {OuterFrame(button, frame), InnerFrame(button, false)};
    RECT face = DrawFrames(dc, box, frames, 2);
    FillFace(dc, face, frame, enabled, pressed);

    RECT caption = face;
    InflateRect(&caption, -2, -1);
    if (pressed) OffsetRect(&caption, 1, 1);
    DrawCaption(button, dc, caption, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT), uiState);

    if ((state & BST_FOCUS) && !(uiState & UISF_HIDEFOCUS)) {
        InflateRect(&face, -1, -1);
        DrawFocus(dc, face);
    }
}

void PaintEditBorder(HWND edit, HDC windowDc, COLORREF frame) {
    RECT window{};
    GetWindowRect(edit, &window);
    POINT client{0, 0};
    ClientToScreen(edit, &client);
    // The border is the narrower of the gaps left of and above the client
    // area: a scroll bar may sit on the left, never on top.
    int border = client.x - window.left < client.y - window.top ? client.x - window.left : client.y - window.top;
    if (border <= 0) return;
    bool readOnly = (GetWindowLongA(edit, GWL_STYLE) & ES_READONLY) != 0;
    const COLORREF frames[] = {OuterFrame(edit, frame), InnerFrame(edit, readOnly)};
    RECT box = {0, 0, window.right - window.left, window.bottom - window.top};
    DrawFrames(windowDc, box, frames, border < 2 ? border : 2);
}

}  // namespace platform
