// Walking up from a model file to its game folder.
#include "scene/GameFolder.h"

#include <filesystem>
#include <system_error>

#include "content/GamePath.h"

namespace tessary {

namespace {

namespace fs = std::filesystem;

bool IsGameFolder(const fs::path& folder) {
  std::error_code error;
  if (fs::is_directory(folder / "models", error)) return true;
  fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
  if (error) return false;
  for (const fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) return false;
    if (LowerAscii(it->path().extension().string()) == ".pk3" && it->is_regular_file(error)) return true;
  }
  return false;
}

}  // namespace

std::optional<std::string> FindGameFolder(const std::string& modelPath) {
  std::error_code error;
  fs::path folder = fs::absolute(modelPath, error).lexically_normal().parent_path();
  if (error) return std::nullopt;
  for (;;) {
    if (IsGameFolder(folder)) return folder.string();
    if (!folder.has_parent_path() || folder.parent_path() == folder) return std::nullopt;
    folder = folder.parent_path();
  }
}

}  // namespace tessary
