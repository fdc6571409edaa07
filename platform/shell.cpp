#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/text.h"

namespace platform {

void OpenWebAddress(const char* address) {
    ShellExecuteA(nullptr, "open", TextOrEmpty(address), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform
