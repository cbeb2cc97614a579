// Resolving a surface's shader name against the base folder, and choosing that folder.
// The process's current directory is never changed: relative names are joined to the
// base folder instead.
#include "scene/TextureResolution.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include "image/TextureFile.h"

namespace tessary {

namespace {

inline constexpr const char* kBaseFolderTitle = "Please locate the 'baseq3' folder under Quake3";
inline constexpr const char* kFolderNotValidMessage = "That folder is not valid";

// A folder that relative names can be looked up in: it exists, is a directory and may be
// searched.
bool UsableFolder(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
         ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::unique_ptr<ImageRGBA> ResolveSurfaceTexture(Workspace& ws, const std::string& shaderName) {
  std::string name = shaderName.substr(0, shaderName.find('\0'));
  std::replace(name.begin(), name.end(), '\\', '/');
  if (name.empty()) return nullptr;
  std::string path = name;
  if (name.front() != '/') {
    const std::string& base = ws.scene.baseFolder;
    path = base.empty() || base.back() == '/' ? base + name : base + "/" + name;
  }
  return LoadTextureFile(path, ws.textures, ws.desktop);
}

bool UseBaseFolder(Scene& scene, const std::string& path) {
  if (!UsableFolder(path)) return false;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return false;
  scene.baseFolder = absolute.lexically_normal().string();
  return true;
}

void SetBaseFolder(Workspace& ws) {
  const auto chosen = ws.desktop.ChooseFolder(kBaseFolderTitle);
  if (!chosen || !UseBaseFolder(ws.scene, *chosen)) ws.desktop.ShowMessage(kFolderNotValidMessage);
}

}  // namespace tessary
