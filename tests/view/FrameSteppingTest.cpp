// Stepping frames by hand: wrap-around, locked models, the empty scene and the frame lock.
#include <gtest/gtest.h>

#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

class FrameSteppingTest : public ::testing::Test {
 protected:
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};

  ModelRecord& AddModel(int frameCount) {
    auto model = std::make_unique<ModelRecord>();
    for (int i = 0; i < frameCount; ++i) model->frames.push_back(std::make_unique<FrameRecord>());
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  const std::vector<std::string> kRedrawAndRefresh{"redraw", "refresh"};
};

TEST_F(FrameSteppingTest, CurrentModelWrapsBothWays) {
  AddModel(2);
  ModelRecord& m = AddModel(3);
  scene.currentModel = 1;
  StepCurrentModel(ws, +1);
  EXPECT_EQ(m.currentFrame, 1);
  EXPECT_EQ(desktop.log, kRedrawAndRefresh);
  StepCurrentModel(ws, +1);
  StepCurrentModel(ws, +1);
  EXPECT_EQ(m.currentFrame, 0) << "past the last frame comes frame 0";
  StepCurrentModel(ws, -1);
  EXPECT_EQ(m.currentFrame, 2) << "before frame 0 comes the last frame";
  EXPECT_EQ(scene.models[0]->currentFrame, 0) << "other models are not stepped";
  EXPECT_EQ(desktop.sceneRedraws, 4);
  EXPECT_EQ(desktop.panelRefreshes, 4);
}

TEST_F(FrameSteppingTest, SingleFrameStaysOnZero) {
  ModelRecord& m = AddModel(1);
  scene.currentModel = 0;
  StepCurrentModel(ws, +1);
  EXPECT_EQ(m.currentFrame, 0);
  StepCurrentModel(ws, -1);
  EXPECT_EQ(m.currentFrame, 0);
  StepAllModels(ws, -1);
  EXPECT_EQ(m.currentFrame, 0);
}

TEST_F(FrameSteppingTest, NoCurrentModelDoesNothing) {
  AddModel(4);
  for (int current : {-1, 1, 500}) {
    scene.currentModel = current;
    StepCurrentModel(ws, +1);
    EXPECT_EQ(scene.models[0]->currentFrame, 0);
  }
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(FrameSteppingTest, LockedModelIsLeftAloneWithoutARedraw) {
  ModelRecord& locked = AddModel(4);
  ModelRecord& free = AddModel(4);
  locked.lockFrame = 1;
  locked.currentFrame = 2;
  scene.currentModel = 0;
  StepCurrentModel(ws, +1);
  StepCurrentModel(ws, -1);
  EXPECT_EQ(locked.currentFrame, 2);
  EXPECT_TRUE(desktop.log.empty());

  StepAllModels(ws, +1);
  EXPECT_EQ(locked.currentFrame, 2);
  EXPECT_EQ(free.currentFrame, 1);
  EXPECT_EQ(desktop.log, kRedrawAndRefresh);
}

TEST_F(FrameSteppingTest, EmptySceneStillRedrawsForTheShiftVariants) {
  StepCurrentModel(ws, +1);
  EXPECT_TRUE(desktop.log.empty());
  StepAllModels(ws, +1);
  EXPECT_EQ(desktop.log, kRedrawAndRefresh);
  StepAllModels(ws, -1);
  EXPECT_EQ(desktop.sceneRedraws, 2);
  EXPECT_EQ(desktop.panelRefreshes, 2);
}

TEST_F(FrameSteppingTest, ModelsWithDifferentFrameCountsWrapIndependently) {
  ModelRecord& two = AddModel(2);
  ModelRecord& three = AddModel(3);
  ModelRecord& five = AddModel(5);
  const int expected[][3] = {{1, 1, 1}, {0, 2, 2}, {1, 0, 3}, {0, 1, 4}, {1, 2, 0}};
  for (const auto& e : expected) {
    StepAllModels(ws, +1);
    EXPECT_EQ(two.currentFrame, e[0]);
    EXPECT_EQ(three.currentFrame, e[1]);
    EXPECT_EQ(five.currentFrame, e[2]);
  }
  // And back: 1 -> 0, 2 -> 1, 0 -> 4.
  StepAllModels(ws, -1);
  EXPECT_EQ(two.currentFrame, 0);
  EXPECT_EQ(three.currentFrame, 1);
  EXPECT_EQ(five.currentFrame, 4);
}

TEST_F(FrameSteppingTest, StaleFrameNumbersComeBackIntoRange) {
  ModelRecord& m = AddModel(3);
  scene.currentModel = 0;
  m.currentFrame = 7;
  StepCurrentModel(ws, +1);
  EXPECT_EQ(m.currentFrame, 0);
  m.currentFrame = -4;
  StepAllModels(ws, -1);
  EXPECT_EQ(m.currentFrame, 2);
}

TEST_F(FrameSteppingTest, ModelWithoutFramesIsNotStepped) {
  ModelRecord& empty = AddModel(0);
  scene.currentModel = 0;
  StepCurrentModel(ws, +1);
  EXPECT_EQ(empty.currentFrame, 0);
  EXPECT_TRUE(desktop.log.empty());
  StepAllModels(ws, -1);
  EXPECT_EQ(empty.currentFrame, 0);
}

TEST_F(FrameSteppingTest, LockFrameToggles) {
  ModelRecord& m = AddModel(3);
  scene.currentModel = -1;
  ToggleLockFrame(ws);
  EXPECT_EQ(m.lockFrame, 0);
  EXPECT_TRUE(desktop.log.empty());

  scene.currentModel = 0;
  ToggleLockFrame(ws);
  EXPECT_EQ(m.lockFrame, 1);
  EXPECT_EQ(desktop.log, kRedrawAndRefresh);
  ToggleLockFrame(ws);
  EXPECT_EQ(m.lockFrame, 0);
  // Any value but 1 counts as unlocked and becomes 1.
  m.lockFrame = 7;
  ToggleLockFrame(ws);
  EXPECT_EQ(m.lockFrame, 1);
}

}  // namespace
}  // namespace tessary
