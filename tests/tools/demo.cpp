// Shows the program's main job on a machine with no screen to look at:
// starts quorvel.exe in a folder, clicks the list button, prints the list
// and saves a picture of the window.
//   quorvel_demo.exe FOLDER PICTURE.bmp
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/program.h"

namespace {

// The terminal reading us speaks UTF-8; the program's texts are code page 936.
void PrintUtf8(const std::string& text936) {
    int wideLength = MultiByteToWideChar(936, 0, text936.data(), static_cast<int>(text936.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(936, 0, text936.data(), static_cast<int>(text936.size()), wide.data(), wideLength);
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvel_demo FOLDER PICTURE.bmp\n");
        return 2;
    }
    e2e::Program program(argv[1]);
    if (!program.window()) return 1;
    e2e::Controls controls = program.controls();
    program.Click(controls.listButton);
    Sleep(300);  // let the window repaint before the picture
    std::printf("The list shown in the window:\n");
    PrintUtf8(program.Text(controls.listBox));
    std::printf("\n");
    bool saved = e2e::SaveBitmap(e2e::CaptureWindow(program.window()), argv[2]);
    PostMessageA(program.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD status = program.WaitForExit();
    std::printf("quorvel.exe ended with status %lu\n", status);
    std::fflush(stdout);
    return saved && status == 0 ? 0 : 1;
}
