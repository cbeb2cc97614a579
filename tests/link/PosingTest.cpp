// Posing on pivot tags, offsets, and the placement of linked models. Random tags get the
// axes of random unit quaternions; the checks are geometric facts (a child's pivot lands on
// its parent's anchor, a rigid move keeps coordinates along the tag a model hangs by) or
// small cases worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "link/LinkTree.h"
#include "link/Posing.h"

namespace tessary {
namespace {

Vec3d D(const Vec3f& v) { return {v[0], v[1], v[2]}; }
Vec3f F(const Vec3d& v) { return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])}; }

void ExpectNear(const Vec3d& a, const Vec3d& b, const std::string& what, double tolerance = 2e-4) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << what << " component " << i;
}

void ExpectTag(const TagRecord& a, const TagRecord& b, const std::string& what) {
  ExpectNear(D(a.origin), D(b.origin), what + " origin");
  for (int i = 0; i < 3; ++i) ExpectNear(D(a.axis[i]), D(b.axis[i]), what + " axis", 1e-5);
}

// Coordinates along a tag's axes of a point (taken from the tag's origin) or a direction.
Vec3d Along(const TagRecord& t, const Vec3d& v, bool point) {
  const Vec3d d = point ? Vec3d{v[0] - t.origin[0], v[1] - t.origin[1], v[2] - t.origin[2]} : v;
  return {d[0] * t.axis[0][0] + d[1] * t.axis[0][1] + d[2] * t.axis[0][2],
          d[0] * t.axis[1][0] + d[1] * t.axis[1][1] + d[2] * t.axis[1][2],
          d[0] * t.axis[2][0] + d[1] * t.axis[2][1] + d[2] * t.axis[2][2]};
}

const FrameRecord& Shown(const ModelRecord& m) { return *m.frames[static_cast<std::size_t>(m.currentFrame)]; }

// A child hangs by its pivot on its parent's anchor moved by the child's offset along the
// anchor's axes: every vertex, normal and the local origin keeps its coordinates along the
// axes of the tag it hangs by, relative to the pivot in its own frame and to that point once placed.
void ExpectCarried(const ModelRecord& child, const TagRecord& anchor) {
  const FrameRecord& f = Shown(child);
  const TagRecord& pivot = f.tags[static_cast<std::size_t>(child.pivotTag)];
  TagRecord hook = anchor;
  for (int i = 0; i < 3; ++i)
    for (int k = 0; k < 3; ++k) hook.origin[k] += child.offsetPosition[i] * anchor.axis[i][k];
  ExpectTag(child.curTags[static_cast<std::size_t>(child.pivotTag)], hook, "pivot");
  for (std::size_t v = 0; v < f.positions.size(); ++v) {
    ExpectNear(Along(hook, child.curPositions[v], true), Along(pivot, D(f.positions[v]), true), "vertex");
    ExpectNear(Along(hook, child.curNormals[v], false), Along(pivot, D(f.normals[v]), false), "normal", 1e-5);
  }
  ExpectNear(Along(hook, D(child.curLocalOrigin), true), Along(pivot, D(f.localOrigin), true), "local origin");
  EXPECT_EQ(child.curRadius, f.radius);
}

class PosingTest : public ::testing::Test {
 protected:
  Vec3d Random(double extent) {
    std::uniform_real_distribution<double> u(-extent, extent);
    return {u(rng), u(rng), u(rng)};
  }
  TagRecord RandomTag() {  // at a random place, with the rows of a random rotation's matrix
    std::normal_distribution<double> n;
    const double a = n(rng), b = n(rng), c = n(rng), d = n(rng), l = std::sqrt(a * a + b * b + c * c + d * d);
    const double x = a / l, y = b / l, z = c / l, w = d / l;
    const auto f = [](double v) { return static_cast<float>(v); };
    const Vec3d o = Random(40);
    return {{f(o[0]), f(o[1]), f(o[2])},
            {Vec3f{f(1 - 2 * (y * y + z * z)), f(2 * (x * y - z * w)), f(2 * (x * z + y * w))},
             Vec3f{f(2 * (x * y + z * w)), f(1 - 2 * (x * x + z * z)), f(2 * (y * z - x * w))},
             Vec3f{f(2 * (x * z - y * w)), f(2 * (y * z + x * w)), f(1 - 2 * (x * x + y * y))}}};
  }
  ModelRecord& AddModel(int vertices, int frameCount, int tagCount) {
    auto& m = *scene.models.emplace_back(std::make_unique<ModelRecord>());
    std::tie(m.numVertices, m.tagNames) = std::make_pair(vertices, std::vector<std::string>(tagCount, "tag"));
    for (int f = 0; f < frameCount; ++f) {
      auto& frame = *m.frames.emplace_back(std::make_unique<FrameRecord>());
      for (int v = 0; v < vertices; ++v) frame.positions.push_back(F(Random(30)));
      for (int v = 0; v < vertices; ++v) frame.normals.push_back(RandomTag().axis[0]);  // random unit vectors
      for (int t = 0; t < tagCount; ++t) frame.tags.push_back(RandomTag());
      std::tie(frame.localOrigin, frame.radius) = std::make_pair(RandomTag().origin, 7.0f);
    }
    return m;
  }
  void Link(int child, int parent, int pivot, int anchor) {
    ModelRecord& c = *scene.models[static_cast<std::size_t>(child)];
    std::tie(c.pivotTag, c.parentIndex, c.anchorTag) = std::make_tuple(pivot, parent, anchor);
    RebuildChildLists(scene);
  }
  const TagRecord& CurTag(int model, int tag) {
    return scene.models[static_cast<std::size_t>(model)]->curTags[static_cast<std::size_t>(tag)];
  }
  std::mt19937 rng{20240611};
  Scene scene;
};

TEST_F(PosingTest, PivotsLandOnOffsetAnchorsAtRandomFramesAndTagsAndStepsOfTheParentCarryTheChild) {
  // Legs carry a torso and a weapon; the torso carries a head.
  const int tags[] = {3, 4, 2, 2}, links[][2] = {{1, 0}, {2, 0}, {3, 1}};
  for (int trial = 0; trial < 25; ++trial) {
    scene.Clear();
    for (int i = 0; i < 4; ++i) AddModel(5, 3 + i, tags[i]).currentFrame = static_cast<std::int32_t>(rng() % (3 + i));
    auto pick = [&](int i) { return static_cast<int>(rng() % static_cast<unsigned>(tags[i])); };
    for (const auto& [child, parent] : links) Link(child, parent, pick(child), pick(parent));
    for (auto& m : scene.models) m->offsetPosition = RandomTag().origin;
    for (int step = 0; step < 2; ++step) {
      PoseAndPlaceScene(scene);
      const ModelRecord& root = *scene.models[0];  // no pivot: as stored, the offset in the world's axes
      for (std::size_t v = 0; v < 5; ++v) {
        const Vec3d p = D(Shown(root).positions[v]), o = D(root.offsetPosition);
        ExpectNear(root.curPositions[v], {p[0] + o[0], p[1] + o[1], p[2] + o[2]}, "root");
      }
      for (const auto& [child, parent] : links) {
        const ModelRecord& c = *scene.models[static_cast<std::size_t>(child)];
        ExpectCarried(c, CurTag(parent, c.anchorTag));
      }
      // Only the legs move on: the others keep their frames, yet are carried along.
      scene.models[0]->currentFrame = (scene.models[0]->currentFrame + 1) % 3;
    }
  }
}

TEST_F(PosingTest, APivotMakesItsTagTheOriginThenScaleAndOffsetApplyInThatOrderToPointsOnly) {
  ModelRecord& m = AddModel(2, 1, 2);
  FrameRecord& f = *m.frames[0];
  f.tags = {{{1, 2, 3}, {Vec3f{0, 1, 0}, Vec3f{-1, 0, 0}, Vec3f{0, 0, 1}}},  // a quarter turn about z
            {{1, 2, 4}, {Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, 1}}}};
  std::tie(f.positions, f.normals) = std::make_pair(std::vector<Vec3f>{{1, 4, 3}, {0, 2, 5}}, std::vector<Vec3f>{{0, 1, 0}, {1, 0, 0}});
  std::tie(f.localOrigin, f.boxCorners[0]) = std::make_pair(Vec3f{1, 2, 3}, Vec3f{2, 2, 3});
  std::tie(m.pivotTag, m.offsetScale, m.offsetPosition) = std::make_tuple(0, Vec3f{2, 3, 4}, Vec3f{10, 0, 0});
  PoseAndPlaceScene(scene);
  // Relative to the pivot, p - (1,2,3), read along its rows (0,1,0), (-1,0,0), (0,0,1):
  // (0,2,0) -> (2,0,0); (-1,0,2) -> (0,1,2); tag 1 (0,0,1) -> (0,0,1); box (1,0,0) -> (0,-1,0).
  // Scaled by (2,3,4), then moved by (10,0,0); moving first would put vertex 0 at (24,0,0).
  ExpectNear(m.curPositions[0], {14, 0, 0}, "vertex 0");
  ExpectNear(m.curPositions[1], {10, 3, 8}, "vertex 1");
  ExpectNear(D(m.curBoxCorners[0]), {10, -3, 0}, "box corner");
  ExpectNear(D(m.curLocalOrigin), {10, 0, 0}, "local origin");
  // Directions turn with the pivot but are neither scaled nor moved; the radius stays.
  ExpectNear(m.curNormals[0], {1, 0, 0}, "normal 0");
  ExpectNear(m.curNormals[1], {0, -1, 0}, "normal 1");
  ExpectTag(m.curTags[0], {{10, 0, 0}, {Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, 1}}}, "pivot");
  ExpectTag(m.curTags[1], {{10, 0, 4}, {Vec3f{0, -1, 0}, Vec3f{1, 0, 0}, Vec3f{0, 0, 1}}}, "other tag");
  EXPECT_EQ(m.curRadius, 7.0f);
}

}  // namespace
}  // namespace tessary
