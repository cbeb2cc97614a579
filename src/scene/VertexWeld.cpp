// The vertex weld: vertices whose positions coincide in every frame become one, so smooth
// normals run across texture seams. Candidates are found through a hash of each vertex's
// positions over all frames and confirmed by exact comparison, which gives the same mapping
// as comparing every vertex with every earlier one, in time linear in vertices x frames.
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

// Equal coordinates must hash alike: +0.0 and -0.0 compare equal, so they share a pattern.
// NaN equals nothing, so whatever it hashes to, it is never merged.
std::uint64_t CoordinateBits(double value) {
  if (value == 0.0) return 0;
  if (std::isnan(value)) return 0x7ff8000000000000ULL;
  return std::bit_cast<std::uint64_t>(value);
}

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 30;
  h *= 0xbf58476d1ce4e5b9ULL;
  h ^= h >> 27;
  h *= 0x94d049bb133111ebULL;
  h ^= h >> 31;
  return h;
}

bool SameInEveryFrame(const ModelRecord& m, std::size_t a, std::size_t b) {
  for (const auto& frame : m.frames) {
    const Vec3d& p = frame->positions[a];
    const Vec3d& q = frame->positions[b];
    if (!(p[0] == q[0] && p[1] == q[1] && p[2] == q[2])) return false;
  }
  return true;
}

}  // namespace

void WeldVertices(ModelRecord& m) {
  if (m.frames.empty() || !HasConsistentGeometry(m)) return;
  const auto count = static_cast<std::size_t>(m.numVertices);

  std::vector<std::uint64_t> hash(count, 0x243f6a8885a308d3ULL);
  for (const auto& frame : m.frames) {
    for (std::size_t i = 0; i < count; ++i) {
      for (double c : frame->positions[i]) hash[i] = Mix(hash[i] ^ CoordinateBits(c)) + 0x9e3779b97f4a7c15ULL;
    }
  }

  // An open-addressed table holding the first vertex of each group found so far. Equality
  // in every frame is transitive for values that are not NaN, so matching a vertex against
  // the first member of its group is the same as finding its first equal predecessor.
  std::size_t tableSize = 16;
  while (tableSize < 2 * count) tableSize *= 2;
  const std::size_t mask = tableSize - 1;
  constexpr std::uint32_t kEmpty = UINT32_MAX;
  std::vector<std::uint32_t> table(tableSize, kEmpty);

  std::vector<std::int32_t> newIndex(count);
  std::vector<std::size_t> firstOfGroup;  // new index -> the old vertex that opened it
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t slot = Mix(hash[i]) & mask;
    for (;;) {
      const std::uint32_t held = table[slot];
      if (held == kEmpty) {
        table[slot] = static_cast<std::uint32_t>(i);
        newIndex[i] = static_cast<std::int32_t>(firstOfGroup.size());
        firstOfGroup.push_back(i);
        break;
      }
      if (hash[held] == hash[i] && SameInEveryFrame(m, held, i)) {
        newIndex[i] = newIndex[held];
        break;
      }
      slot = (slot + 1) & mask;
    }
  }

  for (auto& tri : m.triangles) {
    for (auto& v : tri.vertex) v = static_cast<std::int16_t>(newIndex[static_cast<std::size_t>(v)]);
  }
  // Groups are numbered in order of first appearance, so group k opened at an old index of
  // at least k: compacting front to back in place never overwrites a vertex still needed.
  for (auto& frame : m.frames) {
    for (std::size_t k = 0; k < firstOfGroup.size(); ++k) {
      frame->positions[k] = frame->positions[firstOfGroup[k]];
      frame->normals[k] = frame->normals[firstOfGroup[k]];
    }
    frame->positions.resize(firstOfGroup.size());
    frame->normals.resize(firstOfGroup.size());
  }
  m.numVertices = static_cast<std::int32_t>(firstOfGroup.size());
}

}  // namespace tessary
