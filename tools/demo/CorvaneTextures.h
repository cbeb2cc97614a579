// The demo figure's textures, painted so that the texture layout can be read on the model:
// every part has its own panel with seams and a grid, plus a few details (knee pads, belt
// buckle, chest badge, a face). One image per file format the viewer reads.
#pragma once

#include <cstdint>
#include <vector>

namespace tessary::demo {

std::vector<std::uint8_t> MakeLowerPcx();  // 8-bit run-length PCX, version 5, palette at the end
std::vector<std::uint8_t> MakeUpperBmp();  // 24-bit BMP
std::vector<std::uint8_t> MakeHeadTga();   // run-length TGA (type 10), 24-bit

}  // namespace tessary::demo
