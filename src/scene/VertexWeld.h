// The plan of a vertex weld: the MD3 parser welds a surface's 16-bit vertices before it
// converts them, so that only the vertices that stay are converted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessary {

// Vertex i of the old numbering becomes newIndex[i]; new vertex k is a copy of old vertex
// kept[k], the first of its group. New numbers follow the order of first appearance.
struct WeldPlan {
  std::vector<std::int32_t> newIndex;
  std::vector<std::uint32_t> kept;
};

// The weld of an MD3 vertex table: frames x count entries of 8 bytes (x, y, z as 16-bit
// little-endian integers, then the packed normal, which plays no part). Two vertices are one
// when their x, y and z are equal in every frame. The table must hold frames x count entries.
WeldPlan PlanMd3VertexWeld(const std::uint8_t* table, std::size_t count, std::size_t frames);

}  // namespace tessary
