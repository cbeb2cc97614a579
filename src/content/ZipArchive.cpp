// A zip archive read through libzip.
#include "content/ZipArchive.h"

#include <stdlib.h>
#include <time.h>
#include <zip.h>

#include <cstdlib>

namespace tessary {

namespace {
// libzip turns every member's DOS date into local time, and the C library looks at
// /etc/localtime again on each conversion unless TZ is set: 20,000 members cost 20,000
// stat calls. Naming the same zone file explicitly gives the same times without them.
void KeepTimeZoneLoaded() {
  static const bool done = [] {
    if (std::getenv("TZ") == nullptr) ::setenv("TZ", ":/etc/localtime", 0);
    ::tzset();
    return true;
  }();
  (void)done;
}
}  // namespace

std::unique_ptr<ZipArchive> ZipArchive::Open(const std::string& path) {
  KeepTimeZoneLoaded();
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (archive == nullptr) return nullptr;
  return std::unique_ptr<ZipArchive>(new ZipArchive(archive));
}

// Opened read-only, so there is nothing to write back: discard, never close.
ZipArchive::~ZipArchive() { zip_discard(archive_); }

std::int64_t ZipArchive::MemberCount() const { return zip_get_num_entries(archive_, 0); }

std::string ZipArchive::MemberName(std::int64_t index) const {
  const char* name = zip_get_name(archive_, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_RAW);
  return name != nullptr ? std::string(name) : std::string();
}

std::optional<std::vector<std::uint8_t>> ZipArchive::ReadMember(std::int64_t index, std::uint64_t maxBytes) const {
  zip_stat_t stat;
  zip_stat_init(&stat);
  const auto at = static_cast<zip_uint64_t>(index);
  if (zip_stat_index(archive_, at, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 || stat.size > maxBytes)
    return std::nullopt;
  zip_file_t* file = zip_fopen_index(archive_, at, 0);
  if (file == nullptr) return std::nullopt;
  // One byte more than the stated size is asked for, so that a member that unpacks to more
  // than its header says is caught instead of cut short.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.size) + 1);
  std::uint64_t filled = 0;
  bool ok = true;
  while (filled < bytes.size()) {
    const zip_int64_t n = zip_fread(file, bytes.data() + filled, bytes.size() - filled);
    if (n < 0) ok = false;
    if (n <= 0) break;
    filled += static_cast<std::uint64_t>(n);
  }
  // Closing reports a checksum that does not match.
  if (zip_fclose(file) != 0) ok = false;
  if (!ok || filled != stat.size) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(filled));
  return bytes;
}

}  // namespace tessary
