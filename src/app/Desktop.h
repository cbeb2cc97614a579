// Everything the platform does for an operation: message boxes, file and folder dialogs,
// the modal dialogs, redraws and the panel refresh. The wx implementation shows real
// windows; tests script it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessary {

struct ModelRecord;
struct LightRecord;

// A file picked in a file dialog and the filter entry that was selected (numbered from 1).
struct FileChoice {
  std::string path;
  int filterIndex = 1;
};

// A player that "Open Player..." offers, with the skins it can wear ("default" first), and
// the one the user picked.
struct PlayerOffer {
  std::string name;
  std::vector<std::string> skins;
};
struct PlayerChoice {
  std::string name;
  std::string skin;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // A modal message box titled with the application's name, with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;

  // File dialogs. filter is "Description|pattern|Description|pattern..." without a trailing
  // "|". The open dialog accepts existing files only; the save dialog asks no question
  // before replacing a file. Cancel gives no value.
  virtual std::optional<FileChoice> ChooseFileToOpen(const std::string& filter,
                                                     const std::string& initialName) = 0;
  virtual std::optional<FileChoice> ChooseFileToSave(const std::string& filter,
                                                     const std::string& initialName) = 0;
  // A folder chooser with the given title; an absolute path, or no value on cancel.
  virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
  // A dialog listing game paths (files of the base folder's game file system) with a filter
  // box that narrows the list as the user types; the chosen path, or no value on cancel.
  // Desktops that cannot show one answer Cancel.
  virtual std::optional<std::string> ChooseGamePath(const std::string& /*title*/,
                                                    const std::vector<std::string>& /*paths*/) {
    return std::nullopt;
  }
  // A dialog listing players and, for the selected one, its skins; the pick, or no value on
  // cancel. Desktops that cannot show one answer Cancel.
  virtual std::optional<PlayerChoice> ChoosePlayer(const std::vector<PlayerOffer>& /*players*/) {
    return std::nullopt;
  }

  // Repaints the main window now; the render view has drawn a frame before this returns.
  virtual void RequestSceneRedraw() = 0;
  // Repaints only the render view now (the redraw that goes with composing the spin).
  virtual void RepaintView() = 0;
  // Rewrites every list, field and switch caption of the options bar from the scene.
  virtual void RefreshPanel() = 0;
  // Rewrites the status bar under the view from the scene (RefreshPanel does it too).
  virtual void RefreshStatusBar() = 0;

  // The modal dialogs. Each returns when the user has closed it.
  virtual void RunTagLinkageDialog() = 0;
  virtual void RunModelOffsetsDialog(ModelRecord& model) = 0;
  virtual void RunLightPropertiesDialog(LightRecord& light) = 0;
  virtual void RunBackgroundColorDialog() = 0;
  virtual void RunAboutBox() = 0;

  // Closes the main window, which frees the scene and ends the program.
  virtual void CloseMainWindow() = 0;
};

}  // namespace tessary
