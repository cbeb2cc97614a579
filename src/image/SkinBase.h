// The skin base: the texture-coordinate layout of the visible models drawn as white
// antialiased lines on a black 256 x 256 picture, saved as a 24-bit BMP.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "scene/Scene.h"

namespace tessary {

inline constexpr int kSkinBaseSize = 256;

// Pixels 0x00RRGGBB, row 0 first, element y * 256 + x.
std::vector<std::uint32_t> DrawSkinBase(const Scene& scene);

// The whole 196,662-byte BMP file for a canvas.
std::vector<std::uint8_t> EncodeSkinBaseBmp(const std::vector<std::uint32_t>& canvas);

// The "Skinbase (*.bmp)" command.
void ExportSkinBase(Workspace& ws);

}  // namespace tessary
