// The derived child lists of the link tree and the subtree marks used to walk it.
#pragma once

#include "scene/Scene.h"

namespace tessary {

// For every model in order: children = the other models whose parentIndex names it, in
// model order; childCount their number.
void RebuildChildLists(Scene& scene);
void ClearVisited(Scene& scene);
// Marks the model and, through its children, every descendant; a marked model is not
// entered twice.
void MarkSubtree(ModelRecord* model);

}  // namespace tessary
