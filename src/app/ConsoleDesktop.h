// A desktop for command-line work: messages go to a stream, dialogs are never shown and
// redraws do nothing.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/Desktop.h"

namespace tessary {

class ConsoleDesktop final : public Desktop {
 public:
  explicit ConsoleDesktop(std::ostream& messages) : messages_(messages) {}

  void ShowMessage(const std::string& text) override {
    shown.push_back(text);
    messages_ << text << '\n';
  }
  std::optional<FileChoice> ChooseFileToOpen(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<FileChoice> ChooseFileToSave(const std::string&, const std::string&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(const std::string&) override { return std::nullopt; }
  void RequestSceneRedraw() override {}
  void RepaintView() override {}
  void RefreshPanel() override {}
  void RefreshStatusBar() override {}
  void RunTagLinkageDialog() override {}
  void RunModelOffsetsDialog(ModelRecord&) override {}
  void RunLightPropertiesDialog(LightRecord&) override {}
  void RunBackgroundColorDialog() override {}
  void RunAboutBox() override {}
  void CloseMainWindow() override {}

  std::vector<std::string> shown;  // every message, in order

 private:
  std::ostream& messages_;
};

}  // namespace tessary
