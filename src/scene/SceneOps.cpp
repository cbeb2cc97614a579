// Path helpers and the removal of one model with the fix-up of the links that pointed at it.
#include "scene/SceneOps.h"

#include "link/LinkTree.h"

namespace tessary {

std::string FileNameFromPath(std::string_view path) {
  const auto separator = path.find_last_of("\\/");
  if (separator == std::string_view::npos) return std::string(path);
  return std::string(path.substr(separator + 1));
}

bool PathHasDot(std::string_view path) { return path.find('.') != std::string_view::npos; }

void RemoveModelAt(Scene& scene, int index) {
  if (!scene.IsModelIndex(index)) return;
  auto& models = scene.models;

  ModelRecord& removed = *models[static_cast<std::size_t>(index)];
  removed.parentIndex = -1;
  removed.anchorTag = -1;

  // Children of the removed model lose their parent and anchor but keep their pivot;
  // links to later models follow them down one place.
  for (auto& m : models) {
    if (m->parentIndex == index) {
      m->parentIndex = -1;
      m->anchorTag = -1;
    }
    if (m->parentIndex > index) --m->parentIndex;
  }

  // Destroying the record releases its map images (and their texture objects) in slot order.
  models.erase(models.begin() + index);
  RebuildChildLists(scene);
  ForgetModel(scene.animation, index);

  if (scene.currentModel >= scene.ModelCount()) scene.currentModel = 0;
  if (models.empty()) scene.currentModel = -1;
}

}  // namespace tessary
