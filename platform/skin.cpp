#include "platform/skin.h"

namespace platform {

void SetSkinScheme(int) {}

}  // namespace platform
