#include "platform/clipboard.h"

#include <windows.h>

#include <cstring>

#include "platform/text.h"

namespace platform {

bool SetClipboardText(const char* text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    std::size_t size = std::strlen(TextOrEmpty(text)) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    bool placed = false;
    if (block) {
        if (void* bytes = GlobalLock(block)) {
            std::memcpy(bytes, TextOrEmpty(text), size);
            GlobalUnlock(block);
        }
        // The clipboard owns the block only once it has taken it.
        placed = SetClipboardData(CF_TEXT, block) != nullptr;
        if (!placed) GlobalFree(block);
    }
    CloseClipboard();
    return placed;
}

}  // namespace platform
