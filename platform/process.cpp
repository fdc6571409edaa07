#include "platform/process.h"

#include <windows.h>

#include "platform/text.h"

namespace platform {

bool RunHiddenAndWait(const char* commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};

    // CreateProcessA may write into its command line, so it gets a copy.
    Text writable = JoinTexts({commandLine});
    if (!CreateProcessA(nullptr, writable.get(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace platform
