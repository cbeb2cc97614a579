// Per-frame posing of every model on its pivot tag, its offsets, and the placement of
// linked models onto their parents' anchor tags.
#pragma once

#include "scene/Scene.h"

namespace tessary {

void PoseCurrentFrame(ModelRecord& model);
void ApplyModelOffsets(ModelRecord& model);
// Places model onto frame (unless isRoot) and recurses into its children.
void PlaceLinkedModels(Scene& scene, ModelRecord& model, TagRecord frame, bool isRoot);
// Every model posed, then placed from every root: what each frame drawn starts with.
void PoseAndPlaceScene(Scene& scene);

}  // namespace tessary
