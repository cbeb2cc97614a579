// A desktop for tests: records every message and request, and answers file, folder and
// game path dialogs from queues the test fills. An empty queue answers Cancel.
#pragma once

#include <deque>
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
  std::optional<FileChoice> ChooseFileToOpen(const std::string& filter, const std::string& initialName) override {
    fileDialogs.push_back({filter, initialName, false});
    return Next(fileAnswers);
  }
  std::optional<FileChoice> ChooseFileToSave(const std::string& filter, const std::string& initialName) override {
    fileDialogs.push_back({filter, initialName, true});
    return Next(fileAnswers);
  }
  std::optional<std::string> ChooseFolder(const std::string&) override { return Next(folderAnswers); }
  std::optional<std::string> ChooseGamePath(const std::string& title, const std::vector<std::string>& paths) override {
    gamePathLists.push_back(paths);
    log.push_back(title);
    return Next(gamePathAnswers);
  }
  std::optional<PlayerChoice> ChoosePlayer(const std::vector<PlayerOffer>& players) override {
    playerOffers = players;
    log.push_back("players");
    return playerAnswer;
  }
  void RequestSceneRedraw() override { log.push_back("redraw"); }
  void RepaintView() override { log.push_back("repaint"); }
  void RefreshPanel() override { log.push_back("refresh"); }
  void RefreshStatusBar() override { log.push_back("status"); }
  void RunTagLinkageDialog() override { log.push_back("linkage"); }
  void RunModelOffsetsDialog(ModelRecord&) override { log.push_back("offsets"); }
  void RunLightPropertiesDialog(LightRecord&) override { log.push_back("lightprops"); }
  void RunBackgroundColorDialog() override { log.push_back("background"); }
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
  std::vector<std::vector<std::string>> gamePathLists;  // what each game path dialog listed
  std::vector<PlayerOffer> playerOffers;                // what the last player dialog offered
  std::vector<std::string> log;  // "redraw", "repaint", "refresh", ... and dialog titles, in order

  void ClearRecords() {
    messages.clear();
    fileDialogs.clear();
    log.clear();
  }

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tessary::testing
