// A global light of the scene and a model's reference to one.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessary {

struct LightRecord {
  std::array<float, 4> position{150.0f, 150.0f, 150.0f, 0.0f};  // w = 0: directional
  std::array<float, 4> direction{-1.0f, -1.0f, -1.0f, 0.0f};
  std::array<float, 4> ambient{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<float, 4> diffuse{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<float, 4> specular{0.25f, 0.25f, 0.25f, 1.0f};
  float quadraticAttenuation = 0.0f;
  float constantAttenuation = 1.0f;
  float linearAttenuation = 0.0f;
  float spotExponent = 0.0f;
  float spotCutoff = 180.0f;
  std::int32_t enabled = 1;
  std::int32_t deleteMark = 0;  // set only while a light is being removed
  std::string name = "New Light";
};

// A model's use of a global light. It does not own the light; removing a light removes
// every reference to it first.
struct ModelLightRef {
  LightRecord* light = nullptr;
  std::int32_t enabled = 1;
};

}  // namespace tessary
