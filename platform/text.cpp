#include "platform/text.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace platform {

void FreeDeleter::operator()(void* block) const { std::free(block); }

void FatalExit(const char* reason) {
    // A GUI program normally has no stderr; when it does (started from a
    // console or a test), write there instead of blocking on a message box.
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (err && err != INVALID_HANDLE_VALUE &&
        WriteFile(err, reason, static_cast<DWORD>(std::strlen(reason)), &written, nullptr)) {
        WriteFile(err, "\r\n", 2, &written, nullptr);
    } else {
        MessageBoxA(nullptr, reason, "Quorvel", MB_ICONERROR | MB_OK | MB_TASKMODAL);
    }
    ExitProcess(static_cast<UINT>(-1));
}

void* AllocateOrDie(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (!block) FatalExit("Quorvel: out of memory");
    return block;
}

Text JoinTexts(std::initializer_list<const char*> parts) {
    std::size_t total = 0;
    for (const char* part : parts) {
        std::size_t length = std::strlen(TextOrEmpty(part));
        if (total + length < total) FatalExit("Quorvel: out of memory");
        total += length;
    }
    if (total + 1 == 0) FatalExit("Quorvel: out of memory");
    Text joined(static_cast<char*>(AllocateOrDie(total + 1)));
    char* end = joined.get();
    for (const char* part : parts) {
        std::size_t length = std::strlen(TextOrEmpty(part));
        std::memcpy(end, TextOrEmpty(part), length);
        end += length;
    }
    *end = '\0';
    return joined;
}

Text BytesToText(const Bytes& buffer) {
    if (!buffer.data || buffer.length == 0) return nullptr;
    const void* zero = std::memchr(buffer.data.get(), 0, buffer.length);
    std::size_t length = zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer.data.get())
                              : buffer.length;
    Text text(static_cast<char*>(AllocateOrDie(length + 1)));
    std::memcpy(text.get(), buffer.data.get(), length);
    text[length] = '\0';
    return text;
}

}  // namespace platform
