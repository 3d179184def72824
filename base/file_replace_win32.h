// The Windows half of a file that replaces its target only once complete, shared by the
// program's export and the command line's outputs: a new temporary file in the target's
// folder under a name no other program can predict, and the move over the target. The header
// itself needs no <windows.h>.
#pragma once

#include <cstddef>

namespace zv::win32 {

// "~zv", 16 hex digits and ".tmp".
inline constexpr std::size_t kTemporaryNameLength = 23;

// Creates a new file (never one that exists, whoever made it) beside `target` and puts its
// path in `temporary`, which must hold the target's folder, the name and a NUL. Returns its
// handle (a HANDLE opened for writing), or null when it cannot be made.
void* CreateTemporaryBeside(const wchar_t* target, wchar_t* temporary, std::size_t capacity);

// Moves the complete temporary file over the target, written through to the disk.
bool ReplaceWithTemporary(const wchar_t* temporary, const wchar_t* target);

}  // namespace zv::win32
