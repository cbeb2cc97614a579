// Stepping frames by hand: wrap-around both ways on each model's own frame count, locked
// models, and the empty scene.
#include <gtest/gtest.h>

#include "support/TestWorkspace.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

TEST(FrameSteppingTest, ModelsWrapBothWaysOnTheirOwnFrameCountsUnlessLocked) {
  testing::TestWorkspace t;
  StepCurrentModel(t.ws, +1);
  StepAllModels(t.ws, -1);
  EXPECT_EQ(t.desktop.log, (std::vector<std::string>{"redraw", "refresh"})) << "all models redraw even with none";
  for (int count : {1, 2, 5, 4}) t.scene.models.emplace_back(std::make_unique<ModelRecord>())->frames.resize(count);
  std::tie(t.scene.models[3]->lockFrame, t.scene.models[3]->currentFrame) = std::make_pair(1, 2);
  // All models five steps forward, then one back; then the model with five frames alone;
  // then the locked one, which stays and draws nothing.
  const std::vector<int> expected[] = {{0, 1, 1, 2}, {0, 0, 2, 2}, {0, 1, 3, 2}, {0, 0, 4, 2}, {0, 1, 0, 2},
                                       {0, 0, 4, 2}, {0, 0, 0, 2}, {0, 0, 4, 2}, {0, 0, 4, 2}};
  for (int i = 0; i < 9; ++i) {
    t.desktop.ClearRecords();
    t.scene.currentModel = i < 8 ? 2 : 3;
    if (i < 6) StepAllModels(t.ws, i < 5 ? +1 : -1);
    else StepCurrentModel(t.ws, i == 6 ? +1 : -1);
    std::vector<int> frames;
    for (const auto& m : t.scene.models) frames.push_back(m->currentFrame);
    EXPECT_EQ(frames, expected[i]) << "step " << i;
    EXPECT_EQ(t.desktop.log.size(), i < 8 ? 2u : 0u) << "step " << i;
  }
}

}  // namespace
}  // namespace tessary
