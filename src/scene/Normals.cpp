// Smooth vertex normals: every face around a vertex counts once, whatever its area, and the
// sum is normalised. Checking the record's geometry first keeps any index inside its frame.
#include <cmath>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

Vec3d Minus(const Vec3d& a, const Vec3d& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Vec3d Cross(const Vec3d& a, const Vec3d& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

double Length(const Vec3d& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

}  // namespace

bool HasConsistentGeometry(const ModelRecord& m) {
  if (m.numVertices < 0) return false;
  const auto count = static_cast<std::size_t>(m.numVertices);
  for (const auto& frame : m.frames) {
    if (!frame || frame->positions.size() != count || frame->normals.size() != count) return false;
  }
  for (const auto& tri : m.triangles) {
    for (auto v : tri.vertex) {
      if (v < 0 || static_cast<std::size_t>(v) >= count) return false;
    }
  }
  return true;
}

void ComputeNormals(ModelRecord& m) {
  if (m.frames.empty() || !HasConsistentGeometry(m)) return;
  std::vector<Vec3d> sum;
  for (auto& frame : m.frames) {
    const auto& p = frame->positions;
    sum.assign(p.size(), Vec3d{0.0, 0.0, 0.0});
    for (const auto& tri : m.triangles) {
      const auto c0 = static_cast<std::size_t>(tri.vertex[0]);
      const auto c1 = static_cast<std::size_t>(tri.vertex[1]);
      const auto c2 = static_cast<std::size_t>(tri.vertex[2]);
      const Vec3d n = Cross(Minus(p[c1], p[c0]), Minus(p[c2], p[c1]));
      const double length = Length(n);
      if (length == 0.0) continue;
      for (std::size_t c : {c0, c1, c2}) {
        for (int k = 0; k < 3; ++k) sum[c][k] += n[k] / length;
      }
    }
    for (std::size_t v = 0; v < p.size(); ++v) {
      const double length = Length(sum[v]);
      frame->normals[v] = length == 0.0 ? Vec3d{0.0, 0.0, 0.0}
                                        : Vec3d{sum[v][0] / length, sum[v][1] / length, sum[v][2] / length};
    }
  }
}

}  // namespace tessary
