// The view state that mouse navigation changes and every frame applies, together with the
// program-wide spin flag and the renormalisation counter of quaternion composition.
#pragma once

#include <array>
#include <cstdint>

namespace tessary {

using Quaternion = std::array<float, 4>;  // x, y, z, w

enum class DragMode : int {
  Idle = 0,
  AwaitRelease = 2,
  SpinDrag = 100,
  ZoomDrag = 101,
  DirectRotateDrag = 102,
  PanDrag = 200,
  CentreDrag = 201,
};

struct TrackballState {
  Quaternion rotation{0.0f, 0.0f, 0.0f, 1.0f};
  Quaternion spin{0.0f, 0.0f, 0.0f, 1.0f};
  float scale = 0.03f;
  std::array<float, 3> pan{0.0f, 0.0f, 0.0f};
  std::array<float, 3> centre{0.0f, 0.0f, 0.0f};
  DragMode dragMode = DragMode::Idle;
  std::array<int, 2> lastPoint{0, 0};

  // While 1, every idle pass composes spin into rotation and repaints.
  std::int32_t spinActive = 0;
  // Compositions since the last renormalisation; one counter for all callers.
  std::int32_t renormCount = 0;
};

}  // namespace tessary
