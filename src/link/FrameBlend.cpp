// Frame blending. The loops read a frame's vectors component by component into doubles,
// so they serve frames stored in single or double precision alike.
#include "link/FrameBlend.h"

#include <algorithm>
#include <cmath>

namespace tessary {

namespace {

template <typename V>
Vec3d Mix(const V& a, const V& b, double t) {
  Vec3d r;
  for (int k = 0; k < 3; ++k) {
    const double ak = static_cast<double>(a[k]);
    r[k] = ak + (static_cast<double>(b[k]) - ak) * t;
  }
  return r;
}

Vec3d Unit(const Vec3d& v) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (length == 0.0) return v;
  return {v[0] / length, v[1] / length, v[2] / length};
}

Vec3f ToFloat(const Vec3d& v) { return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])}; }

// The first n entries blended (and made unit length when kUnit); the lists are checked
// once here, so the loop itself has no checks. This is the hot loop of playback: the
// components are spelled out so that they stay in registers.
template <bool kUnit, typename V>
void MixList(std::vector<Vec3d>& out, const std::vector<V>& a, const std::vector<V>& b, double t, std::size_t n) {
  out.resize(n);
  const std::size_t both = std::min({n, a.size(), b.size()});
  Vec3d* o = out.data();
  const V* pa = a.data();
  const V* pb = b.data();
  for (std::size_t i = 0; i < both; ++i) {
    const double ax = static_cast<double>(pa[i][0]), ay = static_cast<double>(pa[i][1]),
                 az = static_cast<double>(pa[i][2]);
    double x = ax + (static_cast<double>(pb[i][0]) - ax) * t;
    double y = ay + (static_cast<double>(pb[i][1]) - ay) * t;
    double z = az + (static_cast<double>(pb[i][2]) - az) * t;
    if constexpr (kUnit) {
      // The tiny term keeps a direction that blends to nothing at (0, 0, 0) without a
      // branch: 0 times a large number; next to a unit length it changes nothing.
      const double scale = 1.0 / std::sqrt(x * x + y * y + z * z + 1e-300);
      x *= scale;
      y *= scale;
      z *= scale;
    }
    o[i] = {x, y, z};
  }
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(both), out.end(), Vec3d{0.0, 0.0, 0.0});
}

}  // namespace

void BlendFramesInto(ModelRecord& model, const FrameRecord& from, const FrameRecord& to, double t) {
  const std::size_t n = static_cast<std::size_t>(std::max<std::int32_t>(model.numVertices, 0));
  MixList<false>(model.curPositions, from.positions, to.positions, t, n);
  MixList<true>(model.curNormals, from.normals, to.normals, t, n);
  const std::size_t tags = std::min(from.tags.size(), to.tags.size());
  model.curTags.resize(tags);
  for (std::size_t i = 0; i < tags; ++i) {
    const TagRecord &a = from.tags[i], &b = to.tags[i];
    TagRecord& tag = model.curTags[i];
    tag.origin = ToFloat(Mix(a.origin, b.origin, t));
    for (std::size_t k = 0; k < 3; ++k) tag.axis[k] = ToFloat(Unit(Mix(a.axis[k], b.axis[k], t)));
  }
  for (std::size_t c = 0; c < model.curBoxCorners.size(); ++c)
    model.curBoxCorners[c] = ToFloat(Mix(from.boxCorners[c], to.boxCorners[c], t));
  model.curLocalOrigin = ToFloat(Mix(from.localOrigin, to.localOrigin, t));
  model.curRadius = static_cast<float>(from.radius + (static_cast<double>(to.radius) - from.radius) * t);
}

}  // namespace tessary
