// Writing a picture read back from GL as a PNG file with libpng: encoded in memory, then
// written through a temporary file and a rename, so a failed write leaves no half file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// The PNG bytes of an 8-bit RGB picture (alpha dropped) from RGBA pixels, top row first.
// None, with the reason in error, when the size does not match or libpng fails.
std::optional<std::vector<std::uint8_t>> EncodePngRgb(std::span<const std::uint8_t> rgba, int width, int height,
                                                       std::string* error);

// Encodes as above and writes the file. False, with the reason in error, on failure.
bool WritePngFile(const std::string& path, std::span<const std::uint8_t> rgba, int width, int height,
                  std::string* error);

}  // namespace tessary
