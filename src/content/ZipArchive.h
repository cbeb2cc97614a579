// Read-only access to one zip archive (a game's .pk3) through libzip: the member names are
// read once when it opens, a member's bytes only when asked for.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct zip;

namespace tessary {

class ZipArchive {
 public:
  // The archive at path, or none when it cannot be opened or is not a zip archive.
  static std::unique_ptr<ZipArchive> Open(const std::string& path);
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  std::int64_t MemberCount() const;
  // The member's name as stored (bytes, no encoding applied); "" when it has none.
  std::string MemberName(std::int64_t index) const;
  // The member's bytes; none when it cannot be read, fails its checksum, or would be
  // larger than maxBytes once unpacked.
  std::optional<std::vector<std::uint8_t>> ReadMember(std::int64_t index, std::uint64_t maxBytes) const;

 private:
  explicit ZipArchive(zip* archive) : archive_(archive) {}
  zip* archive_;
};

}  // namespace tessary
