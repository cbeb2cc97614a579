// Lathed tubes and boxes turned into MD3 vertices, texture coordinates and triangles.
// Triangles are written clockwise as seen from outside, the MD3 convention: the viewer
// reverses each one on loading and culls the clockwise faces it then sees from behind.
#include "MeshBuilder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tessary::demo {

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }

Vec3 Mat3::operator*(Vec3 v) const {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

Mat3 Mat3::operator*(const Mat3& b) const {
  Mat3 r;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j];
    }
  }
  return r;
}

namespace {
double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }
}  // namespace

Mat3 Pitch(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat3 r;
  r.m = {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
  return r;
}

Mat3 Roll(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat3 r;
  r.m = {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
  return r;
}

Mat3 Yaw(double degrees) {
  const double c = std::cos(Radians(degrees)), s = std::sin(Radians(degrees));
  Mat3 r;
  r.m = {{{c, -s, 0}, {s, c, 0}, {0, 0, 1}}};
  return r;
}

SurfaceBuilder::SurfaceBuilder(std::string name, std::string shader, int frames) {
  surface_.name = std::move(name);
  if (!shader.empty()) surface_.shaders.push_back(std::move(shader));
  surface_.frames.resize(static_cast<std::size_t>(frames));
}

int SurfaceBuilder::AddVertex(Vec3 local, float s, float t, const PoseOfFrame& pose) {
  const auto quantise = [](double units) {
    return static_cast<std::int16_t>(std::clamp(std::lround(units * 64.0), -32768L, 32767L));
  };
  for (std::size_t f = 0; f < surface_.frames.size(); ++f) {
    const Vec3 p = pose(static_cast<int>(f)).Apply(local);
    surface_.frames[f].push_back({quantise(p.x), quantise(p.y), quantise(p.z), 0});
  }
  surface_.st.push_back({s, t});
  local_.push_back(local);
  return static_cast<int>(local_.size()) - 1;
}

void SurfaceBuilder::AddQuad(int a, int b, int c, int d) {
  const auto same = [&](int i, int j) {
    const Vec3 p = local_[static_cast<std::size_t>(i)], q = local_[static_cast<std::size_t>(j)];
    return p.x == q.x && p.y == q.y && p.z == q.z;
  };
  if (!same(a, b) && !same(b, c) && !same(a, c)) surface_.triangles.push_back({a, b, c});
  if (!same(a, c) && !same(c, d) && !same(a, d)) surface_.triangles.push_back({a, c, d});
}

void SurfaceBuilder::AddLathe(const std::vector<Ring>& rings, int sides, UvRect uv, const PoseOfFrame& pose) {
  const int first = static_cast<int>(local_.size());
  const int perRing = sides + 1;  // the seam column is doubled so u can run from 0 to 1
  for (std::size_t i = 0; i < rings.size(); ++i) {
    const double v = rings.size() > 1 ? static_cast<double>(i) / static_cast<double>(rings.size() - 1) : 0.0;
    for (int j = 0; j <= sides; ++j) {
      const double u = static_cast<double>(j) / sides;
      // u = 0.5 faces +x; u grows anticlockwise seen from above, so towards +y after it.
      // The seam column takes the first column's angle so both sit at exactly one place.
      const int k = j == sides ? 0 : j;
      const double a = 2.0 * std::numbers::pi * k / sides - std::numbers::pi;
      const Vec3 local{rings[i].rx * std::cos(a), rings[i].ry * std::sin(a), rings[i].z};
      const auto s = static_cast<float>(uv.s0 + (uv.s1 - uv.s0) * u);
      const auto t = static_cast<float>(uv.t0 + (uv.t1 - uv.t0) * v);
      AddVertex(local, s, t, pose);
    }
  }
  for (std::size_t i = 0; i + 1 < rings.size(); ++i) {
    for (int j = 0; j < sides; ++j) {
      const int a = first + static_cast<int>(i) * perRing + j;  // upper ring, this column
      const int b = a + 1;                                        // upper ring, next column
      const int c = b + perRing;                                  // lower ring, next column
      const int d = a + perRing;                                  // lower ring, this column
      AddQuad(a, b, c, d);
    }
  }
}

void SurfaceBuilder::AddBox(Vec3 min, Vec3 max, UvRect uv, const PoseOfFrame& pose) {
  const Vec3 centre = (min + max) * 0.5;
  const Vec3 half = (max - min) * 0.5;
  // Each face: outward normal, the direction that is "right" and the one that is "up" when
  // the face is seen from outside.
  struct Face {
    Vec3 normal, right, up;
  };
  const Face faces[6] = {
      {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},    // front
      {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},   // left side
      {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},  // back
      {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},   // right side
      {{0, 0, 1}, {0, -1, 0}, {1, 0, 0}},   // top, front edge up
      {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}},   // bottom, front edge up
  };
  const auto scaled = [&](Vec3 dir) { return Vec3{dir.x * half.x, dir.y * half.y, dir.z * half.z}; };
  for (int f = 0; f < 6; ++f) {
    const float cw = (uv.s1 - uv.s0) / 3.0f, ch = (uv.t1 - uv.t0) / 2.0f;
    const float s0 = uv.s0 + cw * static_cast<float>(f % 3), t0 = uv.t0 + ch * static_cast<float>(f / 3);
    const Vec3 mid = centre + scaled(faces[f].normal);
    const Vec3 r = scaled(faces[f].right), u = scaled(faces[f].up);
    const int a = AddVertex(mid - r + u, s0, t0, pose);
    const int b = AddVertex(mid + r + u, s0 + cw, t0, pose);
    const int c = AddVertex(mid + r - u, s0 + cw, t0 + ch, pose);
    const int d = AddVertex(mid - r - u, s0, t0 + ch, pose);
    AddQuad(a, b, c, d);
  }
}

md3::Surface SurfaceBuilder::Build() const { return surface_; }

md3::Tag TagFromPose(const std::string& name, const Pose& pose) {
  md3::Tag tag;
  tag.name = name;
  tag.origin = {static_cast<float>(pose.offset.x), static_cast<float>(pose.offset.y), static_cast<float>(pose.offset.z)};
  for (int i = 0; i < 3; ++i) {
    const Vec3 axis = pose.rotation.Column(i);
    tag.axis[static_cast<std::size_t>(i)] = {static_cast<float>(axis.x), static_cast<float>(axis.y), static_cast<float>(axis.z)};
  }
  return tag;
}

}  // namespace tessary::demo
