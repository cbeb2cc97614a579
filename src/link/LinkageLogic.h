// What the Tag Linkage dialog shows and does, without any window: the four lists (models,
// the chosen model's pivot tags, the possible parents, the parent's anchor tags) with
// their selections, and the handling of a row picked in each. Every pick writes the link
// fields at once, rebuilds the child lists, refills the lists and redraws; nothing is
// undone when the dialog closes.
#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"

namespace tessary {

// One list of the dialog: its rows in order and the selected row, -1 for none.
struct LinkageList {
  std::vector<std::string> rows;
  int selection = -1;
};

class LinkageLogic {
 public:
  explicit LinkageLogic(Workspace& ws) : ws_(ws) {}

  // The dialog opens: child lists rebuilt, lists filled with the first model selected.
  void Open();

  // A row picked by the user in one of the lists (-1: none).
  void ModelChosen(int row);
  void PivotChosen(int row);
  void ParentChosen(int row);
  void AnchorChosen(int row);

  const LinkageList& Models() const { return models_; }
  const LinkageList& Pivots() const { return pivots_; }
  const LinkageList& Parents() const { return parents_; }
  const LinkageList& Anchors() const { return anchors_; }

  // Row texts that are not names.
  static constexpr const char* kNoPivot = "No Pivot";
  static constexpr const char* kNoParent = "No Parent";
  static constexpr const char* kNoAnchor = "No Anchor";

 private:
  // The model being edited: the model list's selected row, when it names a model.
  ModelRecord* Selected();
  void FillModelList();
  void FillPivotList();
  void FillParentList();
  void FillAnchorList();

  Workspace& ws_;
  LinkageList models_;
  LinkageList pivots_;
  LinkageList parents_;
  LinkageList anchors_;
};

}  // namespace tessary
