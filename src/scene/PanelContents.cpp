// The options bar's contents computed from the scene.
#include "scene/PanelContents.h"

namespace tessary {

namespace {

const char* Switch(bool on) { return on ? "*" : ""; }

// The map rows of the bar, top to bottom.
constexpr MapSlot kRowSlots[4] = {kTextureSlot, kDiffusionSlot, kSpecularitySlot, kGlowSlot};

}  // namespace

PanelContents BuildPanelContents(const Scene& scene) {
  PanelContents panel;
  for (const auto& model : scene.models) panel.modelNames.push_back(model->name);
  const bool haveModel = scene.IsModelIndex(scene.currentModel);
  panel.modelSelection = haveModel ? scene.currentModel : -1;
  panel.modelSwitch = Switch(haveModel && scene.models[static_cast<std::size_t>(scene.currentModel)]->visible == 1);

  for (const auto& light : scene.lights) panel.globalLightNames.push_back(light->name);
  const bool haveLight = scene.IsLightIndex(scene.currentLight);
  panel.globalLightSelection = haveLight ? scene.currentLight : -1;
  panel.globalLightSwitch = Switch(haveLight && scene.lights[static_cast<std::size_t>(scene.currentLight)]->enabled == 1);

  if (!haveModel) return panel;
  const ModelRecord& model = *scene.models[static_cast<std::size_t>(scene.currentModel)];
  for (const ModelLightRef& ref : model.modelLights)
    panel.modelLightNames.push_back(ref.light != nullptr ? ref.light->name : std::string());
  const auto refCount = static_cast<std::int32_t>(model.modelLights.size());
  const bool haveRef = model.currentModelLight >= 0 && model.currentModelLight < refCount;
  panel.modelLightSelection = haveRef ? model.currentModelLight : -1;
  panel.modelLightSwitch = Switch(haveRef && model.modelLights[static_cast<std::size_t>(model.currentModelLight)].enabled == 1);

  for (int row = 0; row < 4; ++row) {
    const ImageRGBA* image = model.MapImage(kRowSlots[row]);
    if (image == nullptr) continue;
    panel.mapFields[static_cast<std::size_t>(row)] = image->fileName;
    panel.mapSwitches[static_cast<std::size_t>(row)] = Switch(model.mapEnabled[kRowSlots[row]] != 0);
  }
  return panel;
}

}  // namespace tessary
