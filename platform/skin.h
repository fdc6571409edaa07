// A flat look for the thread's push buttons and edit boxes, in one of three
// colour schemes.
#pragma once

#include <windows.h>

namespace platform {

// 1 blue, 2 olive green, 3 silver. Removes any skin applied before, then
// skins every window of the calling thread and each one it creates later.
// Any other number only removes the skin.
void SetSkinScheme(int scheme);

// How many skins the control's window procedure chain carries: 0 or 1 unless
// something went wrong. Asked through the chain itself, so it counts what is
// installed, not what the facility believes it installed.
int SkinLayerCount(HWND control);

}  // namespace platform
