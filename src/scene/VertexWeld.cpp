// The vertex weld: vertices whose positions coincide in every frame become one, so smooth
// normals run across texture seams. Candidates are found through a hash of each vertex's
// positions over all frames and confirmed by exact comparison, which gives the same mapping
// as comparing every vertex with every earlier one, in time linear in vertices x frames.
// The parser welds the file's 16-bit triples before converting them, where equal values
// are equal bits and the comparison is one integer compare per frame.
#include "scene/VertexWeld.h"

#include <bit>
#include <cstring>

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
// Equality in every frame is transitive, so matching a vertex
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

}  // namespace tessary
