// Submitting one model's current frame to GL: four triangle routines that differ only in
// the per-corner attributes they send, and the tag axes and bounding box drawn after a
// model's passes. They read the work buffers (the frame already posed and placed) and set
// no state beyond what is stated; the frame pipeline sets everything else.
#pragma once

#include "scene/ModelRecord.h"

namespace tessary {

// A model without a current frame (HasCurrentFrame) is drawn as nothing by every routine below.

// Per corner: position.
void DrawPlain(const ModelRecord* model);
// Per corner: texture coordinate, position.
void DrawTextured(const ModelRecord* model);
// Per corner: normal, position.
void DrawLit(const ModelRecord* model);
// Per corner: normal, texture coordinate, position.
void DrawLitTextured(const ModelRecord* model);

// Tag axes (red, green, blue, 4 units long) when showTags is on and the bounding box in
// white when showBounds is on, with lighting, blending and texturing off while drawing and
// restored afterwards. Leaves the current colour white when it drew anything.
void DrawTagsAndBounds(const ModelRecord* model);

}  // namespace tessary
