// The settings kept in a file of the XDG config folder and written back, atomically, as
// soon as one of them changes. A file that cannot be read as settings is ignored and
// replaced. Without a file (--no-config) the settings live for the run only: nothing is
// read and nothing is written.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/Settings.h"

namespace tessary {

// $XDG_CONFIG_HOME/tessary/settings, or $HOME/.config/tessary/settings when XDG_CONFIG_HOME
// is unset, empty or not absolute. None when neither names an absolute folder.
std::optional<std::string> SettingsFilePath(const char* xdgConfigHome, const char* home);

class SettingsFile {
 public:
  // Settings for this run only.
  SettingsFile() = default;
  // Reads path: a missing file gives the defaults; a damaged one gives the defaults and is
  // replaced by them at once.
  explicit SettingsFile(std::string path);

  // The viewer's settings: from the file at XDG_CONFIG_HOME or HOME, or for this run only
  // when noConfig is set.
  static std::unique_ptr<SettingsFile> ForViewer(bool noConfig);

  const Settings& Get() const { return settings_; }
  const std::optional<std::string>& Path() const { return path_; }

  // Each of these writes the file when the value changed.
  void SetBaseFolder(const std::string& folder);
  void SetWindowPlace(const WindowPlace& place);
  void AddRecentModel(const std::string& path);
  void RemoveRecentModel(const std::string& path);

  // The folder a file dialog with this filter last chose a file in ("" when none), and the
  // file it chose.
  std::string DialogFolder(const std::string& filter, bool save) const;
  void NoteDialogChoice(const std::string& filter, bool save, const std::string& chosenPath);

 private:
  void Store(Settings changed);
  bool Write() const;

  std::optional<std::string> path_;
  Settings settings_;
};

}  // namespace tessary
