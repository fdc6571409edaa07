// The folder that holds the executable, without a trailing backslash.
#pragma once

#include "platform/text.h"

namespace platform {

// Everything before the path's last backslash, stepping over double-byte
// characters of the ANSI code page so that a trail byte of 0x5C is never
// taken for one. No backslash gives the empty text.
Text RunDirectoryOf(const char* modulePath);

// The run directory of this process, a fresh copy on each call.
Text RunDirectory();

}  // namespace platform
