// The light that shows a model's shape when nobody has lit it yet: a dim fill (ambient 0.3)
// and a strong key (diffuse 0.8, a little shine) from above the viewer and slightly in
// front of it, so that faces turned up and toward the viewer read brighter than the rest.
// Opening a player and the command line's --light both use it; a light made with "+" keeps
// the plain defaults of LightRecord.
#pragma once

#include <cstdint>

#include "light/LightRecord.h"

namespace tessary {

struct Scene;

inline constexpr const char* kStudioLightName = "Studio Light";

LightRecord StudioLight();

// The scene's studio light: the first light of that name in the list, else a new one,
// appended and made the current light.
LightRecord& SharedStudioLight(Scene& scene);

// Makes light shine on the models first .. first + count - 1 (indices the caller has
// checked): each gets an enabled reference to it, unless it has one already, and that
// reference becomes its current one.
void ShineOn(Scene& scene, LightRecord& light, std::int32_t first, std::int32_t count);

}  // namespace tessary
