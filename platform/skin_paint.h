// The drawing of skinned controls, given the scheme's frame colour.
#pragma once

#include <windows.h>

namespace platform {

// The push button's whole face: frames, fill, caption, focus.
void PaintFlatButton(HWND button, HDC dc, COLORREF frame);

// The edit box's border, painted over the platform's sunken edge in a DC
// whose origin is the window's top-left corner.
void PaintEditBorder(HWND edit, HDC windowDc, COLORREF frame);

}  // namespace platform
