// "Tag Linkage Setup": four lists (the model to modify, its pivot tag, its parent and the
// anchor tag on the parent). Every pick takes effect at once and is redrawn; the dialog
// has no OK or Cancel and undoes nothing when it closes.
#pragma once

#include "app/Workspace.h"
#include "link/LinkageLogic.h"
#include "ui/FormDialog.h"

class wxListBox;

namespace tessary {

class TagLinkageDialog : public FormDialog {
 public:
  // The lists' control ids.
  static constexpr int kModelListId = 1004;
  static constexpr int kPivotListId = 1008;
  static constexpr int kParentListId = 1006;
  static constexpr int kAnchorListId = 1009;

  TagLinkageDialog(wxWindow* parent, Workspace& ws);

  const LinkageLogic& logic() const { return logic_; }
  wxListBox* modelList = nullptr;
  wxListBox* pivotList = nullptr;
  wxListBox* anchorList = nullptr;
  wxListBox* parentList = nullptr;

 private:
  wxListBox* AddList(int id, int x, int y, int height);
  void OnPick(wxCommandEvent& event);
  // Shows the logic's four lists.
  void ShowLists();

  LinkageLogic logic_;
  bool showingLists_ = false;
};

}  // namespace tessary
