// The settings record and its text form.
#include "app/Settings.h"

#include <algorithm>
#include <cctype>

#include "app/FloatText.h"

namespace tessary {

namespace {

constexpr std::string_view kVersionLine = "tessary-settings=1";

bool Storable(const std::string& value) { return value.find_first_of("\r\n") == std::string::npos; }

// "x,y,width,height,maximised" with a positive size and a flag of 0 or 1.
std::optional<WindowPlace> ParseWindow(std::string_view text) {
  int values[5] = {};
  for (int i = 0; i < 5; ++i) {
    const std::size_t comma = i < 4 ? text.find(',') : text.size();
    if (comma == std::string_view::npos || !ParseWholeNumber(text.substr(0, comma), values[i])) return std::nullopt;
    text.remove_prefix(i < 4 ? comma + 1 : comma);
  }
  if (values[2] < 1 || values[3] < 1 || (values[4] != 0 && values[4] != 1)) return std::nullopt;
  return WindowPlace{values[0], values[1], values[2], values[3], values[4] == 1};
}

}  // namespace

std::string FormatSettings(const Settings& settings) {
  std::string text = std::string(kVersionLine) + "\n";
  auto line = [&text](const std::string& key, const std::string& value) {
    if (Storable(key) && Storable(value)) text += key + "=" + value + "\n";
  };
  if (!settings.baseFolder.empty()) line("base", settings.baseFolder);
  for (const auto& [key, folder] : settings.folders) line("folder." + key, folder);
  if (const auto& w = settings.window) {
    line("window", std::to_string(w->x) + "," + std::to_string(w->y) + "," + std::to_string(w->width) + "," +
                       std::to_string(w->height) + "," + (w->maximised ? "1" : "0"));
  }
  for (const std::string& path : settings.recentModels) line("recent", path);
  return text;
}

std::optional<Settings> ParseSettings(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  Settings settings;
  bool versionSeen = false;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (!versionSeen) {
      if (line != kVersionLine) return std::nullopt;
      versionSeen = true;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return std::nullopt;
    const std::string_view key = line.substr(0, equals);
    const std::string value(line.substr(equals + 1));
    if (key == "base") {
      settings.baseFolder = value;
    } else if (key.starts_with("folder.")) {
      settings.folders[std::string(key.substr(7))] = value;
    } else if (key == "window") {
      settings.window = ParseWindow(value);
      if (!settings.window) return std::nullopt;
    } else if (key == "recent") {
      if (settings.recentModels.size() < kRecentModelLimit && !value.empty()) settings.recentModels.push_back(value);
    }
  }
  if (!versionSeen) return std::nullopt;
  return settings;
}

void AddRecentModel(Settings& settings, const std::string& path) {
  if (path.empty() || !Storable(path)) return;
  auto& recent = settings.recentModels;
  recent.erase(std::remove(recent.begin(), recent.end(), path), recent.end());
  recent.insert(recent.begin(), path);
  if (recent.size() > kRecentModelLimit) recent.resize(kRecentModelLimit);
}

std::string DialogKey(const std::string& filter, bool save) {
  // The patterns of the first entry are the text between its first and second '|'.
  const std::size_t first = filter.find('|');
  const std::string patterns =
      first == std::string::npos ? std::string() : filter.substr(first + 1, filter.find('|', first + 1) - first - 1);
  std::string key = save ? "save" : "open";
  std::size_t dot = patterns.find('.');
  while (dot != std::string::npos) {
    std::string extension;
    for (std::size_t i = dot + 1; i < patterns.size() && std::isalnum(static_cast<unsigned char>(patterns[i])); ++i)
      extension += static_cast<char>(std::tolower(static_cast<unsigned char>(patterns[i])));
    if (!extension.empty()) key += "-" + extension;
    dot = patterns.find('.', dot + 1);
  }
  return key;
}

}  // namespace tessary
