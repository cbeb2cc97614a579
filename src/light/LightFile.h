// The .lgt light file: one light, little-endian, "LGT0", name length, name, colours,
// position, direction, attenuation and spot values (106 + name length bytes).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/Workspace.h"
#include "light/LightRecord.h"

namespace tessary {

inline constexpr const char* kLightFileFilter = "Tessary Light (*.lgt)|*.lgt|All Files (*.*)|*.*";
inline constexpr const char* kNotALightFileMessage =
    "This file does not appear to be a Light format file!";
inline constexpr const char* kUnableToOpenLightMessage = "Unable to open the file specified!";
inline constexpr const char* kUnableToCreateLightMessage = "Unable to create the file specified!";

// The most of a light file ever read: magic, name length, the longest name and the fixed
// fields after it. Anything beyond is not part of the light and is left unread.
inline constexpr std::size_t kLightFileReadLimit = 4 + 2 + 4094 + 100;

std::vector<std::uint8_t> EncodeLightFile(const LightRecord& light);
// The light in a file's bytes (enabled 1), or none when the bytes are not a light file.
std::optional<LightRecord> DecodeLightFile(std::span<const std::uint8_t> bytes);

// "Export to LGT" and "Import from LGT".
void ExportLight(Workspace& ws);
void ImportLight(Workspace& ws);

}  // namespace tessary
