// Building animated MD3 surfaces from simple parts (lathed tubes and boxes) whose shape is
// fixed and whose placement changes from frame to frame. Used by the demo model generator.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "testdata/Md3Writer.h"

namespace tessary::demo {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(Vec3 a, double k);

// A rotation as a 3 x 3 matrix of rows, applied to column vectors.
struct Mat3 {
  std::array<std::array<double, 3>, 3> m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
  Vec3 operator*(Vec3 v) const;
  Mat3 operator*(const Mat3& b) const;
  Vec3 Column(int i) const { return {m[0][i], m[1][i], m[2][i]}; }
};

// MD3 axes: x forward, y left, z up. Angles in degrees.
Mat3 Pitch(double degrees);  // positive swings a downward limb forward (towards +x)
Mat3 Roll(double degrees);   // positive swings a downward limb to the left (towards +y)
Mat3 Yaw(double degrees);    // positive turns the front towards the left

// Where a part sits in one frame: rotate about the part's own origin, then move.
struct Pose {
  Mat3 rotation;
  Vec3 offset;
  Vec3 Apply(Vec3 p) const { return rotation * p + offset; }
  Pose Then(const Pose& outer) const { return {outer.rotation * rotation, outer.Apply(offset)}; }
};

// The part of the texture a part's (u, v) in 0..1 are mapped into; t grows downwards.
struct UvRect {
  float s0 = 0, t0 = 0, s1 = 1, t1 = 1;
};

// One ring of a lathed part: height along the part's z axis and its radii along x and y.
struct Ring {
  double z = 0, rx = 0, ry = 0;
};

using PoseOfFrame = std::function<Pose(int frame)>;

class SurfaceBuilder {
 public:
  SurfaceBuilder(std::string name, std::string shader, int frames);

  // A tube through the rings (listed from v = 0 to v = 1) with `sides` segments around;
  // u runs once round, with u = 0.5 facing +x. A ring of radius 0 closes the tube.
  void AddLathe(const std::vector<Ring>& rings, int sides, UvRect uv, const PoseOfFrame& pose);
  // An axis-aligned box, each face with its own cell of a 3 x 2 grid inside uv:
  // front, left, back on the top row; right, top, bottom below.
  void AddBox(Vec3 min, Vec3 max, UvRect uv, const PoseOfFrame& pose);

  md3::Surface Build() const;

 private:
  // Adds vertices at local positions (placed by pose in every frame) with their (s, t).
  int AddVertex(Vec3 local, float s, float t, const PoseOfFrame& pose);
  // Adds the quad a b c d, given clockwise as seen from outside, as two triangles; a
  // triangle with two corners at one place is left out.
  void AddQuad(int a, int b, int c, int d);

  md3::Surface surface_;
  std::vector<Vec3> local_;  // every vertex's local position, to spot collapsed corners
};

// A tag for one frame from a pose: the origin is where the pose puts the local origin,
// the axis rows are the pose's rotated x, y and z axes.
md3::Tag TagFromPose(const std::string& name, const Pose& pose);

}  // namespace tessary::demo
