#include "many_entries.h"

#include <windows.h>

#include <cstdio>

namespace e2e {
namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// The host's path for a Windows path under Wine; empty elsewhere.
std::string HostPath(const std::string& path) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* unixPath = toUnix(Wide(path, CP_ACP).c_str());
    if (!unixPath) return {};
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::size_t CountEntries(const std::string& folder) {
    std::size_t count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") ++count;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return count;
}

// Wine looks every new name up case-insensitively by reading the whole
// directory, so making n files one by one through Windows costs n squared:
// 100,000 take well over half an hour. Under Wine a host process makes them
// instead (Wine starts host programs through CreateProcess), from a list of
// names in UTF-8, which Wine shows to Windows programs in the ANSI code page.
bool FillThroughHost(const std::string& folder, int count) {
    std::string hostFolder = HostPath(folder);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string namesFile = std::string(temp) + "quorvel-names-" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::string hostNames = HostPath(namesFile);
    if (hostFolder.empty() || hostNames.empty()) return false;

    std::string names;
    for (int index = 0; index < count; ++index) names += Utf8(Wide(GeneratedEntryName(index), CP_ACP)) + "\n";
    HANDLE file = CreateFileA(namesFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, names.data(), static_cast<DWORD>(names.size()), &written, nullptr);
    CloseHandle(file);

    // The host program marks its end with a file, even when it fails: Wine
    // gives back no process handle to wait on for it, nor its exit status.
    std::string doneFile = namesFile + ".done";
    std::string hostDone = HostPath(doneFile);
    std::wstring commandLine =
        L"/usr/bin/python3 -c \"import atexit, os, sys; folder, names, done = sys.argv[1:4]; "
        L"atexit.register(lambda: open(done, 'w').close()); "
        L"[open(os.path.join(folder, name), 'x').close() for name in open(names, encoding='utf-8').read().split('\\n') if name]\" \"" +
        Wide(hostFolder, CP_UTF8) + L"\" \"" + Wide(hostNames, CP_UTF8) + L"\" \"" + Wide(hostDone, CP_UTF8) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process) != FALSE;
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        for (DWORD waited = 0; waited < 10 * 60 * 1000 && GetFileAttributesA(doneFile.c_str()) == INVALID_FILE_ATTRIBUTES;
             waited += 100)
            Sleep(100);
    }
    DeleteFileA(doneFile.c_str());
    DeleteFileA(namesFile.c_str());
    return started && CountEntries(folder) >= static_cast<std::size_t>(count);
}

bool FillThroughWindows(const std::string& folder, int count) {
    bool all = true;
    for (int index = 0; index < count; ++index) {
        std::string path = folder + "\\" + GeneratedEntryName(index);
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) all = false;
        else CloseHandle(file);
    }
    return all;
}

}  // namespace

std::string GeneratedEntryName(int index) {
    // The Chinese patterns are code page 936 bytes, as FindFirstFileA gives
    // them back: "年度报告", "会议纪要", "照片".
    static const char* const kPatterns[] = {
        "2024\xC4\xEA\xB6\xC8\xB1\xA8\xB8\xE6_%06d.docx",
        "IMG_20240101_%06d.jpg",
        "\xBB\xE1\xD2\xE9\xBC\xCD\xD2\xAA %06d.txt",
        "budget (v%06d).xlsx",
        "\xD5\xD5\xC6\xAC_%06d.png",
        "scan_%06d.pdf",
    };
    constexpr int kPatternCount = sizeof kPatterns / sizeof kPatterns[0];
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, kPatterns[index % kPatternCount], index);
    return name;
}

bool FillWithEntries(const std::string& folder, int count) {
    // A few files are made as quickly one by one, and through the same calls
    // as a user's programs would make them.
    constexpr int kManyEntries = 2000;
    if (count >= kManyEntries && FillThroughHost(folder, count)) return true;
    return FillThroughWindows(folder, count);
}

}  // namespace e2e
