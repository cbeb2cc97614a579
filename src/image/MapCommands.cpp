// Loading, clearing and switching the four texture maps of the current model.
#include "image/MapCommands.h"

#include "image/TextureFile.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

constexpr const char* kImageFilter =
    "Supported Formats (*.pcx;*.bmp;*.tga;*.jpg;*.jpeg;*.png)|*.pcx;*.bmp;*.tga;*.jpg;*.jpeg;*.png|"
    "DeluxePaint PCX (*.pcx)|*.pcx|Microsoft Bitmap (*.bmp)|*.bmp|Targa Truevision (*.tga)|*.tga|"
    "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Portable Network Graphics (*.png)|*.png|All Files (*.*)|*.*";
constexpr const char* kImagePattern = "*.pcx;*.bmp;*.tga;*.jpg;*.jpeg;*.png";

// The extension the selected filter entry stands for; "All Files" and "Supported Formats"
// fall back to PCX.
const char* ExtensionForFilter(int filterIndex) {
  switch (filterIndex) {
    case 3: return ".bmp";
    case 4: return ".tga";
    case 5: return ".jpg";
    case 6: return ".png";
    default: return ".pcx";
  }
}

}  // namespace

void LoadMap(Workspace& ws, MapSlot slot) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  auto choice = ws.desktop.ChooseFileToOpen(kImageFilter, kImagePattern);
  if (!choice) return;
  std::string path = choice->path;
  if (!PathHasDot(path)) path += ExtensionForFilter(choice->filterIndex);
  LoadMapFile(ws, slot, path);
}

void LoadMapFile(Workspace& ws, MapSlot slot, const std::string& path) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  auto image = LoadTextureFile(path, ws.textures, ws.desktop);
  if (!image) return;  // the slot keeps its old image; the loader has said why
  // The old image (and its texture object) goes only now that the new one exists.
  model->MapImage(slot) = std::move(image);
  ws.SceneChanged();
}

void ClearMap(Workspace& ws, MapSlot slot) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  ReleaseImage(model->MapImage(slot));
  ws.SceneChanged();
}

void ToggleMap(Workspace& ws, MapSlot slot) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  std::int32_t& flag = model->mapEnabled[slot];
  flag = flag == 1 ? 0 : 1;
  ws.SceneChanged();
}

}  // namespace tessary
