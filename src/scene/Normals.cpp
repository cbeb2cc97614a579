// Smooth vertex normals: every face around a vertex counts once, whatever its area, and the
// sum is normalised. Checking the record's geometry first keeps any index inside its frame.
//
// A frame's normals are worked out the first time it is posed (EnsureFrameNormals), not when
// the file loads: they were most of the time a load took, and a model of two hundred frames
// opened to look at one of them need not pay for the others. The work is laid out for
// speed: four frames are worked at once, one in each lane of a small float vector (the
// triangles are the same in every frame, so each step is the same for all four), and each
// vertex gathers the normals of its faces from a list of its triangles made once per
// group, instead of every face adding itself into its three corners.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

constexpr std::size_t kLanes = 4;  // written out where lanes are listed one by one
using Lanes = float __attribute__((vector_size(kLanes * sizeof(float))));

// One vector per axis: lane l holds the value of frame first + l.
struct LaneVector {
  Lanes x, y, z;
};

// Positions of MD3 vertices are multiples of 1/64, so edge components are exact in a float,
// and so is the product of two of them while both stay below 64 (their numerators then have
// 12 bits each). The cross product is then one rounding away from exact, and zero exactly
// when the face is degenerate. Where a frame's vertices spread 64 or more along an axis, the
// edges are measured triangle by triangle and longer ones are crossed in double.
constexpr float kExactEdge = 64.0f;

Lanes Abs(Lanes v) { return v < 0.0f ? -v : v; }
Lanes Min(Lanes a, Lanes b) { return a < b ? a : b; }
Lanes Max(Lanes a, Lanes b) { return a < b ? b : a; }

Lanes SquareRoot(Lanes v) {
  Lanes r{};
  for (std::size_t l = 0; l < kLanes; ++l) r[l] = std::sqrt(v[l]);
  return r;
}

// v / |v| lane by lane, or (0, 0, 0) in a lane where |v| is 0. A true division, so that a
// sum along one axis comes out as exactly 1 on it.
LaneVector Normalised(const LaneVector& v) {
  const Lanes squared = v.x * v.x + v.y * v.y + v.z * v.z;
  const Lanes zero{};
  const Lanes length = SquareRoot(squared);
  const Lanes divisor = squared > 0.0f ? length : zero + 1.0f;  // no lane divides by zero
  return {squared > 0.0f ? v.x / divisor : zero, squared > 0.0f ? v.y / divisor : zero,
          squared > 0.0f ? v.z / divisor : zero};
}

// The unit normal of the face with corners a, b, c in each lane: (b - a) x (c - b), or
// (0, 0, 0) where the face is degenerate. CheckEdges: the positions may lie 64 or more apart.
template <bool CheckEdges>
LaneVector FaceNormal(const LaneVector& a, const LaneVector& b, const LaneVector& c) {
  const LaneVector e1{b.x - a.x, b.y - a.y, b.z - a.z};
  const LaneVector e2{c.x - b.x, c.y - b.y, c.z - b.z};
  LaneVector n{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
  if constexpr (CheckEdges) {
    const Lanes longest = Max(Max(Max(Abs(e1.x), Abs(e1.y)), Max(Abs(e1.z), Abs(e2.x))), Max(Abs(e2.y), Abs(e2.z)));
    for (std::size_t l = 0; l < kLanes; ++l) {
      if (!(longest[l] < kExactEdge)) {
        const double x1 = e1.x[l], y1 = e1.y[l], z1 = e1.z[l], x2 = e2.x[l], y2 = e2.y[l], z2 = e2.z[l];
        n.x[l] = static_cast<float>(y1 * z2 - z1 * y2);
        n.y[l] = static_cast<float>(z1 * x2 - x1 * z2);
        n.z[l] = static_cast<float>(x1 * y2 - y1 * x2);
      }
    }
  }
  // A degenerate face has n = (0, 0, 0) exactly, which stays 0 whatever it is scaled by; the
  // floor only keeps its scale finite. Any other face has |n|^2 of 2^-24 or more.
  const Lanes squared = Max(n.x * n.x + n.y * n.y + n.z * n.z, Lanes{} + std::numeric_limits<float>::min());
  const Lanes inverse = 1.0f / SquareRoot(squared);
  return {n.x * inverse, n.y * inverse, n.z * inverse};
}

template <bool CheckEdges>
void FaceNormals(const std::vector<TriangleRecord>& triangles, const std::vector<LaneVector>& position,
                 std::vector<LaneVector>& face) {
  for (std::size_t t = 0; t < triangles.size(); ++t) {
    const auto& corner = triangles[t].vertex;
    face[t] = FaceNormal<CheckEdges>(position[static_cast<std::size_t>(corner[0])],
                                     position[static_cast<std::size_t>(corner[1])],
                                     position[static_cast<std::size_t>(corner[2])]);
  }
}

// For each vertex, the triangles it is a corner of, in triangle order, so each vertex sums its
// faces in the same order as adding every face into its corners would.
struct VertexFaces {
  std::vector<std::uint32_t> first;  // vertex v's triangles are faces[first[v]] .. faces[first[v + 1] - 1]
  std::vector<std::uint32_t> faces;

  explicit VertexFaces(const ModelRecord& m) : first(static_cast<std::size_t>(m.numVertices) + 1, 0) {
    for (const auto& tri : m.triangles)
      for (auto v : tri.vertex) ++first[static_cast<std::size_t>(v) + 1];
    for (std::size_t v = 1; v < first.size(); ++v) first[v] += first[v - 1];
    faces.resize(first.back());
    std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
    for (std::size_t t = 0; t < m.triangles.size(); ++t)
      for (auto v : m.triangles[t].vertex) faces[next[static_cast<std::size_t>(v)]++] = static_cast<std::uint32_t>(t);
  }
};

}  // namespace

bool HasConsistentGeometry(const ModelRecord& m) {
  if (m.numVertices < 0) return false;
  const auto count = static_cast<std::size_t>(m.numVertices);
  for (const auto& frame : m.frames) {
    if (!frame || frame->positions.size() != count) return false;
  }
  for (const auto& tri : m.triangles) {
    for (auto v : tri.vertex) {
      if (v < 0 || static_cast<std::size_t>(v) >= count) return false;
    }
  }
  return true;
}

namespace {

bool HasNormals(const FrameRecord& frame) { return frame.normals.size() == frame.positions.size(); }

// Works out the normals of frames first .. first + 3 (those that exist), writing them into
// every one of them that has none yet, or into all when overwrite is set.
void ComputeNormalGroup(ModelRecord& m, const VertexFaces& around, std::size_t first, bool overwrite) {
  const auto count = static_cast<std::size_t>(m.numVertices);
  // The last group may have fewer than four frames; its spare lanes repeat the last one.
  const std::size_t used = std::min(kLanes, m.frames.size() - first);
  if (count == 0) {
    for (std::size_t l = 0; l < used; ++l) m.frames[first + l]->normals.clear();
    return;
  }
  std::vector<LaneVector> position(count), face(m.triangles.size());
  const Vec3f* from[kLanes];
  for (std::size_t l = 0; l < kLanes; ++l) from[l] = m.frames[first + std::min(l, used - 1)]->positions.data();
  // Built in registers and stored whole: storing lane by lane and then loading the vector
  // would stall on every vertex.
  const auto lanes = [&from](std::size_t v, std::size_t axis) {
    return Lanes{from[0][v][axis], from[1][v][axis], from[2][v][axis], from[3][v][axis]};
  };
  LaneVector low{lanes(0, 0), lanes(0, 1), lanes(0, 2)}, high = low;
  for (std::size_t v = 0; v < count; ++v) {
    const LaneVector p{lanes(v, 0), lanes(v, 1), lanes(v, 2)};
    position[v] = p;
    low = {Min(low.x, p.x), Min(low.y, p.y), Min(low.z, p.z)};
    high = {Max(high.x, p.x), Max(high.y, p.y), Max(high.z, p.z)};
  }
  // No edge can be longer than the spread of the vertices along its axis.
  const Lanes spread = Max(Max(high.x - low.x, high.y - low.y), high.z - low.z);
  bool compact = true;
  for (std::size_t l = 0; l < kLanes; ++l) compact = compact && spread[l] < kExactEdge;
  if (compact) {
    FaceNormals<false>(m.triangles, position, face);
  } else {
    FaceNormals<true>(m.triangles, position, face);
  }
  std::vector<Vec3f>* out[kLanes] = {};
  for (std::size_t l = 0; l < used; ++l) {
    FrameRecord& frame = *m.frames[first + l];
    if (overwrite || !HasNormals(frame)) {
      out[l] = &frame.normals;
      out[l]->resize(count);
      out[l]->shrink_to_fit();
    }
  }
  for (std::size_t v = 0; v < count; ++v) {
    LaneVector sum{};
    for (std::uint32_t i = around.first[v]; i < around.first[v + 1]; ++i) {
      const LaneVector& n = face[around.faces[i]];
      sum.x += n.x;
      sum.y += n.y;
      sum.z += n.z;
    }
    const LaneVector n = Normalised(sum);
    for (std::size_t l = 0; l < used; ++l)
      if (out[l] != nullptr) (*out[l])[v] = {n.x[l], n.y[l], n.z[l]};
  }
}

}  // namespace

void ComputeNormals(ModelRecord& m) {
  if (m.frames.empty() || !HasConsistentGeometry(m)) return;
  const VertexFaces around(m);
  for (std::size_t first = 0; first < m.frames.size(); first += kLanes) ComputeNormalGroup(m, around, first, true);
}

void EnsureFrameNormals(ModelRecord& m, std::int64_t frame) {
  if (frame < 0 || static_cast<std::size_t>(frame) >= m.frames.size()) return;
  const auto f = static_cast<std::size_t>(frame);
  if (m.frames[f] == nullptr || HasNormals(*m.frames[f]) || !HasConsistentGeometry(m)) return;
  // The group of four that holds the frame: playing or stepping through it will need the
  // others soon, and they cost little more than the one.
  ComputeNormalGroup(m, VertexFaces(m), f - f % kLanes, false);
}

}  // namespace tessary
