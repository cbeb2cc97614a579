// Reading, replacing and writing the settings file.
#include "app/SettingsFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <system_error>

#include "app/FileIO.h"

namespace tessary {

std::optional<std::string> SettingsFilePath(const char* xdgConfigHome, const char* home) {
  if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') return std::string(xdgConfigHome) + "/tessary/settings";
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/tessary/settings";
  return std::nullopt;
}

SettingsFile::SettingsFile(std::string path) : path_(std::move(path)) {
  const auto bytes = ReadWholeFile(*path_);
  if (!bytes) return;  // no file yet: the defaults, written on the first change
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  if (auto read = ParseSettings(text)) {
    settings_ = std::move(*read);
  } else {
    Write();
  }
}

std::unique_ptr<SettingsFile> SettingsFile::ForViewer(bool noConfig) {
  if (noConfig) return std::make_unique<SettingsFile>();
  const auto path = SettingsFilePath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return path ? std::make_unique<SettingsFile>(*path) : std::make_unique<SettingsFile>();
}

void SettingsFile::SetBaseFolder(const std::string& folder) {
  Settings changed = settings_;
  changed.baseFolder = folder;
  Store(std::move(changed));
}

void SettingsFile::SetWindowPlace(const WindowPlace& place) {
  Settings changed = settings_;
  changed.window = place;
  Store(std::move(changed));
}

void SettingsFile::AddRecentModel(const std::string& path) {
  Settings changed = settings_;
  tessary::AddRecentModel(changed, path);
  Store(std::move(changed));
}

void SettingsFile::RemoveRecentModel(const std::string& path) {
  Settings changed = settings_;
  auto& recent = changed.recentModels;
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
  Store(std::move(changed));
}

std::string SettingsFile::DialogFolder(const std::string& filter, bool save) const {
  const auto it = settings_.folders.find(DialogKey(filter, save));
  return it == settings_.folders.end() ? std::string() : it->second;
}

void SettingsFile::NoteDialogChoice(const std::string& filter, bool save, const std::string& chosenPath) {
  const std::string folder = std::filesystem::path(chosenPath).parent_path().string();
  if (folder.empty()) return;
  Settings changed = settings_;
  changed.folders[DialogKey(filter, save)] = folder;
  Store(std::move(changed));
}

void SettingsFile::Store(Settings changed) {
  if (changed == settings_) return;
  settings_ = std::move(changed);
  Write();
}

// Settings are a convenience: a file that cannot be written costs the next run its memory,
// never this run anything, so failures are not reported.
bool SettingsFile::Write() const {
  if (!path_) return false;
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::path(*path_).parent_path();
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  const std::string text = FormatSettings(settings_);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteFileReplacing(*path_, std::span<const std::uint8_t>(bytes, text.size())) == 0;
}

}  // namespace tessary
