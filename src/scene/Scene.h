// The scene: every loaded model and global light, the current selections and the global
// render settings. Held by the application for the whole run; nothing of it is saved.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "anim/Playback.h"
#include "content/GameFileSystem.h"
#include "light/LightRecord.h"
#include "scene/ModelRecord.h"

namespace tessary {

struct Scene {
  std::array<float, 3> backgroundColor{0.0f, 0.0f, 0.0f};
  std::vector<std::unique_ptr<ModelRecord>> models;
  std::vector<std::unique_ptr<LightRecord>> lights;
  std::int32_t currentModel = -1;
  std::int32_t currentLight = -1;
  std::string baseFolder = ".";
  // The base folder's files as the game sees them (archives and loose files), replaced
  // whenever the base folder changes; see UseBaseFolder.
  GameFileSystem gameFiles;
  // On: surfaces find their images the way the game does (skins, shader scripts, other
  // extensions). Off: the first shader name only, the exact file under baseFolder.
  bool gameTextureLookup = true;
  std::int32_t textureFilter = 4;  // 0..4: Nearest, Linear, Near-MIP, Bi-MIP, Tri-MIP
  std::int32_t multiPassSafe = 0;  // 0 Fast, 1 Safe
  AnimationState animation;        // what each loaded file plays

  Scene() = default;
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;
  ~Scene() { Clear(); }

  std::int32_t ModelCount() const { return static_cast<std::int32_t>(models.size()); }
  std::int32_t LightCount() const { return static_cast<std::int32_t>(lights.size()); }
  bool IsModelIndex(std::int64_t i) const { return i >= 0 && i < ModelCount(); }
  bool IsLightIndex(std::int64_t i) const { return i >= 0 && i < LightCount(); }
  // The current model, or none when currentModel is not a valid index.
  ModelRecord* CurrentModel() { return IsModelIndex(currentModel) ? models[currentModel].get() : nullptr; }
  const ModelRecord* CurrentModel() const {
    return IsModelIndex(currentModel) ? models[currentModel].get() : nullptr;
  }
  LightRecord* CurrentLight() { return IsLightIndex(currentLight) ? lights[currentLight].get() : nullptr; }

  // Frees every model in index order (their texture objects with them), then every light.
  void Clear() {
    for (auto& m : models) m.reset();
    models.clear();
    for (auto& l : lights) l.reset();
    lights.clear();
    animation = AnimationState{};
  }
};

}  // namespace tessary
