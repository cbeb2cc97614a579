// Scripted answers for file and folder dialogs.
#include "support/ScriptedDesktop.h"

namespace tessary::testing {

std::optional<FileChoice> ScriptedDesktop::ChooseFileToOpen(const std::string& filter, const std::string& initialName) {
  fileDialogs.push_back({filter, initialName, false});
  log.push_back("open-dialog");
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<FileChoice> ScriptedDesktop::ChooseFileToSave(const std::string& filter, const std::string& initialName) {
  fileDialogs.push_back({filter, initialName, true});
  log.push_back("save-dialog");
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedDesktop::ChooseFolder(const std::string& title) {
  folderTitles.push_back(title);
  log.push_back("folder-dialog");
  if (folderAnswers.empty()) return std::nullopt;
  auto answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

}  // namespace tessary::testing
