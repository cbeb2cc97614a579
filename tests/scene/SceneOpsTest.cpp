// File names from paths, and removing a model: the link fix-up, its texture objects, and
// the current model afterwards.
#include <gtest/gtest.h>

#include "scene/SceneOps.h"
#include "support/FakeTextureDevice.h"

namespace tessary {
namespace {

TEST(FileNameFromPathTest, KeepsWhatFollowsTheLastSeparatorOfEitherKind) {
  const std::pair<const char*, const char*> cases[] = {
      {"models/players/head.md3", "head.md3"}, {"C:\\baseq3\\lower.md3", "lower.md3"}, {"mixed\\dir/a.tga", "a.tga"},
      {"mixed/dir\\b.tga", "b.tga"}, {"u_torso", "u_torso"}, {"models/", ""}, {"", ""}};
  for (const auto& [path, name] : cases) EXPECT_EQ(FileNameFromPath(path), name) << path;
}

class RemoveModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 4; ++i) m.push_back(scene.models.emplace_back(std::make_unique<ModelRecord>()).get());
  }
  std::vector<ModelRecord*> Left() const {
    std::vector<ModelRecord*> left;
    for (const auto& model : scene.models) left.push_back(model.get());
    return left;
  }
  testing::FakeTextureDevice device;  // outlives the scene, whose images it deletes
  Scene scene;
  std::vector<ModelRecord*> m;
};

TEST_F(RemoveModelTest, ChildrenOfTheRemovedModelComeLooseLaterParentsMoveDownAndItsTexturesGo) {
  // m3 hangs on m1 and m2 on m0, as m0 does on m3, a parent later in the list.
  std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag) = std::make_tuple(1, 2, 1);
  std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag) = std::make_tuple(0, 1, 0);
  std::tie(m[0]->parentIndex, m[0]->anchorTag) = std::make_tuple(3, 4);
  for (MapSlot slot : {kGlowSlot, kDiffusionSlot, kSpecularitySlot, kTextureSlot}) {
    auto& image = (slot == kGlowSlot ? m[0] : m[1])->MapImage(slot) = std::make_unique<ImageRGBA>();
    image->device = &device;
    image->textureName = device.CreateTexture();  // 1 for m0, then 2, 3, 4 for m1
  }
  scene.currentModel = 1;
  RemoveModelAt(scene, 1);
  ASSERT_EQ(Left(), (std::vector<ModelRecord*>{m[0], m[2], m[3]}));
  EXPECT_EQ(std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag), std::make_tuple(-1, -1, 1));
  EXPECT_EQ(std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag), std::make_tuple(0, 1, 0));
  EXPECT_EQ(std::tie(m[0]->parentIndex, m[0]->anchorTag), std::make_tuple(2, 4));
  EXPECT_EQ(m[0]->children, (std::vector<ModelRecord*>{m[2]}));
  EXPECT_EQ(m[3]->children, (std::vector<ModelRecord*>{m[0]}));
  EXPECT_TRUE(m[2]->children.empty());
  EXPECT_EQ(scene.currentModel, 1);
  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{4, 3, 2}));  // texture, specularity, diffusion
  EXPECT_EQ(device.live, (std::set<std::uint32_t>{1}));
}

TEST_F(RemoveModelTest, CurrentModelFallsBackToTheFirstOrToNone) {
  scene.currentModel = 3;
  RemoveModelAt(scene, 4);  // out of range either way: nothing happens
  RemoveModelAt(scene, -1);
  EXPECT_EQ(scene.ModelCount(), 4);
  RemoveModelAt(scene, 3);
  EXPECT_EQ(scene.currentModel, 0);
  scene.currentModel = 2;
  RemoveModelAt(scene, 0);
  EXPECT_EQ(Left(), (std::vector<ModelRecord*>{m[1], m[2]}));
  EXPECT_EQ(scene.currentModel, 0);
  RemoveModelAt(scene, 0);
  RemoveModelAt(scene, 0);
  EXPECT_EQ(scene.currentModel, -1);
}

}  // namespace
}  // namespace tessary
