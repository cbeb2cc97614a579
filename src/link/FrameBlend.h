// Blending two animation frames of a model into its work buffers: the pose a fraction of
// the way from one frame to the next, so that playback moves smoothly between the frames a
// file stores and linked models follow their parents' tags just as smoothly.
#pragma once

#include "scene/ModelRecord.h"

namespace tessary {

// Writes into the model's work buffers the frame `t` of the way from `from` to `to`
// (0 gives `from`, 1 gives `to`): positions, box corners, the local origin, the radius
// and tag origins in a straight line; normals and tag axes likewise and then made unit
// length again (a direction that blends to nothing stays (0, 0, 0)). numVertices entries
// are written; a frame holding fewer leaves the rest at the origin.
void BlendFramesInto(ModelRecord& model, const FrameRecord& from, const FrameRecord& to, double t);

}  // namespace tessary
