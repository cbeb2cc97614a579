// Drawing the scene at a chosen size into a framebuffer object of the current GL context.
// Used for saving a picture of the view: the offscreen frame shares the view's context, so
// it sees the same texture objects, and the window's own picture is left as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

// One frame of the scene, as RenderFrame draws it, at width x height: RGBA bytes, top row
// first. The viewport and projection of the context are restored afterwards. None, with
// the reason in error, when the context offers no framebuffer objects, the size is beyond
// what it can draw, or a frame is being drawn already.
std::optional<std::vector<std::uint8_t>> DrawSceneToPicture(Scene& scene, const TrackballState& trackball, int width,
                                                            int height, std::string* error);

}  // namespace tessary
