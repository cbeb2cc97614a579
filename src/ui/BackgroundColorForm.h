// The three fields of the Background Color dialog and the colour parts they edit.
#pragma once

#include <array>
#include <vector>

#include "ui/FieldExchange.h"

namespace tessary::background {

// Left to right the fields read red, green, blue; their ids run the other way.
inline constexpr int kRedId = 1003;
inline constexpr int kGreenId = 1002;
inline constexpr int kBlueId = 1001;

// Exchange order: blue, green, red.
inline std::vector<FloatBinding> Fields(std::array<float, 3>& rgb) {
  return {{kBlueId, &rgb[2]}, {kGreenId, &rgb[1]}, {kRedId, &rgb[0]}};
}

}  // namespace tessary::background
