// A bounds-checked little-endian reader over a byte buffer, used by the MD3 parser. Every
// read checks its range; a read outside the buffer returns zero and marks the reader as
// failed, so no malformed offset can make the parser touch memory it does not own.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

namespace tessary {

class Md3ByteReader {
 public:
  explicit Md3ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t Size() const { return bytes_.size(); }
  // The bytes themselves, for loops over a table whose bounds were checked with Fits.
  const std::uint8_t* Data() const { return bytes_.data(); }
  // True once any read has fallen outside the buffer.
  bool Failed() const { return failed_; }

  // True when count elements of elementSize bytes starting at offset lie inside the buffer.
  // Written with a division so that no product of counts can overflow.
  bool Fits(std::int64_t offset, std::uint64_t count, std::uint64_t elementSize) const {
    if (offset < 0 || static_cast<std::uint64_t>(offset) > Size()) return false;
    if (count == 0 || elementSize == 0) return true;
    return count <= (Size() - static_cast<std::uint64_t>(offset)) / elementSize;
  }

  std::int32_t I32(std::int64_t offset) {
    const std::uint8_t* p = At(offset, 4);
    if (p == nullptr) return 0;
    const std::uint32_t v = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                            (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return static_cast<std::int32_t>(v);
  }

  std::int16_t I16(std::int64_t offset) {
    const std::uint8_t* p = At(offset, 2);
    if (p == nullptr) return 0;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
  }

  float F32(std::int64_t offset) { return std::bit_cast<float>(I32(offset)); }

  // The text of a fixed-width field up to its first zero byte (all of it when it has none).
  std::string FixedString(std::int64_t offset, std::size_t width) {
    const std::uint8_t* p = At(offset, width);
    if (p == nullptr) return {};
    std::size_t length = 0;
    while (length < width && p[length] != 0) ++length;
    return std::string(reinterpret_cast<const char*>(p), length);
  }

  // True when the bytes at offset are exactly text; false (without failing) when they differ.
  bool Matches(std::int64_t offset, std::string_view text) {
    const std::uint8_t* p = At(offset, text.size());
    return p != nullptr && std::memcmp(p, text.data(), text.size()) == 0;
  }

 private:
  const std::uint8_t* At(std::int64_t offset, std::uint64_t length) {
    if (!Fits(offset, length, 1)) {
      failed_ = true;
      return nullptr;
    }
    return bytes_.data() + offset;
  }

  std::span<const std::uint8_t> bytes_;
  bool failed_ = false;
};

}  // namespace tessary
