// The Tag Linkage Setup dialog.
#include "link/TagLinkageDialog.h"

#include <wx/listbox.h>

#include "ui/DisplayText.h"

namespace tessary {

namespace {

void ShowList(wxListBox* list, const LinkageList& contents) {
  bool same = list->GetCount() == contents.rows.size();
  for (unsigned i = 0; same && i < contents.rows.size(); ++i) same = list->GetString(i) == DisplayText(contents.rows[i]);
  if (!same) {
    list->Clear();
    for (const std::string& row : contents.rows) list->Append(DisplayText(row));
  }
  list->SetSelection(contents.selection >= 0 && contents.selection < static_cast<int>(contents.rows.size())
                         ? contents.selection
                         : wxNOT_FOUND);
}

}  // namespace

TagLinkageDialog::TagLinkageDialog(wxWindow* parent, Workspace& ws)
    : FormDialog(parent, "Tag Linkage Setup", wxSize(310, 118), ws.desktop), logic_(ws) {
  AddLabel("Mesh to Modify", 4, 4, 100, 8, wxALIGN_CENTRE_HORIZONTAL);
  modelList = AddList(kModelListId, 4, 14, 100);
  AddLabel("Mesh's Pivot", 105, 4, 100, 8, wxALIGN_CENTRE_HORIZONTAL);
  pivotList = AddList(kPivotListId, 105, 14, 44);
  anchorList = AddList(kAnchorListId, 105, 60, 44);
  AddLabel("Anchor on Parent", 105, 106, 100, 8, wxALIGN_CENTRE_HORIZONTAL);
  parentList = AddList(kParentListId, 206, 4, 100);
  AddLabel("Mesh's Parent", 206, 106, 100, 8, wxALIGN_CENTRE_HORIZONTAL);
  Bind(wxEVT_LISTBOX, &TagLinkageDialog::OnPick, this);
  CloseOnEscapeAndEnter();

  logic_.Open();
  ShowLists();
}

wxListBox* TagLinkageDialog::AddList(int id, int x, int y, int height) {
  const wxRect r = DialogRect(x, y, 100, height);
  return new wxListBox(this, id, r.GetPosition(), r.GetSize(), 0, nullptr, wxLB_SINGLE | wxLB_NEEDED_SB | wxBORDER_SUNKEN);
}

void TagLinkageDialog::OnPick(wxCommandEvent& event) {
  const int row = event.GetSelection();
  // Rows set by ShowLists are not picks, and neither is a list losing its selection.
  if (showingLists_ || row < 0) return;
  switch (event.GetId()) {
    case kModelListId: logic_.ModelChosen(row); break;
    case kPivotListId: logic_.PivotChosen(row); break;
    case kParentListId: logic_.ParentChosen(row); break;
    case kAnchorListId: logic_.AnchorChosen(row); break;
    default: return;
  }
  ShowLists();
}

void TagLinkageDialog::ShowLists() {
  showingLists_ = true;
  ShowList(modelList, logic_.Models());
  ShowList(pivotList, logic_.Pivots());
  ShowList(parentList, logic_.Parents());
  ShowList(anchorList, logic_.Anchors());
  showingLists_ = false;
}

}  // namespace tessary
