// A long run of the real viewer: models opened and removed, maps loaded and cleared, lights
// made, attached, detached and removed, models linked and unlinked, a few hundred times
// over. Afterwards no texture object may be left and memory may not have grown beyond a
// small bound.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <deque>
#include <fstream>
#include <unistd.h>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "link/LinkageLogic.h"
#include "render/RenderView.h"
#include "scene/ModelCommands.h"
#include "support/GuiSupport.h"

namespace tessary {
namespace {

using namespace cmd;

const std::string kSamples = TESSARY_SAMPLES_DIR;
const std::string kModels = kSamples + "/models/corvane/";

// The real desktop with its file dialogs answered from a queue; any message fails the run.
class SoakDesktop : public WxDesktop {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<FileChoice> ChooseFileToOpen(const std::string&, const std::string&) override {
    if (answers.empty()) return std::nullopt;
    FileChoice choice{answers.front(), 1};
    answers.pop_front();
    return choice;
  }
  std::deque<std::string> answers;
  std::vector<std::string> messages;
};

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

class SoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<SoakDesktop>();
    desktop = owned.get();
    frame = new MainFrame(scene, trackball, std::move(owned));
    frame->Show();
    ASSERT_TRUE(testing::PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
    scene.baseFolder = kSamples;
  }
  void TearDown() override {
    frame->Destroy();
    testing::PumpEvents(std::chrono::milliseconds(50));
  }
  void Do(int command) { DispatchCommand(frame->workspace(), command); }
  void Open(const std::string& file) {
    desktop->answers.push_back(kModels + file);
    Do(kOpenModel);
  }

  void Cycle() {
    Workspace& ws = frame->workspace();
    Open("lower.md3");  // three surfaces, each with its PCX texture
    Open("upper.md3");  // three more, BMP
    Open("head.md3");   // two more, TGA; the last one is current

    for (const char* file : {"lower.pcx", "upper.bmp", "head.tga", "lower.pcx"}) desktop->answers.push_back(kModels + file);
    Do(kLoadTextureMap);
    Do(kLoadDiffusionMap);
    Do(kLoadSpecularityMap);
    Do(kLoadGlowMap);
    Do(kToggleGlowMap);
    Do(kClearDiffusionMap);
    Do(kClearGlowMap);

    Do(kAddLight);
    Do(kAddLight);
    Do(kAttachLight);
    SelectModel(ws, 0);
    Do(kAttachLight);
    Do(kAttachLight);
    Do(kToggleModelLight);
    Do(kDetachLight);
    Do(kRemoveLight);  // the second light, referenced twice

    // Head on torso on legs, through the Tag Linkage logic, then undone again.
    LinkageLogic links(ws);
    links.Open();
    links.ModelChosen(3);   // the torso
    links.PivotChosen(1);   // tag_torso
    links.ParentChosen(1);  // the first leg
    links.AnchorChosen(1);  // its tag_torso
    links.ModelChosen(6);   // the head
    links.PivotChosen(1);
    links.ParentChosen(4);  // the torso (rows: no parent, then models 0..5 but the head's own)
    links.AnchorChosen(2);  // tag_head
    Do(kNextFrameAll);
    links.ModelChosen(3);
    links.ParentChosen(0);

    SelectModel(ws, 2);
    while (!scene.models.empty()) Do(kRemoveModel);
    while (!scene.lights.empty()) Do(kRemoveLight);
  }

  Scene scene;
  TrackballState trackball;
  SoakDesktop* desktop = nullptr;
  MainFrame* frame = nullptr;
};

TEST_F(SoakTest, HundredsOfCyclesLeaveNoTexturesAndNoGrowth) {
  ASSERT_TRUE(frame->renderView->MakeContextCurrent());
  const int texturesAtStart = LiveTextureNames();
  // The count sees what the viewer makes: one texture per surface of the legs.
  Open("lower.md3");
  ASSERT_TRUE(frame->renderView->MakeContextCurrent());
  ASSERT_EQ(LiveTextureNames(), texturesAtStart + 3);
  while (!scene.models.empty()) Do(kRemoveModel);

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
  const long residentAfter = ResidentKilobytes();

  ASSERT_TRUE(frame->renderView->MakeContextCurrent());
  const int texturesAtEnd = LiveTextureNames();
  const long frames = frame->renderView->FramesDrawn() - framesBefore;
  std::printf("soak: %d cycles, %ld frames drawn, texture names %d -> %d, resident %ld kB -> %ld kB (%+ld kB)\n",
              cycles, frames, texturesAtStart, texturesAtEnd, residentBefore, residentAfter,
              residentAfter - residentBefore);

  EXPECT_TRUE(desktop->messages.empty()) << desktop->messages.front();
  EXPECT_GT(frames, cycles * 20) << "every command drew its frame";
  EXPECT_EQ(texturesAtEnd, texturesAtStart);
  // One leaked 128 x 128 texture image a cycle would already add 19 MB over the run.
  EXPECT_LT(residentAfter - residentBefore, 8 * 1024);
}

}  // namespace
}  // namespace tessary
