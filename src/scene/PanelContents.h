// What the options bar shows, as a pure function of the scene. The bar displays exactly
// this after every change.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "scene/Scene.h"

namespace tessary {

struct PanelContents {
  std::vector<std::string> modelNames;
  int modelSelection = -1;                 // -1: no selection
  std::string modelSwitch;                 // caption of 32787: "*" or ""
  std::vector<std::string> globalLightNames;
  int globalLightSelection = -1;
  std::string globalLightSwitch;           // 32805
  std::vector<std::string> modelLightNames;
  int modelLightSelection = -1;
  std::string modelLightSwitch;            // 32790
  // Map rows in panel order: texture, diffusion, specularity, glow.
  std::array<std::string, 4> mapFields;
  std::array<std::string, 4> mapSwitches;  // 32793, 32796, 32799, 32802
};

PanelContents BuildPanelContents(const Scene& scene);

}  // namespace tessary
