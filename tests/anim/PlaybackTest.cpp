// Playback of plain model files: clocks that run by elapsed time, the frames and blends they
// show, locks, stepping by hand, rates, the fix-up when models go, the status bar's text;
// and the pace of a view that moves by itself.
#include <gtest/gtest.h>

#include "anim/AnimationCommands.h"
#include "anim/StatusText.h"
#include "scene/SceneOps.h"
#include "support/TestWorkspace.h"
#include "view/RedrawPacer.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Shown = std::tuple<int, int, float>;  // frame, blend frame, blend

class PlaybackTest : public ::testing::Test {
 protected:
  // A file of `records` models with `frames` (empty) frames each, as loading makes it.
  void AddFile(const std::string& path, int records, int frames) {
    const std::int32_t first = t.scene.ModelCount();
    for (int r = 0; r < records; ++r) {
      auto& m = *t.scene.models.emplace_back(std::make_unique<ModelRecord>());
      m.sourceFile = path;
      m.frames.resize(static_cast<std::size_t>(frames));
    }
    AddPlainPlayback(t.scene.animation, first, records, frames);
  }
  Shown Of(int model) {
    const ModelRecord& m = *t.scene.models[static_cast<std::size_t>(model)];
    return {m.currentFrame, m.blendFrame, m.blend};
  }
  testing::TestWorkspace t;
};

TEST_F(PlaybackTest, ClocksRunByElapsedTimeAndLocksStepsRatesAndRemovalsActOnThem) {
  AddFile("/m/a.md3", 2, 10);  // models 0 and 1
  AddFile("/m/b.md3", 1, 4);   // model 2
  t.scene.currentModel = 0;
  EXPECT_FALSE(ViewIsMoving(t.ws));
  TogglePlayback(t.ws);  // a.md3 only: b.md3 plays with nothing
  EXPECT_TRUE(ViewIsMoving(t.ws));
  t.desktop.ClearRecords();
  AdvanceMovingView(t.ws, 0.1);  // 1.5 frames at 15 a second
  EXPECT_EQ(t.desktop.log, (std::vector<std::string>{"repaint", "status"}));
  EXPECT_EQ(Of(0), Shown(1, 2, 0.5f));
  EXPECT_EQ(Of(2), Shown(0, 0, 0.0f));
  t.scene.models[1]->lockFrame = 1;
  AdvanceMovingView(t.ws, 0.05);
  EXPECT_EQ(Of(0), Shown(2, 3, 0.25f));
  EXPECT_EQ(Of(1), Shown(1, 2, 0.5f)) << "a locked model keeps its pose";

  // Faster and slower move along 12, 15, 20 frames a second and keep the frame on show.
  ChangePlaybackRate(t.ws, true);
  EXPECT_EQ(t.scene.animation.files[0].rate, 20.0);
  ChangePlaybackRate(t.ws, false);
  ChangePlaybackRate(t.ws, false);
  EXPECT_EQ(t.scene.animation.files[0].rate, 12.0);
  ShowPlayingFrames(t.scene);
  EXPECT_EQ(Of(0), Shown(2, 3, 0.25f));

  // A step by hand stops the file and shows a whole frame; playing again goes on from it.
  StepCurrentModel(t.ws, +1);
  EXPECT_FALSE(t.scene.animation.files[0].playing);
  EXPECT_EQ(Of(0), Shown(3, 3, 0.0f));
  TogglePlayback(t.ws);
  AdvanceMovingView(t.ws, 1.0 / 24);  // half a frame at 12 a second
  EXPECT_EQ(Of(0), Shown(3, 4, 0.5f));
  const StatusFields s = BuildStatusFields(t.scene);
  EXPECT_EQ(std::tie(s.file, s.frame, s.sequences, s.rate),
            std::make_tuple("a.md3", "Frame 3 \u2192 4 (50%)", "All frames", "12 fps, playing"));

  // Removing models: later records move down, a file without models is dropped.
  RemoveModelAt(t.scene, 0);
  EXPECT_EQ(t.scene.animation.files[0].records, std::vector<std::int32_t>{0});
  EXPECT_EQ(FileOfModel(t.scene.animation, 1), 1);
  RemoveModelAt(t.scene, 0);
  ASSERT_EQ(t.scene.animation.files.size(), 1u);
  EXPECT_EQ(t.scene.animation.files[0].records, std::vector<std::int32_t>{0});
  EXPECT_EQ(t.scene.animation.files[0].sequences[0].count, 4);
  t.scene.currentModel = 0;
  TogglePlayback(t.ws);
  StepAllModels(t.ws, +1);
  EXPECT_FALSE(AnyPlaying(t.scene));
}

TEST(RedrawPacer, DrawsNoMoreThanOnceARefreshYetALittleEarlyAndCatchesUpAfterAStall) {
  RedrawPacer pacer(0.0);  // unknown: 60 a second
  EXPECT_EQ(pacer.Interval(), 1.0 / 60);
  EXPECT_EQ(pacer.WaitBefore(10.0), 0.0);
  EXPECT_EQ(pacer.FrameDrawn(10.0), 1.0 / 60) << "the first frame after rest counts one refresh";
  // The next slot is a sixtieth on; a frame may come an eighth of a refresh early.
  EXPECT_NEAR(pacer.WaitBefore(10.005), 10.0 + 7.0 / 8 / 60 - 10.005, 1e-12);
  EXPECT_EQ(pacer.WaitBefore(10.0146), 0.0);
  EXPECT_NEAR(pacer.FrameDrawn(10.015), 0.015, 1e-12);
  EXPECT_NEAR(pacer.WaitBefore(10.02), 10.0 + 2.0 / 60 - 1.0 / 480 - 10.02, 1e-12);
  EXPECT_EQ(pacer.FrameDrawn(12.0), RedrawPacer::kLongestStep) << "a stall counts as a quarter second";
  EXPECT_NEAR(pacer.WaitBefore(12.0), 1.0 / 60 - 1.0 / 480, 1e-12) << "no burst to catch up";
  pacer.Rest();
  EXPECT_EQ(pacer.FrameDrawn(20.0), 1.0 / 60);

  // Asked every millisecond for 10 seconds, it draws at the refresh rate, never above it.
  for (double refresh : {60.0, 144.0}) {
    RedrawPacer p(refresh);
    int frames = 0;
    for (int ms = 0; ms < 10000; ++ms) {
      if (p.WaitBefore(ms / 1000.0) > 0.0) continue;
      p.FrameDrawn(ms / 1000.0);
      ++frames;
    }
    EXPECT_LE(frames, 10 * refresh + 1) << refresh;
    EXPECT_GE(frames, 10 * refresh * 0.9) << refresh;
  }
}

}  // namespace
}  // namespace tessary
