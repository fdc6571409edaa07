#pragma once

namespace platform {

// Hands the address to the shell's "open" action; whether a browser took it
// is not reported.
void OpenWebAddress(const char* address);

}  // namespace platform
