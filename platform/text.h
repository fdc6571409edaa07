// Texts are NUL-terminated byte strings in the ANSI code page (936 on the
// systems this program is made for). A missing text is a null Text and reads
// as the empty text everywhere.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>

namespace platform {

struct FreeDeleter {
    void operator()(void* block) const;
};

using Text = std::unique_ptr<char[], FreeDeleter>;

// A length and that many bytes, no terminator. A missing buffer is empty.
struct Bytes {
    std::unique_ptr<char[], FreeDeleter> data;
    std::size_t length = 0;
};

// Ends the process with exit status -1 after a one-line report. Used only for
// running out of memory and for a window that cannot be made: there is no
// way to go on from either.
[[noreturn]] void FatalExit(const char* reason);

// malloc that never returns null: exhaustion is fatal.
void* AllocateOrDie(std::size_t size);

// Reads a possibly missing text.
inline const char* TextOrEmpty(const char* text) { return text ? text : ""; }

// A new text made of the parts in order; null parts add nothing.
Text JoinTexts(std::initializer_list<const char*> parts);

// The buffer's bytes up to the first zero byte, or all of them; an empty or
// missing buffer gives a missing text.
Text BytesToText(const Bytes& buffer);

}  // namespace platform
