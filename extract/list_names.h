#pragma once

#include <windows.h>

namespace extract {

// Fills the list box with the names of the entries of the run directory, as
// the command interpreter's DIR /B prints them.
void ListFolderNames(HWND form);

}  // namespace extract
