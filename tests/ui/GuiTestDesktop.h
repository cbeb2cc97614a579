// The real wx desktop with its modal parts scripted, for GUI tests: messages and file
// dialogs are recorded instead of shown, the modal dialogs are recorded (or run for real
// when a test asks), and redraws and refreshes are counted on their way to the windows.
// Also helpers that put models, maps and lights into a scene by hand.
#pragma once

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/MainFrame.h"
#include "app/WxDesktop.h"
#include "support/GuiSupport.h"

namespace tessary::testing {

class GuiTestDesktop : public WxDesktop {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<FileChoice> ChooseFileToOpen(const std::string& filter, const std::string&) override {
    fileDialogs.push_back("open " + filter);
    return std::nullopt;
  }
  std::optional<FileChoice> ChooseFileToSave(const std::string& filter, const std::string&) override {
    fileDialogs.push_back("save " + filter);
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string& title) override {
    fileDialogs.push_back("folder " + title);
    return std::nullopt;
  }
  void RequestSceneRedraw() override {
    ++sceneRedraws;
    WxDesktop::RequestSceneRedraw();
  }
  void RepaintView() override {
    ++viewRepaints;
    WxDesktop::RepaintView();
  }
  void RefreshPanel() override {
    ++panelRefreshes;
    WxDesktop::RefreshPanel();
  }
  void RunTagLinkageDialog() override { Run("linkage", [this] { WxDesktop::RunTagLinkageDialog(); }); }
  void RunModelOffsetsDialog(ModelRecord& m) override {
    Run("offsets", [&] { WxDesktop::RunModelOffsetsDialog(m); });
  }
  void RunLightPropertiesDialog(LightRecord& l) override {
    Run("lightprops", [&] { WxDesktop::RunLightPropertiesDialog(l); });
  }
  void RunBackgroundColorDialog() override { Run("background", [this] { WxDesktop::RunBackgroundColorDialog(); }); }
  void RunAboutBox() override { Run("about", [this] { WxDesktop::RunAboutBox(); }); }

  bool runRealDialogs = false;
  std::vector<std::string> messages;
  std::vector<std::string> fileDialogs;
  std::vector<std::string> dialogs;
  int sceneRedraws = 0;
  int viewRepaints = 0;
  int panelRefreshes = 0;

 private:
  template <typename F>
  void Run(const char* name, F&& real) {
    dialogs.push_back(name);
    if (runRealDialogs) real();
  }
};

// A model with the given tags and frames (empty geometry), appended to the scene.
inline ModelRecord& AddTestModel(Scene& scene, const std::string& name, std::vector<std::string> tags = {},
                                 int frames = 3) {
  auto model = std::make_unique<ModelRecord>();
  model->name = name;
  for (int f = 0; f < frames; ++f) {
    auto frame = std::make_unique<FrameRecord>();
    frame->tags.assign(tags.size(), TagRecord::Identity());
    model->frames.push_back(std::move(frame));
  }
  model->tagNames = std::move(tags);
  scene.models.push_back(std::move(model));
  return *scene.models.back();
}

// An image that only carries a file name (no texture object), put into a map slot.
inline void PutTestMap(ModelRecord& model, MapSlot slot, const std::string& fileName) {
  auto image = std::make_unique<ImageRGBA>();
  image->width = image->height = 1;
  image->pixels = {255, 255, 255, 255};
  image->fileName = fileName;
  model.MapImage(slot) = std::move(image);
}

inline LightRecord& AddTestLight(Scene& scene, const std::string& name) {
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.lights.back()->name = name;
  return *scene.lights.back();
}

// Saves a screenshot as DIR/name.png when TESSARY_SCREENSHOT_DIR names a folder, for a
// person to look at what the tests showed; never part of what a test asserts.
inline void ScreenshotIfAsked(const std::string& name) {
  const char* folder = std::getenv("TESSARY_SCREENSHOT_DIR");
  if (folder != nullptr && *folder != '\0') SaveScreenshot(std::string(folder) + "/" + name + ".png");
}

}  // namespace tessary::testing
