// The desktop of the real viewer: wx message boxes, file and folder dialogs, the modal
// dialogs, and redraws and panel refreshes of the main window. Tests derive from it to
// script the modal parts while the windows stay real.
#pragma once

#include "app/Desktop.h"

namespace tessary {

class MainFrame;

struct PictureSize {
  int width = 0;
  int height = 0;
};

class WxDesktop : public Desktop {
 public:
  WxDesktop() = default;
  void Attach(MainFrame* frame) { frame_ = frame; }
  MainFrame* Frame() const { return frame_; }

  void ShowMessage(const std::string& text) override;
  std::optional<FileChoice> ChooseFileToOpen(const std::string& filter, const std::string& initialName) override;
  std::optional<FileChoice> ChooseFileToSave(const std::string& filter, const std::string& initialName) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  std::optional<std::string> ChooseGamePath(const std::string& title, const std::vector<std::string>& paths) override;
  std::optional<PlayerChoice> ChoosePlayer(const std::vector<PlayerOffer>& players) override;
  void RequestSceneRedraw() override;
  void RepaintView() override;
  void RefreshPanel() override;
  void RefreshStatusBar() override;
  void RunTagLinkageDialog() override;
  void RunModelOffsetsDialog(ModelRecord& model) override;
  void RunLightPropertiesDialog(LightRecord& light) override;
  void RunBackgroundColorDialog() override;
  void RunAboutBox() override;
  void CloseMainWindow() override;

  // The size of a picture of the view to save, offered at the view's size; none on Cancel.
  virtual std::optional<PictureSize> AskPictureSize(int viewWidth, int viewHeight);

 private:
  MainFrame* frame_ = nullptr;
};

}  // namespace tessary
