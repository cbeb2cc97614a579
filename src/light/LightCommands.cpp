// The global light list and each model's references to its lights.
#include "light/LightCommands.h"

#include <algorithm>
#include <memory>

#include "light/StudioLight.h"

namespace tessary {

namespace {


// After a reference was removed: a selection past the end moves to the first reference,
// and to none when no reference is left.
void FixModelLightSelection(ModelRecord& model) {
  const auto count = static_cast<std::int32_t>(model.modelLights.size());
  if (model.currentModelLight >= count) model.currentModelLight = 0;
  if (count == 0) model.currentModelLight = -1;
}

ModelLightRef* CurrentReference(Workspace& ws) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return nullptr;
  const std::int32_t i = model->currentModelLight;
  if (i < 0 || i >= static_cast<std::int32_t>(model->modelLights.size())) return nullptr;
  return &model->modelLights[static_cast<std::size_t>(i)];
}

std::int32_t Toggled(std::int32_t value) { return value == 1 ? 0 : 1; }

}  // namespace

void AddLight(Workspace& ws) {
  ws.scene.currentLight = ws.scene.LightCount();
  ws.scene.lights.push_back(std::make_unique<LightRecord>());
  ws.SceneChanged();
}

void RemoveLight(Workspace& ws) {
  Scene& scene = ws.scene;
  if (!scene.IsLightIndex(scene.currentLight)) return;
  for (auto& light : scene.lights) light->deleteMark = 0;
  LightRecord* doomed = scene.lights[static_cast<std::size_t>(scene.currentLight)].get();
  doomed->deleteMark = 1;

  // No reference may outlive its light: drop every one, fixing the selection after each.
  for (auto& model : scene.models) {
    auto& refs = model->modelLights;
    for (std::size_t i = 0; i < refs.size();) {
      if (refs[i].light != nullptr && refs[i].light->deleteMark == 1) {
        refs.erase(refs.begin() + static_cast<std::ptrdiff_t>(i));
        FixModelLightSelection(*model);
      } else {
        ++i;
      }
    }
  }

  scene.lights.erase(scene.lights.begin() + scene.currentLight);
  if (scene.currentLight >= scene.LightCount()) scene.currentLight = 0;
  if (scene.lights.empty()) scene.currentLight = -1;
  ws.SceneChanged();
}

void ToggleLight(Workspace& ws) {
  LightRecord* light = ws.scene.CurrentLight();
  if (light == nullptr) return;
  light->enabled = Toggled(light->enabled);
  ws.SceneChanged();
}

void AttachLight(Workspace& ws) {
  ModelRecord* model = ws.scene.CurrentModel();
  LightRecord* light = ws.scene.CurrentLight();
  if (model == nullptr || light == nullptr) return;
  model->currentModelLight = static_cast<std::int32_t>(model->modelLights.size());
  model->modelLights.push_back(ModelLightRef{light, 1});
  ws.SceneChanged();
}

void DetachLight(Workspace& ws) {
  if (CurrentReference(ws) == nullptr) return;
  ModelRecord& model = *ws.scene.CurrentModel();
  model.modelLights.erase(model.modelLights.begin() + model.currentModelLight);
  FixModelLightSelection(model);
  ws.SceneChanged();
}

void ToggleModelLight(Workspace& ws) {
  ModelLightRef* ref = CurrentReference(ws);
  if (ref == nullptr) return;
  ref->enabled = Toggled(ref->enabled);
  ws.SceneChanged();
}

void SelectGlobalLight(Workspace& ws, int selectedRow) {
  const bool valid = ws.scene.IsLightIndex(selectedRow);
  ws.scene.currentLight = valid ? selectedRow : -1;
  if (valid) ws.SceneChanged();
}

void SelectModelLight(Workspace& ws, int selectedRow) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  const bool valid = selectedRow >= 0 && selectedRow < static_cast<int>(model->modelLights.size());
  model->currentModelLight = valid ? selectedRow : -1;
  if (valid) ws.SceneChanged();
}

void AddLightToEveryModel(Scene& scene) {
  // The studio light's dim fill and key, so the shape shows (a light made with "+" floods
  // a model flat), named like any new light.
  auto made = std::make_unique<LightRecord>(StudioLight());
  made->name = LightRecord{}.name;
  scene.lights.push_back(std::move(made));
  scene.currentLight = scene.LightCount() - 1;
  ShineOn(scene, *scene.lights.back(), 0, scene.ModelCount());
}

void EditCurrentLight(Workspace& ws) {
  LightRecord* light = ws.scene.CurrentLight();
  if (light == nullptr) return;
  ws.desktop.RequestSceneRedraw();
  ws.desktop.RunLightPropertiesDialog(*light);
  // Whatever the dialog ended with, a new name must show in both light lists.
  ws.SceneChanged();
}

}  // namespace tessary
