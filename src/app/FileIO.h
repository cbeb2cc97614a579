// Whole-file reads and safe whole-file writes. Files the viewer writes go to a temporary
// file beside the target that is renamed into place, so a failed write never destroys the
// file that was there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// The file's bytes, or none when it cannot be opened or read (a folder counts as unreadable).
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);

// The file-error cause code shown to users for an errno value: ENOENT 2, ENOTDIR 3,
// EMFILE/ENFILE 4, EACCES/EPERM/EROFS/EISDIR 5, ENOSPC 13, anything else 1.
int FileErrorCause(int errnoValue);

// Writes bytes to path through a temporary file in the same folder and a rename.
// Returns 0 on success, else the cause code of FileErrorCause; the target is then untouched.
int WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tessary
