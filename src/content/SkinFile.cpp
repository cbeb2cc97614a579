// Reading skin files.
#include "content/SkinFile.h"

#include "content/GamePath.h"

namespace tessary {

namespace {

bool IsSeparator(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The words of one line: separated by commas or blanks, quoted words kept whole, nothing
// after "//" (outside quotes).
std::vector<std::string> LineWords(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      ++i;
    } else if (line.compare(i, 2, "//") == 0) {
      break;
    } else if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      words.emplace_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      std::size_t end = i;
      while (end < line.size() && !IsSeparator(line[end]) && line[end] != '"' && line.compare(end, 2, "//") != 0) ++end;
      words.emplace_back(line.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

}  // namespace

std::vector<SkinEntry> ParseSkin(std::string_view text) {
  std::vector<SkinEntry> entries;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::vector<std::string> words = LineWords(text.substr(start, end - start));
    start = end + 1;
    if (words.empty()) continue;
    std::string surface = LowerAscii(words[0]);
    if (surface.find("tag_") != std::string::npos) continue;
    entries.push_back({std::move(surface), words.size() > 1 ? std::move(words[1]) : std::string()});
  }
  return entries;
}

const SkinEntry* FindSkinEntry(const std::vector<SkinEntry>& skin, std::string_view surfaceName) {
  std::string key = LowerAscii(surfaceName);
  if (key.size() > 2 && key[key.size() - 2] == '_') key.resize(key.size() - 2);
  for (const SkinEntry& entry : skin)
    if (entry.surface == key) return &entry;
  return nullptr;
}

}  // namespace tessary
