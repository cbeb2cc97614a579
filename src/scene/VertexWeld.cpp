// The vertex weld: vertices whose positions coincide in every frame become one, so smooth
// normals run across texture seams. Candidates are found through a hash of each vertex's
// positions over all frames and confirmed by exact comparison, which gives the same mapping
// as comparing every vertex with every earlier one, in time linear in vertices x frames.
// The parser welds the file's 16-bit triples, where equal values are equal bits and the
// comparison is one integer compare per frame; records already in floats weld the same way.
#include "scene/VertexWeld.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

constexpr std::uint64_t kHashSeed = 0x243f6a8885a308d3ULL;
constexpr std::uint64_t kHashStep = 0x9e3779b97f4a7c15ULL;

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 30;
  h *= 0xbf58476d1ce4e5b9ULL;
  h ^= h >> 27;
  h *= 0x94d049bb133111ebULL;
  h ^= h >> 31;
  return h;
}

// Folds one frame's value of a vertex into its running hash. Equal values give equal hashes;
// Mix spreads the result once all frames are in.
std::uint64_t Fold(std::uint64_t hash, std::uint64_t value) { return (hash ^ value) * kHashStep; }

// Groups the vertices by hash, confirming each match with same(first of group, vertex).
// Equality in every frame is transitive (for values that are not NaN), so matching a vertex
// against the first member of its group is the same as finding its first equal predecessor.
template <typename Same>
WeldPlan PlanFromHashes(const std::vector<std::uint64_t>& hash, Same same) {
  const std::size_t count = hash.size();
  std::size_t tableSize = 16;
  while (tableSize < 2 * count) tableSize *= 2;
  const std::size_t mask = tableSize - 1;
  constexpr std::uint32_t kEmpty = UINT32_MAX;
  std::vector<std::uint32_t> table(tableSize, kEmpty);

  WeldPlan plan;
  plan.newIndex.resize(count);
  plan.kept.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t slot = Mix(hash[i]) & mask;; slot = (slot + 1) & mask) {
      const std::uint32_t held = table[slot];
      if (held == kEmpty) {
        table[slot] = static_cast<std::uint32_t>(i);
        plan.newIndex[i] = static_cast<std::int32_t>(plan.kept.size());
        plan.kept.push_back(static_cast<std::uint32_t>(i));
        break;
      }
      if (hash[held] == hash[i] && same(held, i)) {
        plan.newIndex[i] = plan.newIndex[held];
        break;
      }
    }
  }
  plan.kept.shrink_to_fit();
  return plan;
}

// x, y and z of one table entry as one number (the packed normal left out).
std::uint64_t Md3Triple(const std::uint8_t* entry) {
  std::uint64_t value = 0;
  std::memcpy(&value, entry, sizeof value);
  if constexpr (std::endian::native == std::endian::big) value = __builtin_bswap64(value);
  return value & 0xFFFF'FFFF'FFFFULL;
}

// Equal floats must hash alike: +0.0 and -0.0 compare equal, so they share a pattern. NaN
// equals nothing, so whatever it hashes to, it is never merged.
std::uint64_t CoordinateBits(float value) {
  if (value == 0.0f) return 0;
  if (std::isnan(value)) return 0x7fc00000u;
  return std::bit_cast<std::uint32_t>(value);
}

}  // namespace

WeldPlan PlanMd3VertexWeld(const std::uint8_t* table, std::size_t count, std::size_t frames) {
  std::vector<std::uint64_t> hash(count, kHashSeed);
  const std::size_t frameBytes = count * 8;
  for (std::size_t f = 0; f < frames; ++f) {
    const std::uint8_t* entries = table + f * frameBytes;
    for (std::size_t i = 0; i < count; ++i) hash[i] = Fold(hash[i], Md3Triple(entries + 8 * i));
  }
  return PlanFromHashes(hash, [&](std::size_t a, std::size_t b) {
    for (std::size_t f = 0; f < frames; ++f) {
      const std::uint8_t* entries = table + f * frameBytes;
      if (Md3Triple(entries + 8 * a) != Md3Triple(entries + 8 * b)) return false;
    }
    return true;
  });
}

void WeldVertices(ModelRecord& m) {
  if (m.frames.empty() || !HasConsistentGeometry(m)) return;
  const auto count = static_cast<std::size_t>(m.numVertices);
  std::vector<std::uint64_t> hash(count, kHashSeed);
  for (const auto& frame : m.frames) {
    for (std::size_t i = 0; i < count; ++i) {
      const Vec3f& p = frame->positions[i];
      hash[i] = Fold(hash[i], CoordinateBits(p[0]) | CoordinateBits(p[1]) << 32);
      hash[i] = Fold(hash[i], CoordinateBits(p[2]));
    }
  }
  const WeldPlan plan = PlanFromHashes(hash, [&](std::size_t a, std::size_t b) {
    for (const auto& frame : m.frames) {
      const Vec3f& p = frame->positions[a];
      const Vec3f& q = frame->positions[b];
      if (!(p[0] == q[0] && p[1] == q[1] && p[2] == q[2])) return false;
    }
    return true;
  });

  for (auto& tri : m.triangles) {
    for (auto& v : tri.vertex) v = static_cast<std::int16_t>(plan.newIndex[static_cast<std::size_t>(v)]);
  }
  // Groups are numbered in order of first appearance, so group k opened at an old index of
  // at least k: compacting front to back in place never overwrites a vertex still needed.
  // What the weld no longer needs is given back.
  const std::size_t kept = plan.kept.size();
  for (auto& frame : m.frames) {
    const bool hasNormals = frame->normals.size() == count;
    for (std::size_t k = 0; k < kept; ++k) {
      frame->positions[k] = frame->positions[plan.kept[k]];
      if (hasNormals) frame->normals[k] = frame->normals[plan.kept[k]];
    }
    frame->positions.resize(kept);
    frame->positions.shrink_to_fit();
    frame->normals.resize(hasNormals ? kept : 0);
    frame->normals.shrink_to_fit();
  }
  m.numVertices = static_cast<std::int32_t>(kept);
}

}  // namespace tessary
