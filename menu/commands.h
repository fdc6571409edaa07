// The pop-up menu over the version label and its three commands.
#pragma once

#include <windows.h>

namespace menu {

void PopUpMainMenu(HWND form);
void CloseMainWindow(HWND form);
void OpenUpdatePage(HWND form);
void OpenAboutPage(HWND form);

}  // namespace menu
