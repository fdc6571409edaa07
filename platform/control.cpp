#include "platform/control.h"

namespace platform {

void SetControlText(HWND control, const char* text) { SetWindowTextA(control, TextOrEmpty(text)); }

Text GetControlText(HWND control) {
    int length = GetWindowTextLengthA(control);
    if (length < 0) length = 0;
    Text text(static_cast<char*>(AllocateOrDie(static_cast<std::size_t>(length) + 1)));
    int copied = GetWindowTextA(control, text.get(), length + 1);
    text[copied > 0 ? copied : 0] = '\0';
    return text;
}

}  // namespace platform
