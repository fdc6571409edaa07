#pragma once

namespace platform {

// Replaces the clipboard's content with the text as CF_TEXT, opened with no
// owner. False, with the clipboard untouched, if another program holds it.
bool SetClipboardText(const char* text);

}  // namespace platform
