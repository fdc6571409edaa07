#include "platform/file.h"

#include <cstring>

namespace platform {

HANDLE OpenForWriting(const char* path) {
    HANDLE file = CreateFileA(TextOrEmpty(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

void WriteText(HANDLE file, const char* text) {
    if (!file) return;
    DWORD written = 0;
    WriteFile(file, TextOrEmpty(text), static_cast<DWORD>(std::strlen(TextOrEmpty(text))), &written, nullptr);
}

void CloseFile(HANDLE file) {
    if (file) CloseHandle(file);
}

bool DeleteFileAt(const char* path) { return DeleteFileA(TextOrEmpty(path)) != FALSE; }

Bytes ReadWholeFile(const char* path) {
    Bytes buffer;
    HANDLE file = CreateFileA(TextOrEmpty(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return buffer;

    LARGE_INTEGER size{};
    // ReadFile takes a DWORD count; a listing of 4 GB is not one we can show.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < MAXDWORD) {
        DWORD wanted = static_cast<DWORD>(size.QuadPart);
        DWORD received = 0;
        buffer.data.reset(static_cast<char*>(AllocateOrDie(wanted)));
        if (ReadFile(file, buffer.data.get(), wanted, &received, nullptr)) buffer.length = received;
        if (buffer.length == 0) buffer.data.reset();
    }
    CloseHandle(file);
    return buffer;
}

}  // namespace platform
