#include "platform/run_directory.h"

#include <windows.h>

#include <cstring>

namespace platform {

Text RunDirectoryOf(const char* modulePath) {
    const char* path = TextOrEmpty(modulePath);
    const char* lastBackslash = nullptr;
    for (const char* at = path; *at;) {
        if (IsDBCSLeadByte(static_cast<BYTE>(*at)) && at[1]) {
            at += 2;
            continue;
        }
        if (*at == '\\') lastBackslash = at;
        ++at;
    }
    std::size_t length = lastBackslash ? static_cast<std::size_t>(lastBackslash - path) : 0;
    Text directory(static_cast<char*>(AllocateOrDie(length + 1)));
    std::memcpy(directory.get(), path, length);
    directory[length] = '\0';
    return directory;
}

Text RunDirectory() {
    char modulePath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
    // Older systems leave a path that fills the buffer unterminated.
    modulePath[sizeof modulePath - 1] = '\0';
    return RunDirectoryOf(modulePath);
}

}  // namespace platform
