// The skin base: the texture-coordinate layout of the visible models drawn as white
// antialiased lines on a black 256 x 256 picture, saved as a 24-bit BMP.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "scene/Scene.h"

namespace tessary {

inline constexpr int kSkinBaseSize = 256;
inline constexpr std::size_t kSkinBaseFileSize = 54 + 256 * 256 * 3;

// One line by Wu's algorithm with a 16-bit error accumulator, on a canvas of 0x00RRGGBB
// pixels, element y * width + x. Pixels outside width x height are skipped one by one, so
// every pixel inside gets exactly what the algorithm gives it.
void DrawAntialiasedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                         std::span<std::uint32_t> canvas, int width, int height, std::uint32_t colour);

// Pixels 0x00RRGGBB, row 0 first, element y * 256 + x.
std::vector<std::uint32_t> DrawSkinBase(const Scene& scene);

// The whole 196,662-byte BMP file for a canvas.
std::vector<std::uint8_t> EncodeSkinBaseBmp(const std::vector<std::uint32_t>& canvas);

// The "Skinbase (*.bmp)" command.
void ExportSkinBase(Workspace& ws);

// `tessary --export-skinbase OUT [--base DIR] FILE...`: loads the files without a window or
// GL, every model visible, and writes the skin base to out. 0 on success (messages about
// images go to err but do not stop it); 1 with the message on err when DIR cannot be the
// base folder, a file does not load or the picture cannot be written.
int ExportSkinBaseCommandLine(const std::vector<std::string>& files, const std::optional<std::string>& baseFolder,
                              const std::string& out, std::ostream& err);

}  // namespace tessary
