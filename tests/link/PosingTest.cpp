// Posing a model on its pivot tag with its offsets, posing between two frames, and placing a
// linked model on its parent's anchor: positions, box, origin and radius in a straight line,
// normals and tag axes blended and made unit length again, a child's pivot landing on the
// blended anchor moved by the child's offset along the anchor's axes. Values worked out by
// hand.
#include <gtest/gtest.h>

#include <cmath>

#include "link/FrameBlend.h"
#include "link/LinkTree.h"
#include "link/Posing.h"

namespace tessary {
namespace {

const double r = std::sqrt(0.5);

Vec3d D(const Vec3f& v) { return {v[0], v[1], v[2]}; }

void ExpectNear(const Vec3d& a, const Vec3d& b, const std::string& what) {
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], 1e-5) << what << " component " << k;
}
void ExpectTag(const TagRecord& a, const TagRecord& b, const std::string& what) {
  ExpectNear(D(a.origin), D(b.origin), what + " origin");
  for (int i = 0; i < 3; ++i) ExpectNear(D(a.axis[i]), D(b.axis[i]), what + " axis");
}

TEST(PosingTest, APivotMakesItsTagTheOriginThenScaleAndOffsetApplyInThatOrderToPointsOnly) {
  Scene scene;
  ModelRecord& m = *scene.models.emplace_back(std::make_unique<ModelRecord>());
  FrameRecord& f = *m.frames.emplace_back(std::make_unique<FrameRecord>());
  std::tie(m.numVertices, m.tagNames) = std::make_pair(2, std::vector<std::string>{"pivot", "other"});
  f.tags = {{{1, 2, 3}, {Vec3f{0, 1, 0}, Vec3f{-1, 0, 0}, Vec3f{0, 0, 1}}},  // a quarter turn about z
            {{1, 2, 4}, {Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{0, 0, 1}}}};
  std::tie(f.positions, f.normals) = std::make_pair(std::vector<Vec3f>{{1, 4, 3}, {0, 2, 5}}, std::vector<Vec3f>{{0, 1, 0}, {1, 0, 0}});
  std::tie(f.localOrigin, f.boxCorners[0], f.radius) = std::make_tuple(Vec3f{1, 2, 3}, Vec3f{2, 2, 3}, 7.0f);
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

// Frame 0: the identity; frame 1: everything moved and turned a quarter about z.
std::unique_ptr<FrameRecord> Frame(int f) {
  auto frame = std::make_unique<FrameRecord>();
  frame->positions = {{0, 0, 0}, f == 0 ? Vec3f{2, 4, 6} : Vec3f{4, 8, 2}};
  frame->normals = {f == 0 ? Vec3f{1, 0, 0} : Vec3f{0, 1, 0}, f == 0 ? Vec3f{0, 0, 1} : Vec3f{0, 0, -1}};
  TagRecord tag = TagRecord::Identity();
  if (f == 1) tag = {{2, 2, 2}, {Vec3f{0, 1, 0}, Vec3f{-1, 0, 0}, Vec3f{0, 0, 1}}};
  frame->tags = {tag};
  frame->boxCorners.fill(Vec3f{static_cast<float>(f), 0, 0});
  frame->localOrigin = {0, 0, static_cast<float>(4 * f)};
  frame->radius = 1.0f + 2.0f * static_cast<float>(f);
  return frame;
}

TEST(FrameBlend, HalfWayEverythingIsBetweenTheFramesAndAModelOnTheTagFollowsIt) {
  Scene scene;
  for (int i = 0; i < 2; ++i) {
    auto& m = *scene.models.emplace_back(std::make_unique<ModelRecord>());
    m.numVertices = 2;
    m.tagNames = {"tag"};
    m.frames.push_back(Frame(0));
    m.frames.push_back(Frame(1));
    m.blendFrame = 1;
  }
  ModelRecord& parent = *scene.models[0];
  ModelRecord& child = *scene.models[1];
  // The child shows frame 1 and hangs by its tag, moved 2 along the anchor's third axis.
  std::tie(child.currentFrame, child.pivotTag, child.parentIndex, child.anchorTag) = std::make_tuple(1, 0, 0, 0);
  child.offsetPosition = {0, 0, 2};
  RebuildChildLists(scene);

  parent.blend = 0.5f;
  PoseAndPlaceScene(scene);
  ExpectNear(parent.curPositions[1], {3, 6, 4}, "position");
  ExpectNear(parent.curNormals[0], {r, r, 0}, "normal");
  ExpectNear(parent.curNormals[1], {0, 0, 0}, "opposite normals cancel");
  const TagRecord anchor{{1, 1, 1}, {Vec3f{static_cast<float>(r), static_cast<float>(r), 0},
                                     Vec3f{-static_cast<float>(r), static_cast<float>(r), 0}, Vec3f{0, 0, 1}}};
  ExpectTag(parent.curTags[0], anchor, "tag");
  EXPECT_EQ(parent.curBoxCorners[3], (Vec3f{0.5f, 0, 0}));
  EXPECT_EQ(parent.curLocalOrigin, (Vec3f{0, 0, 2}));
  EXPECT_EQ(parent.curRadius, 2.0f);
  // The child's (4, 8, 2) is (2, 6, 0) from its pivot, (6, -2, 0) along the pivot's rows,
  // (6, -2, 2) with the offset: on the half-turned anchor (1, 1, 1) + 6 (r, r, 0) - 2 (-r, r, 0)
  // + 2 (0, 0, 1). Its normal (0, 1, 0) is (1, 0, 0) along the pivot: the anchor's first axis.
  ExpectNear(child.curPositions[1], {1 + 8 * r, 1 + 4 * r, 3}, "child");
  ExpectNear(child.curNormals[0], {r, r, 0}, "child normal");
  ExpectTag(child.curTags[0], {{1, 1, 3}, anchor.axis}, "child's pivot");

  // No blend shows frame 0 itself; the whole way is frame 1.
  parent.blend = 0.0f;
  PoseAndPlaceScene(scene);
  EXPECT_EQ(parent.curPositions[1], (Vec3d{2, 4, 6}));
  BlendFramesInto(parent, *parent.frames[0], *parent.frames[1], 1.0);
  EXPECT_EQ(parent.curPositions[1], (Vec3d{4, 8, 2}));
  EXPECT_EQ(parent.curNormals[1], (Vec3d{0, 0, -1}));
  EXPECT_EQ(parent.curTags[0].origin, (Vec3f{2, 2, 2}));
}

}  // namespace
}  // namespace tessary
