// Smooth normals worked out by hand on small shapes: face weights, degenerate faces,
// faces that cancel, and frames computed separately.
#include <gtest/gtest.h>

#include <cmath>

#include "scene/Md3Loader.h"

namespace tessary {
namespace {

std::unique_ptr<ModelRecord> Record(const std::vector<std::vector<Vec3d>>& frames,
                                    const std::vector<std::array<std::int16_t, 3>>& triangles) {
  auto m = std::make_unique<ModelRecord>();
  m->numVertices = static_cast<std::int32_t>(frames.at(0).size());
  for (const auto& positions : frames) {
    auto f = std::make_unique<FrameRecord>();
    f->positions = positions;
    f->normals.assign(positions.size(), Vec3d{9, 9, 9});  // must all be overwritten
    m->frames.push_back(std::move(f));
  }
  for (const auto& t : triangles) {
    TriangleRecord tri;
    tri.vertex = t;
    m->triangles.push_back(tri);
  }
  m->numTriangles = static_cast<std::int32_t>(triangles.size());
  return m;
}

void ExpectNear(const Vec3d& actual, const Vec3d& expected) {
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(actual[k], expected[k], 1e-12) << "component " << k;
}

TEST(NormalsTest, FacesMeetingAtAnEdgeShareTheirUnitNormalsEquallyWhateverTheirSize) {
  // Face A in the plane z = 0: (0,0,0) (1,0,0) (0,1,0); e1 = (1,0,0), e2 = (-1,1,0), n = (0,0,1).
  // Face B in the plane y = 0, ten times larger: (0,0,0) (0,0,10) (10,0,0);
  // e1 = (0,0,10), e2 = (10,0,-10), n = (0,100,0), unit (0,1,0).
  // Vertices 0 and 1 lie on both: (0,1,1)/sqrt 2.
  auto m = Record({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 10}, {10, 0, 0}}}, {{0, 1, 2}, {0, 3, 4}, {1, 0, 3}});
  // The third face (1,0,0) (0,0,0) (0,0,10): e1 = (-1,0,0), e2 = (0,0,10), n = (0,10,0) -> (0,1,0).
  ComputeNormals(*m);
  const auto& n = m->frames[0]->normals;
  const double h = 1.0 / std::sqrt(2.0);
  // Vertex 0: A + B + C = (0,0,1) + (0,1,0) + (0,1,0) = (0,2,1) / sqrt 5.
  ExpectNear(n[0], {0.0, 2.0 / std::sqrt(5.0), 1.0 / std::sqrt(5.0)});
  // Vertex 1: A + C = (0,1,1) / sqrt 2.
  ExpectNear(n[1], {0.0, h, h});
  ExpectNear(n[2], {0.0, 0.0, 1.0});
  ExpectNear(n[3], {0.0, 1.0, 0.0});
  ExpectNear(n[4], {0.0, 1.0, 0.0});
}

TEST(NormalsTest, DegenerateAndCancellingFacesLeaveZeroNormals) {
  // Vertex 3 is only used by a face with two equal corners; vertices 4..6 by one face and
  // the same face turned round, whose unit normals cancel exactly.
  auto m = Record({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}, {0, 0, 2}, {2, 0, 2}, {0, 2, 2}, {3, 3, 3}}},
                  {{0, 1, 2}, {3, 3, 0}, {4, 5, 6}, {4, 6, 5}, {7, 7, 7}});
  ComputeNormals(*m);
  const auto& n = m->frames[0]->normals;
  ExpectNear(n[0], {0, 0, 1});  // the degenerate face added nothing to vertex 0
  EXPECT_EQ(n[3], (Vec3d{0, 0, 0}));
  for (int v : {4, 5, 6, 7}) EXPECT_EQ(n[static_cast<std::size_t>(v)], (Vec3d{0, 0, 0})) << v;
}

TEST(NormalsTest, EachFrameGetsTheNormalsOfItsOwnPositions) {
  // Frame 1 is frame 0 turned a quarter round the x axis: (x, y, z) -> (x, -z, y).
  auto m = Record({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, {{0, 1, 2}});
  ComputeNormals(*m);
  for (const Vec3d& n : m->frames[0]->normals) ExpectNear(n, {0, 0, 1});
  for (const Vec3d& n : m->frames[1]->normals) ExpectNear(n, {0, -1, 0});
}

TEST(NormalsTest, ARecordWhoseIndicesPointOutsideItsFramesIsLeftAlone) {
  auto m = Record({{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}}, {{0, 1, 3}});
  ComputeNormals(*m);
  EXPECT_EQ(m->frames[0]->normals[0], (Vec3d{9, 9, 9}));
}

}  // namespace
}  // namespace tessary
