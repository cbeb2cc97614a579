// A long run of the real viewer: models opened and removed, maps loaded and cleared, lights
// made, attached, detached and removed, models linked and unlinked, a few hundred times
// over. Afterwards no texture object may be left and memory may not have grown beyond a
// small bound.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <fstream>
#include <unistd.h>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "link/LinkageLogic.h"
#include "scene/ModelCommands.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using namespace cmd;

long ResidentKilobytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Texture names in use in the current context (names are small integers handed out from 1).
int LiveTextureNames() {
  int live = 0;
  for (GLuint name = 1; name < 200000; ++name) live += glIsTexture(name) ? 1 : 0;
  return live;
}

class SoakTest : public testing::GuiTest {
 protected:
  void Do(std::initializer_list<int> commands) {
    for (int command : commands) DispatchCommand(ws(), command);
  }
  // Files of the demo figure, given to the next open-file dialogs.
  void Answer(std::initializer_list<const char*> files) {
    for (const char* file : files) desktop->answers.push_back(std::string(TESSARY_SAMPLES_DIR "/models/corvane/") + file);
  }
  int Textures() {
    EXPECT_TRUE(frame->renderView->MakeContextCurrent());
    return LiveTextureNames();
  }
  void Cycle() {
    desktop->dialogs.clear();
    // Legs, torso and head: eight models (one per surface) with PCX, BMP and TGA textures.
    Answer({"lower.md3", "upper.md3", "head.md3", "lower.pcx", "upper.bmp", "head.tga", "lower.pcx"});
    Do({kOpenModel, kOpenModel, kOpenModel, kLoadTextureMap, kLoadDiffusionMap, kLoadSpecularityMap, kLoadGlowMap,
        kToggleGlowMap, kClearDiffusionMap, kClearGlowMap, kAddLight, kAddLight, kAttachLight});
    SelectModel(ws(), 0);
    Do({kAttachLight, kAttachLight, kToggleModelLight, kDetachLight, kRemoveLight});  // the second light, used twice
    // A torso surface on the first leg, a head surface on that torso, then the torso let go.
    // Parent rows are "No Parent" and then every model but the one edited.
    LinkageLogic links(ws());
    links.Open();
    for (const auto& [model, pivot, parent, anchor] : {std::array{3, 1, 1, 1}, std::array{6, 1, 4, 2}}) {
      links.ModelChosen(model);
      links.PivotChosen(pivot);
      links.ParentChosen(parent);
      links.AnchorChosen(anchor);
    }
    Do({kNextFrameAll});
    links.ModelChosen(3);
    links.ParentChosen(0);
    SelectModel(ws(), 2);
    while (!scene.models.empty()) Do({kRemoveModel});
    while (!scene.lights.empty()) Do({kRemoveLight});
  }
};

TEST_F(SoakTest, HundredsOfCyclesLeaveNoTexturesAndNoGrowth) {
  scene.baseFolder = TESSARY_SAMPLES_DIR;
  const int texturesAtStart = Textures();
  // The count sees what the viewer makes: one texture per surface of the legs.
  Answer({"lower.md3"});
  Do({kOpenModel});
  ASSERT_EQ(Textures(), texturesAtStart + 3);
  Do({kRemoveModel, kRemoveModel, kRemoveModel});

  // The first cycles settle the allocator, the driver's caches and the window system.
  for (int i = 0; i < 20; ++i) Cycle();
  testing::PumpEvents(std::chrono::milliseconds(50));
  const long residentBefore = ResidentKilobytes();
  const long framesBefore = frame->renderView->FramesDrawn();
  const int cycles = 300;
  for (int i = 0; i < cycles; ++i) {
    Cycle();
    if (i % 25 == 0) testing::PumpEvents(std::chrono::milliseconds(10));
  }
  testing::PumpEvents(std::chrono::milliseconds(50));
  const long grown = ResidentKilobytes() - residentBefore;
  const long frames = frame->renderView->FramesDrawn() - framesBefore;
  const int texturesAtEnd = Textures();
  std::printf("soak: %d cycles, %ld frames, texture names %d -> %d, resident %+ld kB\n", cycles, frames,
              texturesAtStart, texturesAtEnd, grown);
  EXPECT_EQ(desktop->messages, std::vector<std::string>{});
  EXPECT_GT(frames, cycles * 20) << "every command drew its frame";
  EXPECT_EQ(texturesAtEnd, texturesAtStart);
  // One leaked 128 x 128 texture image a cycle would already add 19 MB over the run.
  EXPECT_LT(grown, 8 * 1024);
}

}  // namespace
}  // namespace tessary
