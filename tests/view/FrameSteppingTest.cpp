// Stepping frames by hand: wrap-around both ways on each model's own frame count, locked
// models, and the empty scene.
#include <gtest/gtest.h>

#include "support/TestWorkspace.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Log = std::vector<std::string>;

TEST(FrameSteppingTest, ModelsWrapBothWaysOnTheirOwnFrameCountsUnlessLocked) {
  testing::TestWorkspace t;
  for (int count : {1, 2, 5, 4}) {
    t.scene.models.push_back(std::make_unique<ModelRecord>());
    t.scene.models.back()->frames.resize(static_cast<std::size_t>(count));
  }
  std::tie(t.scene.models[3]->lockFrame, t.scene.models[3]->currentFrame) = std::make_pair(1, 2);
  auto frames = [&] {
    std::vector<int> f;
    for (const auto& m : t.scene.models) f.push_back(m->currentFrame);
    return f;
  };
  // All models five steps forward, then one back; then the model with five frames alone.
  const std::vector<int> expected[] = {{0, 1, 1, 2}, {0, 0, 2, 2}, {0, 1, 3, 2}, {0, 0, 4, 2}, {0, 1, 0, 2},
                                       {0, 0, 4, 2}, {0, 0, 0, 2}, {0, 0, 4, 2}};
  for (int i = 0; i < 8; ++i) {
    t.scene.currentModel = 2;
    if (i < 6) StepAllModels(t.ws, i < 5 ? +1 : -1);
    else StepCurrentModel(t.ws, i == 6 ? +1 : -1);
    EXPECT_EQ(frames(), expected[i]) << "step " << i;
  }
  EXPECT_EQ(t.desktop.sceneRedraws, 8);
  EXPECT_EQ(t.desktop.log.back(), "refresh");
  t.scene.currentModel = 3;  // locked: nothing moves and nothing is drawn
  t.desktop.ClearRecords();
  StepCurrentModel(t.ws, +1);
  EXPECT_EQ(t.scene.models[3]->currentFrame, 2);
  EXPECT_TRUE(t.desktop.log.empty());
}

TEST(FrameSteppingTest, AnEmptySceneHasNothingToStepButAllModelsStillRedraws) {
  testing::TestWorkspace t;
  StepCurrentModel(t.ws, +1);
  EXPECT_TRUE(t.desktop.log.empty());
  StepAllModels(t.ws, -1);
  EXPECT_EQ(t.desktop.log, (Log{"redraw", "refresh"}));
}

}  // namespace
}  // namespace tessary
