// Whole-file reads and temporary-file-and-rename writes.
#include "app/FileIO.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessary {

namespace {

// An open file descriptor, closed when it goes out of scope.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

std::optional<std::vector<std::uint8_t>> Fail(ReadFailure why, ReadFailure* failure) {
  if (failure != nullptr) *failure = why;
  return std::nullopt;
}

// Reads up to maxBytes of a regular file. wholeOnly: a longer file is refused instead of
// being read in part.
std::optional<std::vector<std::uint8_t>> ReadRegularFile(const std::string& path, std::uint64_t maxBytes,
                                                         bool wholeOnly, ReadFailure* failure) {
  if (failure != nullptr) *failure = ReadFailure::None;
  // O_NONBLOCK: opening a pipe that has no writer (or a device) must not wait; whatever it
  // is, fstat tells it apart from a regular file before a single byte is read.
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.fd() < 0) return Fail(ReadFailure::CannotOpen, failure);
  struct stat st {};
  if (::fstat(file.fd(), &st) != 0 || !S_ISREG(st.st_mode)) return Fail(ReadFailure::CannotOpen, failure);
  const auto size = static_cast<std::uint64_t>(st.st_size);
  if (wholeOnly && size > maxBytes) return Fail(ReadFailure::TooLarge, failure);
  // A regular file never blocks, but its reads should not return short for want of data.
  const int flags = ::fcntl(file.fd(), F_GETFL);
  if (flags >= 0) ::fcntl(file.fd(), F_SETFL, flags & ~O_NONBLOCK);

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::min(size, maxBytes)));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.fd(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(ReadFailure::ReadError, failure);
    }
    if (n == 0) break;  // the file shrank since fstat: keep what is there
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::uint64_t maxBytes,
                                                       ReadFailure* failure) {
  return ReadRegularFile(path, maxBytes, true, failure);
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::string& path, std::uint64_t maxBytes,
                                                       ReadFailure* failure) {
  return ReadRegularFile(path, maxBytes, false, failure);
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int FileErrorCause(int errnoValue) {
  switch (errnoValue) {
    case ENOENT: return 2;
    case ENOTDIR: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return 5;
    case ENOSPC: return 13;
    default: return 1;
  }
}

namespace {

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

int WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) return FileErrorCause(ENOENT);
  struct stat target {};
  if (::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) return FileErrorCause(EISDIR);

  std::string temp = FolderOf(path) + "/.tessary-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return FileErrorCause(errno);
  // mkstemp makes the file readable by its owner only; give it the usual permissions.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);

  int cause = 0;
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0) cause = FileErrorCause(errno);
  if (::close(fd) != 0 && cause == 0) cause = FileErrorCause(errno);
  if (cause == 0 && ::rename(temp.c_str(), path.c_str()) != 0) cause = FileErrorCause(errno);
  if (cause != 0) ::unlink(temp.c_str());
  return cause;
}

}  // namespace tessary
