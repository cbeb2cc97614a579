// What the status bar under the view says about the current model: its file, the frame
// it shows (with the blend toward the next one while it moves), the sequences it plays and
// the rate of playback. A pure function of the scene, like the options bar's contents.
#pragma once

#include <string>

#include "scene/Scene.h"

namespace tessary {

struct StatusFields {
  std::string file;       // "lower.md3"
  std::string frame;      // "Frame 12 of 40", or "Frame 12 → 13 (43%)" part-way
  std::string sequences;  // "LEGS_RUN, TORSO_STAND", "All frames", or ""
  std::string rate;       // "15 fps, playing", "Speed ×1.5, paused", or ""
};

// Every field is empty without a current model.
StatusFields BuildStatusFields(const Scene& scene);

}  // namespace tessary
