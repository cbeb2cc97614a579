// Opening what was dropped on the main window.
#include "app/FileDrop.h"

#include <filesystem>
#include <system_error>

#include "content/GamePath.h"
#include "image/MapCommands.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

DropKind KindOfDroppedPath(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return DropKind::BaseFolder;
  const std::string extension = LowerAscii(std::filesystem::path(path).extension().string());
  if (extension == ".pk3") return DropKind::BaseFolder;
  if (extension == ".md3") return DropKind::Model;
  for (const char* image : {".pcx", ".bmp", ".tga", ".jpg", ".jpeg", ".png"})
    if (extension == image) return DropKind::Image;
  return DropKind::Other;
}

void OpenDroppedFiles(Workspace& ws, const std::vector<std::string>& paths, bool onView) {
  std::vector<std::string> models;
  const std::string* image = nullptr;
  for (const std::string& path : paths) {
    switch (KindOfDroppedPath(path)) {
      case DropKind::BaseFolder:
        // The same refusal the "Set Base Folder..." command gives.
        if (!UseBaseFolder(ws.scene, path)) ws.desktop.ShowMessage(kFolderNotValidMessage);
        break;
      case DropKind::Model: models.push_back(path); break;
      case DropKind::Image: image = &path; break;
      case DropKind::Other: break;
    }
  }
  for (const std::string& model : models) LoadModelFile(ws, model);
  // Each image would replace the one before it: only the last one is worth loading.
  if (onView && image != nullptr) LoadMapFile(ws, kTextureSlot, *image);
}

}  // namespace tessary
