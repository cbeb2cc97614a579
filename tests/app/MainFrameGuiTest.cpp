#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"
#include "ui/OptionsBar.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/glx.h>

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new MainFrame(scene, trackball);
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    if (frame != nullptr) frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  Scene scene;
  TrackballState trackball;
  MainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, OpensAt512By384WithTheBarAtTheRight) {
  EXPECT_EQ(frame->GetSize(), wxSize(512, 384));
  EXPECT_EQ(frame->GetTitle(), "Corvane's Tessary");
  const wxSize client = frame->GetClientSize();
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(client.x - 200, 0, 200, client.y));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, client.x - 200, client.y));
  EXPECT_TRUE(frame->renderView->HasContext());
}

TEST_F(MainFrameTest, NarrowingShrinksOnlyTheView) {
  frame->SetClientSize(350, 300);
  PumpEvents();
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(150, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, 150, 300));

  frame->SetClientSize(120, 300);  // narrower than the bar: the view has no width left
  PumpEvents();
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(-80, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetSize().x, 0);
}

// Deletes texture names only when told, and notes whether a GL context was current.
class ContextCheckingDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override { return 0; }
  void UploadTexture(const ImageRGBA&) override {}
  void DeleteTexture(std::uint32_t name) override {
    deleted.push_back(name);
    contextCurrent.push_back(glXGetCurrentContext() != nullptr);
  }
  std::vector<std::uint32_t> deleted;
  std::vector<bool> contextCurrent;
};

TEST_F(MainFrameTest, ClosingFreesModelsAndLightsWhileTheContextIsCurrent) {
  ContextCheckingDevice device;
  for (std::uint32_t name : {7u, 8u}) {
    auto model = std::make_unique<ModelRecord>();
    model->textureMap = std::make_unique<ImageRGBA>();
    model->textureMap->textureName = name;
    model->textureMap->device = &device;
    scene.models.push_back(std::move(model));
  }
  scene.models[1]->glowMap = std::make_unique<ImageRGBA>();
  scene.models[1]->glowMap->textureName = 9;
  scene.models[1]->glowMap->device = &device;
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentModel = 1;

  frame->Close(true);
  frame = nullptr;
  PumpEvents();

  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{7, 8, 9}));
  EXPECT_EQ(device.contextCurrent, (std::vector<bool>{true, true, true}));
  EXPECT_TRUE(scene.models.empty());
  EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tessary
