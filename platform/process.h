#pragma once

namespace platform {

// Starts the command line with its window hidden, in this process's current
// directory and environment, and waits for it to end. True if it was started.
bool RunHiddenAndWait(const char* commandLine);

}  // namespace platform
