// Opening what was dropped on the main window.
#include "app/FileDrop.h"

#include <filesystem>
#include <system_error>

#include "content/GamePath.h"
#include "content/TextureLookup.h"
#include "image/MapCommands.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

DropKind KindOfDroppedPath(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return DropKind::BaseFolder;
  const std::string_view extension = ExtensionOf(path);
  if (EqualNoCase(extension, ".pk3")) return DropKind::BaseFolder;
  if (EqualNoCase(extension, ".md3")) return DropKind::Model;
  if (IsImageExtension(extension)) return DropKind::Image;
  return DropKind::Other;
}

void OpenDroppedFiles(Workspace& ws, const std::vector<std::string>& paths, bool onView) {
  std::vector<std::string> models;
  const std::string* image = nullptr;
  for (const std::string& path : paths) {
    switch (KindOfDroppedPath(path)) {
      case DropKind::BaseFolder:
        // As from the command line: a refusal names the path, and archives the folder
        // cannot read are named one by one.
        UseBaseFolderAndReport(ws, path);
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
