// Finding a player part's siblings by name.
#include "anim/PlayerSiblings.h"

#include <filesystem>
#include <system_error>

namespace tessary {

std::vector<std::string> PlayerPartFiles(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path file(path);
  const std::string name = file.filename().string();
  static constexpr const char* kParts[] = {"lower", "upper", "head"};
  for (const char* part : kParts) {
    if (!name.starts_with(part)) continue;
    const std::string ending = name.substr(std::char_traits<char>::length(part));
    std::vector<std::string> files;
    for (const char* sibling : kParts) {
      const fs::path candidate = file.parent_path() / (sibling + ending);
      std::error_code error;
      if (candidate == file || fs::is_regular_file(candidate, error)) files.push_back(candidate.string());
    }
    return files;
  }
  return {path};
}

}  // namespace tessary
