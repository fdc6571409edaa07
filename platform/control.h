// The text of a window or control.
#pragma once

#include <windows.h>

#include "platform/text.h"

namespace platform {

// Replaces the whole content; a missing text empties it. A shown control is
// repainted once afterwards, at the next paint, rather than while it changes.
void SetControlText(HWND control, const char* text);

// A new text with the current content; empty, never missing, for no content.
Text GetControlText(HWND control);

}  // namespace platform
