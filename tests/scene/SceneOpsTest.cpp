// File names from paths, and removing a model: the link fix-up, its texture objects, and
// the current model afterwards.
#include <gtest/gtest.h>

#include "scene/SceneOps.h"
#include "support/FakeTextureDevice.h"

namespace tessary {
namespace {

TEST(FileNameFromPath, KeepsWhatFollowsTheLastSeparatorOfEitherKind) {
  const std::pair<const char*, const char*> cases[] = {
      {"models/players/head.md3", "head.md3"}, {"C:\\baseq3\\lower.md3", "lower.md3"}, {"mixed\\dir/a.tga", "a.tga"},
      {"mixed/dir\\b.tga", "b.tga"}, {"u_torso", "u_torso"}, {"models/", ""}, {"", ""}};
  for (const auto& [path, name] : cases) EXPECT_EQ(FileNameFromPath(path), name) << path;
}

TEST(RemoveModelAt, ChildrenComeLooseLaterParentsMoveDownTexturesGoAndTheCurrentModelStaysValid) {
  testing::FakeTextureDevice device;  // outlives the scene, whose images it deletes
  Scene scene;
  std::vector<ModelRecord*> m;
  for (int i = 0; i < 5; ++i) m.push_back(scene.models.emplace_back(std::make_unique<ModelRecord>()).get());
  auto left = [&] {
    std::vector<ModelRecord*> models;
    for (const auto& model : scene.models) models.push_back(model.get());
    return models;
  };
  // m3 hangs on m1 and m2 on m0, as m0 does on m3, a parent later in the list.
  std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag) = std::make_tuple(1, 2, 1);
  std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag) = std::make_tuple(0, 1, 0);
  std::tie(m[0]->parentIndex, m[0]->anchorTag) = std::make_tuple(3, 4);
  for (MapSlot slot : {kGlowSlot, kDiffusionSlot, kSpecularitySlot, kTextureSlot}) {
    auto& image = (slot == kGlowSlot ? m[0] : m[1])->MapImage(slot) = std::make_unique<ImageRGBA>();
    std::tie(image->device, image->textureName) = std::make_pair(&device, device.CreateTexture());  // 1 for m0, 2-4 for m1
  }
  scene.currentModel = 1;
  RemoveModelAt(scene, 1);
  ASSERT_EQ(left(), (std::vector<ModelRecord*>{m[0], m[2], m[3], m[4]}));
  EXPECT_EQ(std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag), std::make_tuple(-1, -1, 1));
  EXPECT_EQ(std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag), std::make_tuple(0, 1, 0));
  EXPECT_EQ(std::tie(m[0]->parentIndex, m[0]->anchorTag), std::make_tuple(2, 4));
  EXPECT_EQ(std::make_tuple(m[0]->children, m[3]->children, m[2]->children.size()),
            std::make_tuple(std::vector<ModelRecord*>{m[2]}, std::vector<ModelRecord*>{m[0]}, 0ul));
  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{4, 3, 2}));  // texture, specularity, diffusion
  EXPECT_EQ(device.live, (std::set<std::uint32_t>{1}));

  // The current model stays where it is, falls back to the first past the end, and to none.
  const std::pair<int, int> removals[] = {{5, 1}, {-1, 1}, {3, 1}, {2, 1}, {1, 0}, {0, -1}};  // index, current after
  for (auto [index, current] : removals) {
    RemoveModelAt(scene, index);
    EXPECT_EQ(scene.currentModel, current) << index;
  }
  EXPECT_TRUE(left().empty());
}

}  // namespace
}  // namespace tessary
