// The studio light and the helpers that share it between models.
#include "light/StudioLight.h"

#include <algorithm>
#include <memory>

#include "scene/Scene.h"

namespace tessary {

LightRecord StudioLight() {
  LightRecord light;
  light.name = kStudioLightName;
  light.ambient = {0.3f, 0.3f, 0.3f, 1.0f};
  light.diffuse = {0.8f, 0.8f, 0.8f, 1.0f};
  light.specular = {0.25f, 0.25f, 0.25f, 1.0f};
  // Lights are placed in eye space: the viewer sits at the origin looking down -z and the
  // scene lies about 3 units ahead, so this is above the viewer, a little toward the scene.
  light.position = {0.0f, 2.0f, -1.0f, 1.0f};
  return light;
}

LightRecord& SharedStudioLight(Scene& scene) {
  for (const auto& light : scene.lights)
    if (light->name == kStudioLightName) return *light;
  scene.lights.push_back(std::make_unique<LightRecord>(StudioLight()));
  scene.currentLight = scene.LightCount() - 1;
  return *scene.lights.back();
}

void ShineOn(Scene& scene, LightRecord& light, std::int32_t first, std::int32_t count) {
  for (std::int32_t i = first; i < first + count; ++i) {
    ModelRecord& model = *scene.models[static_cast<std::size_t>(i)];
    auto& refs = model.modelLights;
    auto found = std::find_if(refs.begin(), refs.end(), [&](const ModelLightRef& r) { return r.light == &light; });
    if (found == refs.end()) found = refs.insert(refs.end(), ModelLightRef{&light, 1});
    model.currentModelLight = static_cast<std::int32_t>(found - refs.begin());
  }
}

}  // namespace tessary
