// What the viewer remembers between runs (the base folder, the last folder of each file
// dialog, the window's place and the recently opened models) and its plain text form:
// a version line, then one "key=value" line per setting.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// The main window's outer rectangle in screen pixels, and whether it was maximised.
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
  bool maximised = false;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

inline constexpr std::size_t kRecentModelLimit = 8;

struct Settings {
  std::string baseFolder;                      // empty: none remembered
  std::map<std::string, std::string> folders;  // last folder of each file dialog, by DialogKey
  std::optional<WindowPlace> window;
  std::vector<std::string> recentModels;       // newest first, at most kRecentModelLimit
  friend bool operator==(const Settings&, const Settings&) = default;
};

// The text stored in the settings file. Values that cannot be stored on one line (a path
// holding a line break) are left out.
std::string FormatSettings(const Settings& settings);

// Reads the text back. None when it is damaged: no version line first, a line that is not
// "key=value", a window that is not four whole numbers and a flag, or a NUL byte. Keys this
// version does not know are skipped, so an older viewer can read a newer file.
std::optional<Settings> ParseSettings(std::string_view text);

// Puts path at the front of the recent models, dropping an older copy of it and whatever
// falls past the limit. A path that cannot be stored is ignored.
void AddRecentModel(Settings& settings, const std::string& path);

// Which remembered folder a file dialog uses: the kind of dialog and the extensions of its
// first filter entry, for example "open-md3" or "save-lgt". Dialogs for the same kind of
// file share their folder.
std::string DialogKey(const std::string& filter, bool save);

}  // namespace tessary
