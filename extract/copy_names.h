#pragma once

#include <windows.h>

namespace extract {

// Puts the list box's text on the clipboard as CF_TEXT.
void CopyListToClipboard(HWND form);

}  // namespace extract
