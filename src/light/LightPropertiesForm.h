// The fields of the Light Properties dialog and the light fields they edit.
#pragma once

#include <vector>

#include "light/LightRecord.h"
#include "ui/FieldExchange.h"

namespace tessary::lightprops {

inline constexpr int kNameId = 1024;
inline constexpr int kPositionIds[3] = {1000, 1001, 1002};   // x, y, z
inline constexpr int kDirectionIds[3] = {1004, 1005, 1006};  // x, y, z
inline constexpr int kAmbientIds[3] = {1007, 1008, 1009};    // r, g, b
inline constexpr int kDiffuseIds[3] = {1010, 1011, 1012};    // r, g, b
inline constexpr int kSpecularIds[3] = {1013, 1014, 1015};   // r, g, b

// The fifteen number fields in exchange order (which decides the field a refusal points
// at): ambient and diffuse blue to red, direction and position x to z, specular blue to
// red. The name is exchanged after them and is never refused. The w parts, alpha parts,
// attenuation, spot values and the switch are not on the dialog.
inline std::vector<FloatBinding> NumberFields(LightRecord& light) {
  return {
      {1009, &light.ambient[2]},   {1008, &light.ambient[1]},   {1007, &light.ambient[0]},
      {1012, &light.diffuse[2]},   {1011, &light.diffuse[1]},   {1010, &light.diffuse[0]},
      {1004, &light.direction[0]}, {1005, &light.direction[1]}, {1006, &light.direction[2]},
      {1000, &light.position[0]},  {1001, &light.position[1]},  {1002, &light.position[2]},
      {1015, &light.specular[2]},  {1014, &light.specular[1]},  {1013, &light.specular[0]},
  };
}

}  // namespace tessary::lightprops
