// Posing between two frames: positions, box, origin and radius in a straight line, normals
// and tag axes blended and made unit length again, and a model hung on a blended tag
// following it. Values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "link/FrameBlend.h"
#include "link/LinkTree.h"
#include "link/Posing.h"

namespace tessary {
namespace {

const double r = std::sqrt(0.5);

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

void ExpectVec(const Vec3d& a, const Vec3d& b, const char* what) {
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(a[k], b[k], 1e-6) << what << " " << k;
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
  child.parentIndex = 0;
  child.anchorTag = 0;  // by its origin: no pivot
  RebuildChildLists(scene);

  parent.blend = 0.5f;
  PoseAndPlaceScene(scene);
  ExpectVec(parent.curPositions[1], {3, 6, 4}, "position");
  ExpectVec(parent.curNormals[0], {r, r, 0}, "normal");
  ExpectVec(parent.curNormals[1], {0, 0, 0}, "opposite normals cancel");
  const TagRecord& tag = parent.curTags[0];
  ExpectVec({tag.origin[0], tag.origin[1], tag.origin[2]}, {1, 1, 1}, "tag origin");
  ExpectVec({tag.axis[0][0], tag.axis[0][1], tag.axis[0][2]}, {r, r, 0}, "tag axis 0");
  ExpectVec({tag.axis[1][0], tag.axis[1][1], tag.axis[1][2]}, {-r, r, 0}, "tag axis 1");
  EXPECT_EQ(parent.curBoxCorners[3], (Vec3f{0.5f, 0, 0}));
  EXPECT_EQ(parent.curLocalOrigin, (Vec3f{0, 0, 2}));
  EXPECT_EQ(parent.curRadius, 2.0f);
  // The child, on its frame 0, sits on the half-turned tag: its (2, 4, 6) goes to
  // (1, 1, 1) + 2 (r, r, 0) + 4 (-r, r, 0) + 6 (0, 0, 1).
  ExpectVec(child.curPositions[1], {1 - 2 * r, 1 + 6 * r, 7}, "child");

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
