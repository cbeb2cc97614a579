// Whole-file reads and safe whole-file writes. Reads take regular files only and never more
// than the caller's limit, so a pipe, a device or a huge file can neither block the viewer
// nor make it allocate what it cannot hold. Files the viewer writes go to a temporary file
// beside the target that is renamed into place, so a failed write never destroys the file
// that was there.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// What a read that gave no bytes ran into.
enum class ReadFailure {
  None,
  CannotOpen,  // missing, not permitted, or not a regular file (folder, pipe, device, socket)
  TooLarge,    // a regular file longer than the reader's limit
  ReadError,   // the read itself failed
};

// The largest file ReadWholeFile takes unless the caller names its own limit.
inline constexpr std::uint64_t kDefaultReadLimit = std::uint64_t{256} << 20;

// The bytes of a regular file no longer than maxBytes, or none (with the reason in
// *failure when given). The file is opened so that a pipe or device cannot block, and its
// size is checked before anything is allocated.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::uint64_t maxBytes = kDefaultReadLimit,
                                                       ReadFailure* failure = nullptr);

// The first maxBytes bytes of a regular file (all of it when it is shorter), for a reader
// whose format never needs more; the rest of a longer file is not read.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path, std::uint64_t maxBytes,
                                                       ReadFailure* failure = nullptr);

// Whether path names a regular file (after following links); a folder, a device or a
// missing file does not count.
bool IsRegularFile(const std::string& path);

// The file-error cause code shown to users for an errno value: ENOENT 2, ENOTDIR 3,
// EMFILE/ENFILE 4, EACCES/EPERM/EROFS/EISDIR 5, ENOSPC 13, anything else 1.
int FileErrorCause(int errnoValue);

// Writes bytes to path through a temporary file in the same folder and a rename.
// Returns 0 on success, else the cause code of FileErrorCause; the target is then untouched.
int WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace tessary
