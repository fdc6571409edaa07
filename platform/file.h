// Files by ANSI path. Each operation reports failure only by its result.
#pragma once

#include <windows.h>

#include "platform/text.h"

namespace platform {

// Creates the file or truncates it, for writing, shared for reading and
// writing. INVALID_HANDLE_VALUE is turned into null so that "no handle" has
// one spelling.
HANDLE OpenForWriting(const char* path);

// Writes the text's bytes at the current position: no terminator, no line end.
void WriteText(HANDLE file, const char* text);

void CloseFile(HANDLE file);

bool DeleteFileAt(const char* path);

// The whole file, or an empty buffer if it cannot be opened or is empty.
Bytes ReadWholeFile(const char* path);

}  // namespace platform
