// Path helpers and model removal: the link fix-up, the freeing of a removed model's
// texture objects, and the current model afterwards.
#include <gtest/gtest.h>

#include "scene/SceneOps.h"
#include "support/FakeTextureDevice.h"

namespace tessary {
namespace {

TEST(FileNameFromPathTest, KeepsWhatFollowsTheLastSeparatorOfEitherKind) {
  EXPECT_EQ(FileNameFromPath("models/players/corvane/head.md3"), "head.md3");
  EXPECT_EQ(FileNameFromPath("C:\\baseq3\\models\\lower.md3"), "lower.md3");
  EXPECT_EQ(FileNameFromPath("mixed\\dir/name.tga"), "name.tga");
  EXPECT_EQ(FileNameFromPath("mixed/dir\\name.tga"), "name.tga");
  EXPECT_EQ(FileNameFromPath("u_torso"), "u_torso");
  EXPECT_EQ(FileNameFromPath("models/players/"), "");
  EXPECT_EQ(FileNameFromPath("trailing\\"), "");
  EXPECT_EQ(FileNameFromPath(""), "");
}

TEST(PathHasDotTest, LooksAtTheWholePathFoldersIncluded) {
  EXPECT_FALSE(PathHasDot("lights/key"));
  EXPECT_TRUE(PathHasDot("lights/key.lgt"));
  EXPECT_TRUE(PathHasDot("my.lights/key"));
  EXPECT_FALSE(PathHasDot(""));
}

class RemoveModelTest : public ::testing::Test {
 protected:
  ModelRecord& Add(const std::string& name) {
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.models.back()->name = name;
    return *scene.models.back();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& m : scene.models) names.push_back(m->name);
    return names;
  }
  // Declared before the scene so that the images still in it are freed while it exists.
  testing::FakeTextureDevice device;
  Scene scene;
};

TEST_F(RemoveModelTest, ChildrenOfTheRemovedModelLoseParentAndAnchorButKeepTheirPivot) {
  // Models 0..3; model 3 hangs on model 1, model 2 on model 0.
  Add("m0");
  Add("m1");
  ModelRecord& m2 = Add("m2");
  ModelRecord& m3 = Add("m3");
  m2.parentIndex = 0;
  m2.anchorTag = 1;
  m2.pivotTag = 0;
  m3.parentIndex = 1;
  m3.anchorTag = 2;
  m3.pivotTag = 1;
  scene.currentModel = 1;

  RemoveModelAt(scene, 1);

  ASSERT_EQ(Names(), (std::vector<std::string>{"m0", "m2", "m3"}));
  const ModelRecord& former3 = *scene.models[2];
  EXPECT_EQ(former3.parentIndex, -1);
  EXPECT_EQ(former3.anchorTag, -1);
  EXPECT_EQ(former3.pivotTag, 1);
  const ModelRecord& former2 = *scene.models[1];
  EXPECT_EQ(former2.parentIndex, 0);
  EXPECT_EQ(former2.anchorTag, 1);
  EXPECT_EQ(former2.pivotTag, 0);
  ASSERT_EQ(scene.models[0]->childCount, 1);
  EXPECT_EQ(scene.models[0]->children, (std::vector<ModelRecord*>{&m2}));
  EXPECT_TRUE(former3.children.empty());
  EXPECT_EQ(scene.currentModel, 1);
}

TEST_F(RemoveModelTest, LinksToLaterModelsFollowThemDownOnePlace) {
  ModelRecord& m0 = Add("m0");
  Add("m1");
  Add("m2");
  ModelRecord& m3 = Add("m3");
  m0.parentIndex = 3;  // a parent later in the list than the child
  m0.anchorTag = 4;
  m3.parentIndex = 2;
  m3.anchorTag = 0;

  RemoveModelAt(scene, 1);

  EXPECT_EQ(m0.parentIndex, 2);
  EXPECT_EQ(m0.anchorTag, 4);
  EXPECT_EQ(m3.parentIndex, 1);
  EXPECT_EQ(scene.models[2]->children, (std::vector<ModelRecord*>{&m0}));
  EXPECT_EQ(scene.models[1]->children, (std::vector<ModelRecord*>{&m3}));
}

TEST_F(RemoveModelTest, CurrentModelFallsBackToTheFirstOrToNone) {
  for (const char* n : {"a", "b", "c"}) Add(n);
  scene.currentModel = 2;
  RemoveModelAt(scene, 2);
  EXPECT_EQ(scene.currentModel, 0);

  scene.currentModel = 1;
  RemoveModelAt(scene, 0);
  EXPECT_EQ(Names(), (std::vector<std::string>{"b"}));
  EXPECT_EQ(scene.currentModel, 0);

  RemoveModelAt(scene, 0);
  EXPECT_TRUE(scene.models.empty());
  EXPECT_EQ(scene.currentModel, -1);
}

TEST_F(RemoveModelTest, AnIndexOutOfRangeChangesNothing) {
  Add("a").parentIndex = 1;
  Add("b");
  scene.currentModel = 1;
  RemoveModelAt(scene, 2);
  RemoveModelAt(scene, -1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(scene.models[0]->parentIndex, 1);
  EXPECT_EQ(scene.currentModel, 1);
}

TEST_F(RemoveModelTest, TheRemovedModelsTextureObjectsAreDeletedInSlotOrderAndNoOthers) {
  auto image = [&] {
    auto img = std::make_unique<ImageRGBA>();
    img->device = &device;
    img->textureName = device.CreateTexture();
    return img;
  };
  ModelRecord& keep = Add("keep");
  keep.textureMap = image();  // name 1
  ModelRecord& gone = Add("gone");
  gone.glowMap = image();         // 2
  gone.diffusionMap = image();    // 3
  gone.specularityMap = image();  // 4
  gone.textureMap = image();      // 5

  RemoveModelAt(scene, 1);

  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{5, 4, 3, 2}));
  EXPECT_EQ(device.live, (std::set<std::uint32_t>{1}));
}

}  // namespace
}  // namespace tessary
