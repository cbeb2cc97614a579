// The lists and picks of the Tag Linkage dialog.
#include "link/LinkageLogic.h"

#include "link/LinkTree.h"

namespace tessary {

namespace {

// The row that shows index + 1 when it exists, else none.
int RowOf(int index, const LinkageList& list) {
  const int row = index + 1;
  return row >= 0 && row < static_cast<int>(list.rows.size()) ? row : -1;
}

}  // namespace

void LinkageLogic::Open() {
  RebuildChildLists(ws_.scene);
  models_.selection = -1;  // so the first model is chosen, not the scene's current one
  FillModelList();
}

ModelRecord* LinkageLogic::Selected() {
  Scene& scene = ws_.scene;
  return scene.IsModelIndex(models_.selection) ? scene.models[static_cast<std::size_t>(models_.selection)].get()
                                               : nullptr;
}

void LinkageLogic::FillModelList() {
  const int remembered = models_.selection;
  models_.rows.clear();
  for (const auto& model : ws_.scene.models) models_.rows.push_back(model->name);
  // Row 0 of an empty list does not exist: nothing is selected then.
  if (ws_.scene.IsModelIndex(remembered)) {
    models_.selection = remembered;
  } else {
    models_.selection = models_.rows.empty() ? -1 : 0;
  }
  FillPivotList();
  FillParentList();
}

void LinkageLogic::FillPivotList() {
  pivots_ = {};
  const ModelRecord* model = Selected();
  if (model == nullptr) return;
  pivots_.rows.push_back(kNoPivot);
  pivots_.rows.insert(pivots_.rows.end(), model->tagNames.begin(), model->tagNames.end());
  pivots_.selection = RowOf(model->pivotTag, pivots_);
}

void LinkageLogic::FillParentList() {
  parents_ = {};
  ModelRecord* model = Selected();
  if (model == nullptr) return;
  Scene& scene = ws_.scene;
  parents_.rows.push_back(kNoParent);
  // The model itself and its descendants are never offered: choosing one would close a loop.
  ClearVisited(scene);
  MarkSubtree(model);
  std::int16_t row = 1;
  for (const auto& candidate : scene.models) {
    if (candidate->visited != 0) {
      candidate->parentListRow = -1;
    } else {
      candidate->parentListRow = row++;
      parents_.rows.push_back(candidate->name);
    }
  }
  const ModelRecord* parent =
      scene.IsModelIndex(model->parentIndex) ? scene.models[static_cast<std::size_t>(model->parentIndex)].get() : nullptr;
  if (parent != nullptr && parent->parentListRow >= 1) {
    parents_.selection = parent->parentListRow;
  } else {
    // A parent that is gone or sits in the model's own subtree is dropped here.
    model->parentIndex = -1;
    parents_.selection = 0;
  }
  FillAnchorList();
}

void LinkageLogic::FillAnchorList() {
  anchors_ = {};
  ModelRecord* model = Selected();
  if (model == nullptr) return;
  anchors_.rows.push_back(kNoAnchor);
  if (model->parentIndex < 0) {
    model->anchorTag = -1;
    return;
  }
  if (!ws_.scene.IsModelIndex(model->parentIndex)) return;
  const ModelRecord& parent = *ws_.scene.models[static_cast<std::size_t>(model->parentIndex)];
  anchors_.rows.insert(anchors_.rows.end(), parent.tagNames.begin(), parent.tagNames.end());
  anchors_.selection = RowOf(model->anchorTag, anchors_);
}

void LinkageLogic::ModelChosen(int row) {
  // Moving to another model touches no link.
  models_.selection = row;
  FillModelList();
  ws_.SceneChanged();
}

void LinkageLogic::PivotChosen(int row) {
  ModelRecord* model = Selected();
  if (model == nullptr || row < 0 || row > model->TagCount()) return;
  model->pivotTag = static_cast<std::int16_t>(row - 1);
  RebuildChildLists(ws_.scene);
  FillPivotList();
  ws_.SceneChanged();
}

void LinkageLogic::ParentChosen(int row) {
  ModelRecord* model = Selected();
  if (model == nullptr) return;
  Scene& scene = ws_.scene;
  ClearVisited(scene);
  MarkSubtree(model);
  if (row > 0) {
    // The row counts only the models outside the subtree, as the list was filled.
    std::int16_t counter = 1;
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
      ModelRecord& candidate = *scene.models[i];
      if (candidate.visited != 0) {
        candidate.parentListRow = -1;
        continue;
      }
      candidate.parentListRow = counter;
      if (counter == row) {
        // The anchor index stays: the same tag number is used on the new parent.
        model->parentIndex = static_cast<std::int16_t>(i);
        RebuildChildLists(scene);
        parents_.selection = row;
        FillAnchorList();
        ws_.SceneChanged();
        return;
      }
      ++counter;
    }
  }
  model->parentIndex = -1;
  RebuildChildLists(scene);
  FillParentList();
  ws_.SceneChanged();
}

void LinkageLogic::AnchorChosen(int row) {
  ModelRecord* model = Selected();
  if (model == nullptr) return;
  Scene& scene = ws_.scene;
  if (scene.IsModelIndex(model->parentIndex)) {
    const int tagCount = scene.models[static_cast<std::size_t>(model->parentIndex)]->TagCount();
    model->anchorTag = static_cast<std::int16_t>(row >= 1 && row <= tagCount ? row - 1 : -1);
    RebuildChildLists(scene);
    FillAnchorList();
  } else {
    model->parentIndex = -1;
    model->anchorTag = -1;
    RebuildChildLists(scene);
    FillParentList();
  }
  ws_.SceneChanged();
}

}  // namespace tessary
