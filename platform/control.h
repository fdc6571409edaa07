// The text of a window or control.
#pragma once

#include <windows.h>

#include "platform/text.h"

namespace platform {

// Replaces the whole content; a missing text empties it.
void SetControlText(HWND control, const char* text);

// A new text with the current content; empty, never missing, for no content.
Text GetControlText(HWND control);

}  // namespace platform
