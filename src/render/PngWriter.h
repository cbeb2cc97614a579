// Writing a picture read back from GL as a PNG file with libpng: encoded in memory, then
// written through a temporary file and a rename, so a failed write leaves no half file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tessary {

// Whether a picture keeps its alpha channel in the file (a preview on a transparent
// background) or drops it (a picture of the view, which is opaque).
enum class PngChannels { Rgb, Rgba };

// The PNG bytes of an 8-bit picture from RGBA pixels, top row first. None, with the reason
// in error, when the size does not match or libpng fails.
std::optional<std::vector<std::uint8_t>> EncodePng(std::span<const std::uint8_t> rgba, int width, int height,
                                                    PngChannels channels, std::string* error);

// Encodes as above and writes the file. False, with the reason in error, on failure.
bool WritePngFile(const std::string& path, std::span<const std::uint8_t> rgba, int width, int height,
                  std::string* error, PngChannels channels = PngChannels::Rgb);

}  // namespace tessary
