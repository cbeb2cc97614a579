// Resolving a surface's shader name by the exact rule, and choosing the base folder. The
// process's current directory is never changed: relative names are joined to the base
// folder instead.
#include "scene/TextureResolution.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "content/GamePath.h"
#include "image/ImageDecoder.h"
#include "image/TextureFile.h"

namespace tessary {

namespace {
inline constexpr const char* kBaseFolderTitle = "Please locate the 'baseq3' folder under Quake3";
}  // namespace

std::string ExactTexturePath(const Scene& scene, const std::string& shaderName) {
  std::string name = shaderName.substr(0, shaderName.find('\0'));
  std::replace(name.begin(), name.end(), '\\', '/');
  if (name.empty() || name.front() == '/') return name;
  return JoinPath(scene.baseFolder, name);
}

bool UseBaseFolder(Scene& scene, const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  std::string absolute = std::filesystem::absolute(path, error).lexically_normal().string();
  if (error) return false;
  // "dir/" normalises to "dir/"; the file system's root is compared with baseFolder as is.
  if (absolute.size() > 1 && absolute.back() == '/') absolute.pop_back();
  auto files = GameFileSystem::Open(absolute);
  if (!files) return false;
  scene.baseFolder = std::move(absolute);
  scene.gameFiles = std::move(*files);
  return true;
}

namespace {
void ReportSkippedArchives(Workspace& ws) {
  for (const std::string& archive : ws.scene.gameFiles.SkippedArchives())
    ws.desktop.ShowMessage(MessageAboutFile(kNotRecognizedMessage, archive));
}
}  // namespace

bool UseBaseFolderAndReport(Workspace& ws, const std::string& path) {
  if (!UseBaseFolder(ws.scene, path)) {
    ws.desktop.ShowMessage(MessageAboutFile(kFolderNotValidMessage, path));
    return false;
  }
  ReportSkippedArchives(ws);
  return true;
}

// The user has just picked the folder, so its refusal needs no path; skipped archives are
// named one by one.
void SetBaseFolder(Workspace& ws) {
  const auto chosen = ws.desktop.ChooseFolder(kBaseFolderTitle);
  if (!chosen || !UseBaseFolder(ws.scene, *chosen)) {
    ws.desktop.ShowMessage(kFolderNotValidMessage);
    return;
  }
  ReportSkippedArchives(ws);
}

}  // namespace tessary
