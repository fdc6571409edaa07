// A flat look for the thread's push buttons and edit boxes, in one of three
// colour schemes.
#pragma once

namespace platform {

// 1 blue, 2 olive green, 3 silver. Removes any skin applied before, then
// skins every window of the calling thread and each one it creates later.
// Any other number only removes the skin.
void SetSkinScheme(int scheme);

}  // namespace platform
