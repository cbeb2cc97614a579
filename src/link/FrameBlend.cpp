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

// The first n entries blended; both lists are checked once here, not per vertex.
template <bool kUnit, typename V>
void MixList(std::vector<Vec3d>& out, const std::vector<V>& a, const std::vector<V>& b, double t, std::size_t n) {
  out.resize(n);
  const std::size_t both = std::min({n, a.size(), b.size()});
  for (std::size_t i = 0; i < both; ++i) {
    const Vec3d m = Mix(a[i], b[i], t);
    out[i] = kUnit ? Unit(m) : m;
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
