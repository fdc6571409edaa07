// Drives the real quorvel.exe as a user would: a copy in a folder of its
// own, started from elsewhere, found by its title, clicked and read through
// window messages. Every wait has a deadline.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr DWORD kDeadlineMs = 30000;

// A fresh folder under the temporary folder, removed with all it holds.
// Its name has spaces and Chinese characters, as users' folders do.
class TempFolder {
public:
    explicit TempFolder(const std::string& nameHint = "");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ProgramBesideDriver();
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// Names in the folder as FindFirstFile sees them, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder);
std::vector<std::string> SplitLines(const std::string& text);

// The window's pixels as the screen shows them, top-down, 0x00RRGGBB.
struct Image {
    int width = 0, height = 0;
    std::vector<unsigned> pixels;
    unsigned at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
Image CaptureWindow(HWND window);
// Captures until two pictures a moment apart agree, so that the window has
// painted and Wine has put it on the screen; the last picture at the deadline.
Image CaptureWhenPainted(HWND window, DWORD deadlineMs = 3000);
// Whether the window is the top one at its corners and centre, so a capture
// of the screen shows it and nothing else.
bool NothingCovers(HWND window);
bool SaveBitmap(const Image& image, const std::string& path);

// A visible top-level window of the process, of the class and with the
// title where they are given; null if there is none.
HWND VisibleWindowOf(DWORD processId, const char* className = nullptr, const char* title = nullptr);

// Moves the real pointer, as the mouse would, and waits until it is there.
bool MovePointerTo(POINT point);

// The program's controls in creation order.
struct Controls {
    HWND versionLabel, copyButton, listBox, listButton;
};

// Whether the program's copy is made in its folder or already lies there,
// as in a folder that the test cannot write to.
enum class ProgramCopy { Make, AlreadyThere };

class Program {
public:
    // Copies quorvel.exe into the folder and starts it there with another
    // working folder, as a shortcut would, then waits for its window.
    explicit Program(const std::string& folder, const std::string& workingFolder = "",
                     ProgramCopy copy = ProgramCopy::Make);
    ~Program();  // ends the process if a test left it running
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND window() const { return window_; }
    Controls controls() const;
    // Sends the click and waits until the handler has returned; false if it
    // has not returned by the deadline.
    bool Click(HWND button, DWORD deadlineMs = kDeadlineMs) const;
    std::string Text(HWND control) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD deadlineMs = kDeadlineMs) const;
    const std::string& exePath() const { return exePath_; }
    // For figures about the running program, such as its memory.
    HANDLE process() const { return process_.hProcess; }

private:
    std::string exePath_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

}  // namespace e2e
