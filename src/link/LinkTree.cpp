// The child lists derived from parentIndex, and the marks that keep a subtree walk from
// entering a model twice.
#include "link/LinkTree.h"

#include <vector>

namespace tessary {

void RebuildChildLists(Scene& scene) {
  for (auto& m : scene.models) m->children.clear();
  // Visiting the models in order appends each child to its parent's list in model order.
  for (std::size_t j = 0; j < scene.models.size(); ++j) {
    ModelRecord* child = scene.models[j].get();
    const std::int64_t parent = child->parentIndex;
    if (parent != static_cast<std::int64_t>(j) && scene.IsModelIndex(parent)) {
      scene.models[static_cast<std::size_t>(parent)]->children.push_back(child);
    }
  }
  for (auto& m : scene.models) m->childCount = static_cast<std::int16_t>(m->children.size());
}

void ClearVisited(Scene& scene) {
  for (auto& m : scene.models) m->visited = 0;
}

void MarkSubtree(ModelRecord* model) {
  // An explicit stack rather than recursion: a long chain of links cannot exhaust the
  // call stack. The set of models marked is the same as for the recursive walk.
  std::vector<ModelRecord*> pending{model};
  while (!pending.empty()) {
    ModelRecord* m = pending.back();
    pending.pop_back();
    if (m == nullptr || m->visited == 1) continue;
    m->visited = 1;
    for (auto it = m->children.rbegin(); it != m->children.rend(); ++it) pending.push_back(*it);
  }
}

}  // namespace tessary
