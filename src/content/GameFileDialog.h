// The window of "Open from Game Folder...": a filter box above the list of game paths; what
// is typed narrows the list at once (FilterGamePaths), and a double click or OK takes the
// selected path.
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>
#include <vector>

class wxListBox;
class wxTextCtrl;

namespace tessary {

class GameFileDialog : public wxDialog {
 public:
  GameFileDialog(wxWindow* parent, const std::string& title, std::vector<std::string> paths);

  // The selected path once the dialog has closed with OK.
  std::optional<std::string> Chosen() const;

  wxTextCtrl* filterBox = nullptr;
  wxListBox* list = nullptr;

 private:
  void ShowMatches();

  std::vector<std::string> paths_;
  std::vector<std::string> shown_;
};

}  // namespace tessary
