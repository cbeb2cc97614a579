// A desktop for tests: records every message and request, and answers file and folder
// dialogs from queues the test fills. An empty queue answers Cancel.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Desktop.h"

namespace tessary::testing {

class ScriptedDesktop : public Desktop {
 public:
  struct FileDialogCall {
    std::string filter;
    std::string initialName;
    bool save = false;
  };

  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<FileChoice> ChooseFileToOpen(const std::string& filter, const std::string& initialName) override;
  std::optional<FileChoice> ChooseFileToSave(const std::string& filter, const std::string& initialName) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  std::optional<std::string> ChooseGamePath(const std::string& title, const std::vector<std::string>& paths) override {
    gamePathLists.push_back(paths);
    log.push_back(title);
    if (gamePathAnswers.empty()) return std::nullopt;
    auto answer = gamePathAnswers.front();
    gamePathAnswers.pop_front();
    return answer;
  }
  std::optional<PlayerChoice> ChoosePlayer(const std::vector<PlayerOffer>& players) override {
    playerOffers = players;
    log.push_back("players");
    return playerAnswer;
  }
  void RequestSceneRedraw() override { ++sceneRedraws; log.push_back("redraw"); }
  void RepaintView() override { ++viewRepaints; log.push_back("repaint"); }
  void RefreshPanel() override { ++panelRefreshes; log.push_back("refresh"); }
  void RefreshStatusBar() override { log.push_back("status"); }
  void RunTagLinkageDialog() override { log.push_back("linkage"); if (onLinkage) onLinkage(); }
  void RunModelOffsetsDialog(ModelRecord& m) override { log.push_back("offsets"); if (onOffsets) onOffsets(m); }
  void RunLightPropertiesDialog(LightRecord& l) override { log.push_back("lightprops"); if (onLightProperties) onLightProperties(l); }
  void RunBackgroundColorDialog() override { log.push_back("background"); if (onBackgroundColor) onBackgroundColor(); }
  void RunAboutBox() override { log.push_back("about"); }
  void CloseMainWindow() override { log.push_back("close"); }

  // Answers for the next dialogs, in order.
  std::deque<std::optional<FileChoice>> fileAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::deque<std::optional<std::string>> gamePathAnswers;
  std::optional<PlayerChoice> playerAnswer;  // to every player dialog

  // What happened.
  std::vector<std::string> messages;
  std::vector<FileDialogCall> fileDialogs;
  std::vector<std::string> folderTitles;
  std::vector<std::vector<std::string>> gamePathLists;  // what each game path dialog listed
  std::vector<PlayerOffer> playerOffers;                // what the last player dialog offered
  std::vector<std::string> log;  // "redraw", "repaint", "refresh" and dialog names, in order
  int sceneRedraws = 0;
  int viewRepaints = 0;
  int panelRefreshes = 0;

  // Optional behaviour of the modal dialogs.
  std::function<void()> onLinkage;
  std::function<void(ModelRecord&)> onOffsets;
  std::function<void(LightRecord&)> onLightProperties;
  std::function<void()> onBackgroundColor;

  void ClearRecords() {
    messages.clear();
    fileDialogs.clear();
    folderTitles.clear();
    log.clear();
    sceneRedraws = viewRepaints = panelRefreshes = 0;
  }
};

}  // namespace tessary::testing
