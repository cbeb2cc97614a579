// Posing on pivot tags, offsets and the placement of linked models. Tags are random
// rotations made here from random unit quaternions; the checks are geometric facts (a
// child's pivot lands on its parent's anchor, a rigid move keeps coordinates relative to
// the tag it hangs on) or small cases worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "link/Posing.h"

namespace tessary {
namespace {

constexpr double kTolerance = 2e-4;

Vec3d Sub(const Vec3d& a, const Vec3d& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
double Dot(const Vec3d& a, const Vec3d& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec3d D(const Vec3f& v) { return {v[0], v[1], v[2]}; }

void ExpectNear(const Vec3d& a, const Vec3d& b, const std::string& what, double tolerance = kTolerance) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], tolerance) << what << " component " << i;
}

void ExpectTagsCoincide(const TagRecord& a, const TagRecord& b, const std::string& what) {
  ExpectNear(D(a.origin), D(b.origin), what + " origin");
  for (int i = 0; i < 3; ++i) ExpectNear(D(a.axis[i]), D(b.axis[i]), what + " axis " + std::to_string(i), 1e-5);
}

class PosingTest : public ::testing::Test {
 protected:
  std::mt19937 rng{20240611};

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
  Vec3d RandomPoint(double extent) { return {Uniform(-extent, extent), Uniform(-extent, extent), Uniform(-extent, extent)}; }
  Vec3f RandomPointF(double extent) {
    const Vec3d p = RandomPoint(extent);
    return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
  }
  Vec3d RandomUnit() {
    std::normal_distribution<double> n;
    const Vec3d v{n(rng), n(rng), n(rng)};
    const double l = std::sqrt(Dot(v, v));
    return {v[0] / l, v[1] / l, v[2] / l};
  }

  // A tag at a random place with the axes of a random rotation: the rows of the usual
  // rotation matrix of a random unit quaternion.
  TagRecord RandomTag() {
    std::normal_distribution<double> n;
    double x = n(rng), y = n(rng), z = n(rng), w = n(rng);
    const double l = std::sqrt(x * x + y * y + z * z + w * w);
    x /= l, y /= l, z /= l, w /= l;
    const double m[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    TagRecord t;
    t.origin = RandomPointF(40);
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) t.axis[r][c] = static_cast<float>(m[r][c]);
    return t;
  }

  ModelRecord& AddModel(int vertices, int frameCount, int tagCount) {
    auto model = std::make_unique<ModelRecord>();
    model->numVertices = vertices;
    for (int t = 0; t < tagCount; ++t) model->tagNames.push_back("tag_" + std::to_string(t));
    for (int f = 0; f < frameCount; ++f) {
      auto frame = std::make_unique<FrameRecord>();
      for (int v = 0; v < vertices; ++v) {
        frame->positions.push_back(RandomPoint(30));
        frame->normals.push_back(RandomUnit());
      }
      for (int t = 0; t < tagCount; ++t) frame->tags.push_back(RandomTag());
      for (auto& c : frame->boxCorners) c = RandomPointF(30);
      frame->localOrigin = RandomPointF(5);
      frame->radius = static_cast<float>(Uniform(1, 50));
      model->frames.push_back(std::move(frame));
    }
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }

  // Hangs child (by its tag pivot) on parent's tag anchor; children are kept in model order
  // as long as links are made in that order.
  void Link(int child, int parent, int pivot, int anchor) {
    ModelRecord& c = *scene.models[static_cast<std::size_t>(child)];
    c.pivotTag = static_cast<std::int16_t>(pivot);
    c.parentIndex = static_cast<std::int16_t>(parent);
    c.anchorTag = static_cast<std::int16_t>(anchor);
    ModelRecord& p = *scene.models[static_cast<std::size_t>(parent)];
    p.children.push_back(&c);
    p.childCount = static_cast<std::int16_t>(p.children.size());
  }

  const FrameRecord& Shown(const ModelRecord& m) { return *m.frames[static_cast<std::size_t>(m.currentFrame)]; }

  // Whatever tag a model hangs on, each vertex keeps its coordinates along the axes of that
  // tag: in its own frame relative to the pivot, once placed relative to the anchor.
  void ExpectRigidlyCarried(const ModelRecord& child, const TagRecord& anchor) {
    const FrameRecord& f = Shown(child);
    const TagRecord& pivot = f.tags[static_cast<std::size_t>(child.pivotTag)];
    for (std::size_t v = 0; v < f.positions.size(); ++v) {
      const Vec3d before = Sub(f.positions[v], D(pivot.origin));
      const Vec3d after = Sub(child.curPositions[v], D(anchor.origin));
      for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(Dot(after, D(anchor.axis[i])), Dot(before, D(pivot.axis[i])), kTolerance) << "vertex " << v;
        EXPECT_NEAR(Dot(child.curNormals[v], D(anchor.axis[i])), Dot(f.normals[v], D(pivot.axis[i])), 1e-5);
      }
    }
  }

  Scene scene;
};

TEST_F(PosingTest, PivotsLandOnAnchorsDownAChain) {
  for (int trial = 0; trial < 25; ++trial) {
    scene.Clear();
    ModelRecord& legs = AddModel(6, 3, 2);
    ModelRecord& torso = AddModel(8, 4, 3);
    ModelRecord& head = AddModel(5, 2, 1);
    Link(1, 0, 0, 1);  // torso's tag 0 on legs' tag 1
    Link(2, 1, 0, 2);  // head's tag 0 on torso's tag 2
    legs.currentFrame = trial % 3;
    torso.currentFrame = (trial / 3) % 4;
    head.currentFrame = trial % 2;

    PoseAndPlaceScene(scene);

    // The root has no pivot: drawn as its frame stores it.
    EXPECT_EQ(legs.curPositions, Shown(legs).positions);
    ExpectTagsCoincide(legs.curTags[1], Shown(legs).tags[1], "legs anchor");
    ExpectTagsCoincide(torso.curTags[0], legs.curTags[1], "torso pivot on legs");
    ExpectTagsCoincide(head.curTags[0], torso.curTags[2], "head pivot on torso");
    ExpectRigidlyCarried(torso, legs.curTags[1]);
    ExpectRigidlyCarried(head, torso.curTags[2]);
    // Bounds and origins move along; the radius does not change.
    EXPECT_NEAR(torso.curRadius, Shown(torso).radius, 0.0);
    const TagRecord& pivot = Shown(head).tags[0];
    const TagRecord& anchor = torso.curTags[2];
    const Vec3d local = Sub(D(Shown(head).localOrigin), D(pivot.origin));
    const Vec3d placed = Sub(D(head.curLocalOrigin), D(anchor.origin));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(Dot(placed, D(anchor.axis[i])), Dot(local, D(pivot.axis[i])), kTolerance);
  }
}

TEST_F(PosingTest, SteppingOnlyTheParentCarriesTheChild) {
  ModelRecord& parent = AddModel(4, 5, 2);
  ModelRecord& child = AddModel(4, 3, 1);
  Link(1, 0, 0, 0);
  child.currentFrame = 2;
  PoseAndPlaceScene(scene);
  const TagRecord before = child.curTags[0];

  parent.currentFrame = 3;
  PoseAndPlaceScene(scene);
  EXPECT_EQ(child.currentFrame, 2);
  ExpectTagsCoincide(child.curTags[0], parent.curTags[0], "child pivot after the step");
  EXPECT_GT(std::abs(child.curTags[0].origin[0] - before.origin[0]) +
                std::abs(child.curTags[0].origin[1] - before.origin[1]),
            1e-3)
      << "the parent's new frame moved the child";
  ExpectRigidlyCarried(child, parent.curTags[0]);
}

TEST_F(PosingTest, PivotOnARootMakesItsTagTheOrigin) {
  ModelRecord& m = AddModel(2, 1, 2);
  FrameRecord& f = *m.frames[0];
  TagRecord pivot;
  pivot.origin = {1, 2, 3};
  pivot.axis = {Vec3f{0, 1, 0}, Vec3f{-1, 0, 0}, Vec3f{0, 0, 1}};  // a quarter turn about z
  TagRecord other = TagRecord::Identity();
  other.origin = {1, 2, 4};
  f.tags = {pivot, other};
  f.positions = {Vec3d{1, 4, 3}, Vec3d{0, 2, 5}};
  f.normals = {Vec3d{0, 1, 0}, Vec3d{1, 0, 0}};
  f.localOrigin = {1, 2, 3};
  f.boxCorners[0] = {2, 2, 3};
  f.radius = 7.0f;
  m.pivotTag = 0;

  PoseAndPlaceScene(scene);

  // Relative to the pivot, v - (1,2,3), read along its rows (0,1,0), (-1,0,0), (0,0,1):
  // (0,2,0) -> (2,0,0); (-1,0,2) -> (0,1,2).
  ExpectNear(m.curPositions[0], {2, 0, 0}, "vertex 0");
  ExpectNear(m.curPositions[1], {0, 1, 2}, "vertex 1");
  ExpectNear(m.curNormals[0], {1, 0, 0}, "normal 0");
  ExpectNear(m.curNormals[1], {0, -1, 0}, "normal 1");
  ExpectTagsCoincide(m.curTags[0], TagRecord::Identity(), "pivot");
  ExpectNear(D(m.curTags[1].origin), {0, 0, 1}, "other tag origin");
  ExpectNear(D(m.curTags[1].axis[0]), {0, -1, 0}, "other tag x");
  ExpectNear(D(m.curTags[1].axis[1]), {1, 0, 0}, "other tag y");
  ExpectNear(D(m.curLocalOrigin), {0, 0, 0}, "local origin");
  ExpectNear(D(m.curBoxCorners[0]), {0, -1, 0}, "box corner");
  EXPECT_EQ(m.curRadius, 7.0f);
}

TEST_F(PosingTest, OffsetsActInThePivotsAxes) {
  ModelRecord& parent = AddModel(3, 1, 1);
  ModelRecord& child = AddModel(3, 1, 1);
  Link(1, 0, 0, 0);
  PoseAndPlaceScene(scene);
  const std::vector<Vec3d> still = child.curPositions;

  child.offsetPosition = {0.0f, 0.0f, 10.0f};
  PoseAndPlaceScene(scene);
  const TagRecord& anchor = parent.curTags[0];
  const Vec3d along{10.0 * anchor.axis[2][0], 10.0 * anchor.axis[2][1], 10.0 * anchor.axis[2][2]};
  ExpectNear(D(child.curTags[0].origin), {anchor.origin[0] + along[0], anchor.origin[1] + along[1],
                                          anchor.origin[2] + along[2]},
             "pivot 10 along the anchor's third axis");
  for (std::size_t v = 0; v < still.size(); ++v) ExpectNear(Sub(child.curPositions[v], still[v]), along, "vertex");

  // On a root the same offset moves the model along the world's z.
  parent.offsetPosition = {0.0f, 0.0f, 10.0f};
  PoseAndPlaceScene(scene);
  for (std::size_t v = 0; v < 3; ++v) {
    ExpectNear(parent.curPositions[v], Sub(Shown(parent).positions[v], {0, 0, -10}), "root vertex");
  }
}

TEST_F(PosingTest, ScaleComesBeforeTranslationAndLeavesDirectionsAlone) {
  ModelRecord& m = AddModel(1, 1, 1);
  FrameRecord& f = *m.frames[0];
  f.positions = {Vec3d{1, 1, 1}};
  f.normals = {Vec3d{0, 0.6, 0.8}};
  f.tags[0].origin = {1, -1, 2};
  f.boxCorners[3] = {1, 2, 3};
  f.localOrigin = {-1, 0, 1};
  f.radius = 9.0f;
  m.offsetScale = {2, 3, 4};
  m.offsetPosition = {10, 0, 0};

  PoseAndPlaceScene(scene);

  // Scaled then moved: (2,3,4) + (10,0,0); moving first would give (22,3,4).
  ExpectNear(m.curPositions[0], {12, 3, 4}, "vertex");
  ExpectNear(D(m.curTags[0].origin), {12, -3, 8}, "tag origin");
  ExpectNear(D(m.curBoxCorners[3]), {12, 6, 12}, "box corner");
  ExpectNear(D(m.curLocalOrigin), {8, 0, 4}, "local origin");
  EXPECT_EQ(m.curNormals[0], f.normals[0]);
  EXPECT_EQ(m.curTags[0].axis, f.tags[0].axis);
  EXPECT_EQ(m.curRadius, 9.0f);
}

TEST_F(PosingTest, WithoutAnAnchorAChildAndItsChildrenStayUnplaced) {
  ModelRecord& legs = AddModel(3, 1, 2);
  ModelRecord& torso = AddModel(3, 1, 2);
  ModelRecord& head = AddModel(3, 1, 1);
  Link(1, 0, 0, -1);  // "No Anchor"
  Link(2, 1, 0, 1);
  PoseAndPlaceScene(scene);
  // Both stay in their own pivot frames, at the world origin.
  ExpectTagsCoincide(torso.curTags[0], TagRecord::Identity(), "torso pivot");
  ExpectTagsCoincide(head.curTags[0], TagRecord::Identity(), "head pivot");
  EXPECT_EQ(legs.curPositions, Shown(legs).positions);
}

TEST_F(PosingTest, StaleIndicesBehaveAsNone) {
  // A pivot beyond the tag count: posed as stored.
  ModelRecord& a = AddModel(3, 2, 2);
  a.pivotTag = 2;
  // A pivot the model names but this frame lacks: posed as stored as well.
  ModelRecord& b = AddModel(3, 1, 3);
  b.frames[0]->tags.resize(2);
  b.pivotTag = 2;
  PoseAndPlaceScene(scene);
  EXPECT_EQ(a.curPositions, Shown(a).positions);
  EXPECT_EQ(b.curPositions, Shown(b).positions);

  // A parent index beyond the model list makes the model a root, whose own children are
  // still carried; an anchor beyond the parent's tags leaves the child unplaced.
  scene.Clear();
  ModelRecord& root = AddModel(3, 1, 2);
  ModelRecord& carried = AddModel(3, 1, 1);
  ModelRecord& loose = AddModel(3, 1, 1);
  Link(1, 0, 0, 1);
  Link(2, 0, 0, 2);
  root.parentIndex = 3;
  PoseAndPlaceScene(scene);
  EXPECT_EQ(root.curPositions, Shown(root).positions);
  ExpectTagsCoincide(carried.curTags[0], root.curTags[1], "carried pivot");
  ExpectTagsCoincide(loose.curTags[0], TagRecord::Identity(), "loose pivot");

  root.parentIndex = -7;
  carried.curTags.clear();
  PoseAndPlaceScene(scene);
  ExpectTagsCoincide(carried.curTags[0], root.curTags[1], "carried pivot with a negative parent");
}

TEST_F(PosingTest, OutOfRangeFrameIsDrawnAsFrameZeroAndWrittenBack) {
  ModelRecord& m = AddModel(3, 3, 1);
  for (int frame : {-3, 3, 99}) {
    m.currentFrame = frame;
    PoseAndPlaceScene(scene);
    EXPECT_EQ(m.currentFrame, 0);
    EXPECT_EQ(m.curPositions, m.frames[0]->positions);
  }
  m.currentFrame = 5;
  ApplyModelOffsets(m);
  EXPECT_EQ(m.currentFrame, 0);
}

TEST_F(PosingTest, ACycleOfParentsEndsTheWalk) {
  ModelRecord& a = AddModel(3, 1, 1);
  ModelRecord& b = AddModel(3, 1, 1);
  Link(0, 1, 0, 0);
  Link(1, 0, 0, 0);
  // Neither is a root, so neither is placed.
  PoseAndPlaceScene(scene);
  ExpectTagsCoincide(a.curTags[0], TagRecord::Identity(), "a");
  ExpectTagsCoincide(b.curTags[0], TagRecord::Identity(), "b");
  // Entered by hand, the walk still comes back; so it does from a model listed as its own child.
  PlaceLinkedModels(scene, a, TagRecord::Identity(), true);
  a.children.push_back(&a);
  PlaceLinkedModels(scene, a, TagRecord::Identity(), true);
  SUCCEED();
}

TEST_F(PosingTest, AModelWithoutFramesDrawsNothing) {
  ModelRecord& empty = AddModel(4, 0, 1);
  ModelRecord& child = AddModel(3, 1, 1);
  Link(1, 0, 0, 0);
  empty.currentFrame = 2;
  empty.offsetPosition = {1, 2, 3};
  PoseAndPlaceScene(scene);
  EXPECT_EQ(empty.currentFrame, 0);
  ASSERT_EQ(empty.curPositions.size(), 4u);
  for (const Vec3d& p : empty.curPositions) EXPECT_EQ(p, (Vec3d{0, 0, 0}));
  EXPECT_EQ(empty.curNormals.size(), 4u);
  EXPECT_TRUE(empty.curTags.empty());
  // Nothing to hang on: the child stays in its pivot frame.
  ExpectTagsCoincide(child.curTags[0], TagRecord::Identity(), "child pivot");
}

TEST_F(PosingTest, WorkBuffersFollowTheVertexCount) {
  ModelRecord& m = AddModel(6, 1, 1);
  PoseAndPlaceScene(scene);
  ASSERT_EQ(m.curPositions.size(), 6u);

  // Fewer vertices than before: the buffers shrink.
  m.numVertices = 2;
  m.frames[0]->positions.resize(2);
  m.frames[0]->normals.resize(2);
  PoseAndPlaceScene(scene);
  EXPECT_EQ(m.curPositions.size(), 2u);
  EXPECT_EQ(m.curNormals.size(), 2u);

  // A frame that holds fewer than the count still gives full buffers, the rest at zero.
  m.numVertices = 5;
  PoseAndPlaceScene(scene);
  ASSERT_EQ(m.curPositions.size(), 5u);
  EXPECT_EQ(m.curNormals.size(), 5u);
  EXPECT_EQ(m.curPositions[1], m.frames[0]->positions[1]);
  EXPECT_EQ(m.curPositions[4], (Vec3d{0, 0, 0}));
}

TEST_F(PosingTest, SiblingsLandOnTheirOwnAnchors) {
  ModelRecord& parent = AddModel(3, 2, 3);
  ModelRecord& first = AddModel(3, 2, 2);
  ModelRecord& second = AddModel(3, 2, 2);
  Link(1, 0, 1, 2);
  Link(2, 0, 0, 0);
  parent.currentFrame = 1;
  second.currentFrame = 1;
  // A pointer to a model outside the scene in the child list is not followed.
  ModelRecord stranger;
  stranger.anchorTag = 0;
  stranger.curPositions = {Vec3d{1, 2, 3}};
  parent.children.push_back(&stranger);

  PoseAndPlaceScene(scene);
  ExpectTagsCoincide(first.curTags[1], parent.curTags[2], "first child");
  ExpectTagsCoincide(second.curTags[0], parent.curTags[0], "second child");
  EXPECT_EQ(stranger.curPositions[0], (Vec3d{1, 2, 3}));
}

}  // namespace
}  // namespace tessary
