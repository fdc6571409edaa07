#include "extract/copy_names.h"

#include "app/form.h"
#include "app/texts.h"
#include "platform/clipboard.h"
#include "platform/control.h"

namespace extract {

void CopyListToClipboard(HWND form) {
    // 1. Read the box. 2. Hand it to the clipboard. 3. The text goes with the scope.
    platform::Text list = platform::GetControlText(app::ElementWindow(form, texts::kListBox));
    platform::SetClipboardText(list.get());
}

}  // namespace extract
