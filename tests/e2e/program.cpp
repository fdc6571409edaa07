#include "program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "app/texts.h"

namespace e2e {
namespace {

// By wide names: the ANSI names of entries outside the code page come back
// with "?" in them and name nothing.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path);
            else DeleteFileW(path.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

void RemoveTree(const std::string& folder) {
    int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    RemoveTree(wide);
}

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    char className[64] = "", title[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (search->className && std::string(className) != search->className) return TRUE;
    if (search->title && std::string(title) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND VisibleWindowOf(DWORD processId, const char* className, const char* title) {
    WindowSearch search{processId, className, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TempFolder::TempFolder(const std::string& nameHint) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    // "测试 文件夹": a test folder, in Chinese.
    path_ = std::string(temp) + "quorvel e2e \xB2\xE2\xCA\xD4 \xCE\xC4\xBC\xFE\xBC\xD0 " +
            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + nameHint;
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

TempFolder::~TempFolder() { RemoveTree(path_); }

std::string ProgramBesideDriver() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string driver(path);
    return driver.substr(0, driver.rfind('\\')) + "\\quorvel.exe";
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

Image CaptureWindow(HWND window) {
    Image image;
    RECT frame{};
    GetWindowRect(window, &frame);
    image.width = frame.right - frame.left;
    image.height = frame.bottom - frame.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, frame.left, frame.top, SRCCOPY);
    GdiFlush();
    const unsigned* source = static_cast<const unsigned*>(bits);
    image.pixels.assign(source, source + static_cast<std::size_t>(image.width) * image.height);
    for (unsigned& pixel : image.pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureWhenPainted(HWND window, DWORD deadlineMs) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kDeadlineMs, &ignored);
    Image last = CaptureWindow(window);
    for (DWORD waited = 0; waited < deadlineMs; waited += 100) {
        Sleep(100);
        Image next = CaptureWindow(window);
        if (next.pixels == last.pixels) return next;
        last = next;
    }
    return last;
}

bool NothingCovers(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const POINT points[] = {{frame.left, frame.top},
                            {frame.right - 1, frame.top},
                            {frame.left, frame.bottom - 1},
                            {frame.right - 1, frame.bottom - 1},
                            {(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2}};
    for (POINT point : points)
        if (GetAncestor(WindowFromPoint(point), GA_ROOT) != window) return false;
    return true;
}

bool SaveBitmap(const Image& image, const std::string& path) {
    BITMAPINFOHEADER header{sizeof header, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD pixelBytes = static_cast<DWORD>(image.pixels.size() * sizeof(unsigned));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + pixelBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char*>(image.pixels.data()), pixelBytes);
    WriteFileBytes(path, bytes);
    return FileExists(path);
}

bool MovePointerTo(POINT point) {
    // The X pointer itself, moved by xdotool (Wine runs Unix programs too).
    // A pointer moved only inside Wine is soon read back from X by Wine and
    // snaps back, so a program asking for the cursor could see the old place.
    // Wine's virtual desktop sits at the X screen's origin.
    std::string command = "/usr/bin/xdotool mousemove " + std::to_string(point.x) + " " + std::to_string(point.y);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (WaitForSingleObject(process.hProcess, kDeadlineMs) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    POINT now{};
    for (DWORD waited = 0; GetCursorPos(&now) && (now.x != point.x || now.y != point.y) && waited < 2000; waited += 10)
        Sleep(10);
    return now.x == point.x && now.y == point.y;
}

Program::Program(const std::string& folder, const std::string& workingFolder, ProgramCopy copy)
    : exePath_(folder + "\\quorvel.exe") {
    if (copy == ProgramCopy::Make) {
        EXPECT_TRUE(CopyFileA(ProgramBesideDriver().c_str(), exePath_.c_str(), FALSE)) << exePath_;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string working = workingFolder.empty() ? std::string(temp) : workingFolder;
    std::string commandLine = "\"" + exePath_ + "\"";
    // A window that opens under the pointer gets a mouse move at once; keep
    // the pointer of an earlier test off the new window.
    EXPECT_TRUE(MovePointerTo({0, 0}));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exePath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, working.c_str(),
                        &startup, &process_)) {
        ADD_FAILURE() << "cannot start " << exePath_ << ": error " << GetLastError();
        return;
    }
    WaitForInputIdle(process_.hProcess, kDeadlineMs);
    for (DWORD waited = 0; !window_ && waited < kDeadlineMs; waited += 50) {
        window_ = VisibleWindowOf(process_.dwProcessId, nullptr, texts::kTitle);
        if (!window_) Sleep(50);
    }
    EXPECT_NE(window_, nullptr) << "no window titled as the program's";
}

Program::~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kDeadlineMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

Controls Program::controls() const {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    EXPECT_EQ(children.size(), 4u);
    children.resize(4, nullptr);
    return {children[0], children[1], children[2], children[3]};
}

bool Program::Click(HWND button, DWORD deadlineMs) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, deadlineMs, &result) != 0;
}

std::string Program::Text(HWND control) const {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kDeadlineMs, &length)) return "<hung>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        kDeadlineMs, &copied);
    text.resize(copied);
    return text;
}

DWORD Program::WaitForExit(DWORD deadlineMs) const {
    WaitForSingleObject(process_.hProcess, deadlineMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace e2e
