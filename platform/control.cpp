#include "platform/control.h"

namespace platform {

void SetControlText(HWND control, const char* text) {
    // A multi-line box redraws its scroll bars on the spot each time it sets
    // their range, several times per new text; under Wine each such redraw
    // costs milliseconds. With redrawing off the box only lays out the text,
    // and one repaint afterwards draws text and scroll bars together. Wine's
    // edit box ignores WM_SETREDRAW, so the default handling, which is what
    // the message does for any window, is asked directly.
    bool shown = (GetWindowLongPtrA(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown) DefWindowProcA(control, WM_SETREDRAW, FALSE, 0);
    SetWindowTextA(control, TextOrEmpty(text));
    if (!shown) return;
    DefWindowProcA(control, WM_SETREDRAW, TRUE, 0);
    // Redrawing on again paints nothing by itself; the frame holds the bars.
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

Text GetControlText(HWND control) {
    int length = GetWindowTextLengthA(control);
    if (length < 0) length = 0;
    Text text(static_cast<char*>(AllocateOrDie(static_cast<std::size_t>(length) + 1)));
    int copied = GetWindowTextA(control, text.get(), length + 1);
    text[copied > 0 ? copied : 0] = '\0';
    return text;
}

}  // namespace platform
