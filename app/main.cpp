#include <windows.h>

#include "app/main_form.h"
#include "platform/run_directory.h"
#include "platform/text.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // 1-2. The run directory; 3. every process we start inherits it as the
    // current directory, which is where the listing script writes. It is set
    // with a closing backslash: a drive's root is "Q:" as a run directory, and
    // "Q:" alone names the drive's current folder, which a command prompt may
    // have left in a sub-folder; "Q:\" is the root itself.
    SetCurrentDirectoryA(platform::JoinTexts({platform::RunDirectory().get(), "\\"}).get());

    // 4. The window.
    HWND window = app::LoadForm(app::kMainForm, instance);
    if (!window) platform::FatalExit("Quorvel: the main window could not be created");

    // 5. Until the window is gone; the dialog manager gives the buttons Tab
    // and Space as their tab stops promise.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // 6.
    return 0;
}
