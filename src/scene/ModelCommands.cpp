// The commands of the model row: open, remove, show or hide, and the model-list selection.
#include "scene/ModelCommands.h"

#include "scene/Md3Loader.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {


}  // namespace

void OpenModel(Workspace& ws) {
  auto choice = ws.desktop.ChooseFileToOpen("Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*", "*.md3");
  if (!choice) return;
  std::string path = choice->path;
  if (!PathHasDot(path)) path += ".md3";
  LoadModelFile(ws, path);  // redraws and refreshes the panel itself
}

void RemoveCurrentModel(Workspace& ws) {
  if (!ws.scene.IsModelIndex(ws.scene.currentModel)) return;
  RemoveModelAt(ws.scene, ws.scene.currentModel);
  ws.SceneChanged();
}

void ToggleModelVisible(Workspace& ws) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  model->visible = model->visible == 1 ? 0 : 1;
  ws.SceneChanged();
}

void SelectModel(Workspace& ws, int selectedRow) {
  ws.scene.currentModel = -1;
  if (!ws.scene.IsModelIndex(selectedRow)) return;
  ws.scene.currentModel = selectedRow;
  ws.SceneChanged();
}

}  // namespace tessary
