// Listing and filtering the game's models.
#include "content/GameModelList.h"

#include "content/GamePath.h"

namespace tessary {

std::vector<std::string> GameModelPaths(const GameFileSystem& files) { return files.FilesWithExtension(".md3"); }

std::vector<std::string> FilterGamePaths(const std::vector<std::string>& paths, std::string_view filter) {
  std::vector<std::string> words;
  for (std::size_t i = 0; i < filter.size();) {
    const std::size_t end = std::min(filter.find_first_of(" \t", i), filter.size());
    if (end > i) words.push_back(LowerAscii(filter.substr(i, end - i)));
    i = end + 1;
  }
  std::vector<std::string> kept;
  for (const std::string& path : paths) {
    const std::string lower = LowerAscii(path);
    bool all = true;
    for (const std::string& word : words) all = all && lower.find(word) != std::string::npos;
    if (all) kept.push_back(path);
  }
  return kept;
}

}  // namespace tessary
