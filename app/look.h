// How the window looks beyond its layout.
#pragma once

#include <windows.h>

#include "app/form.h"

namespace app {

// Handler of the window's created event: the flat skin, blue scheme.
void SwitchOnSkin(HWND form);

// Draws a label engraved: a white copy one pixel right and down, then the
// text in its colour, in the label's own font.
void PaintEngravedLabel(const FormElement& label, const DRAWITEMSTRUCT& item);

}  // namespace app
