// The options bar panel.
#include "ui/OptionsBar.h"

#include <wx/choice.h>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/settings.h>

#include <algorithm>

#include "app/CommandIds.h"
#include "ui/CompactControls.h"
#include "ui/DisplayText.h"
#include "ui/OptionsBarTips.h"

namespace tessary {

namespace {

constexpr int kListWidth = 138;
constexpr int kButtonWidth = 20;
constexpr int kPropsWidth = 60;
constexpr int kFirstButtonX = 139;
constexpr int kRowGap = 2;

// The switch buttons, one per row, top to bottom.
constexpr int kSwitchCommands[] = {cmd::kToggleModelVisible, cmd::kToggleModelLight,  cmd::kToggleTextureMap,
                                   cmd::kToggleDiffusionMap, cmd::kToggleSpecularityMap, cmd::kToggleGlowMap,
                                   cmd::kToggleLight};
// The first command ("+") of each row's three buttons, top to bottom.
constexpr int kRowCommands[] = {cmd::kOpenModel,        cmd::kAttachLight,        cmd::kLoadTextureMap,
                                cmd::kLoadDiffusionMap, cmd::kLoadSpecularityMap, cmd::kLoadGlowMap,
                                cmd::kAddLight};

// Rewrites a list only when its rows differ, so that an unchanged list neither flickers nor
// loses its scroll position; the selection is set either way.
template <typename List>
void ShowRows(List* list, const std::vector<std::string>& rows, int selection) {
  bool same = list->GetCount() == rows.size();
  for (unsigned i = 0; same && i < rows.size(); ++i) same = list->GetString(i) == DisplayText(rows[i]);
  if (!same) {
    list->Clear();
    for (const std::string& row : rows) list->Append(DisplayText(row));
  }
  const bool valid = selection >= 0 && selection < static_cast<int>(rows.size());
  list->SetSelection(valid ? selection : wxNOT_FOUND);
}

void ShowCaption(wxButton* button, const std::string& caption) {
  if (button->GetLabel() != DisplayText(caption)) button->SetLabel(DisplayText(caption));
}

void ShowText(wxTextCtrl* field, const std::string& text) {
  // ChangeValue sends no text event, unlike SetValue.
  if (field->GetValue() != DisplayText(text)) field->ChangeValue(DisplayText(text));
}

}  // namespace

OptionsBar::OptionsBar(wxWindow* parent)
    : wxPanel(parent, cmd::ToWxId(cmd::kOptionsBarId), wxDefaultPosition, wxSize(200, 384),
              wxBORDER_NONE | wxCLIP_CHILDREN | wxTAB_TRAVERSAL, "Options Bar") {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  Bind(wxEVT_PAINT, &OptionsBar::OnPaint, this);
  // A size change before every control exists must do nothing.
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    if (created == 1) LayoutControls();
  });
  Bind(wxEVT_CHOICE, &OptionsBar::OnSelection, this);
  Bind(wxEVT_LISTBOX, &OptionsBar::OnSelection, this);
  CreateControls();
  AddOptionsBarTips(*this);
  created = 1;
  LayoutControls();
}

void OptionsBar::CreateControls() {
  // Row by row, the list or field first and then its buttons, so the tab order follows
  // the rows.
  modelList = new wxChoice(this, cmd::ToWxId(cmd::kModelListId), wxPoint(0, 1), wxSize(kListWidth, -1), 0, nullptr,
                           0, wxDefaultValidator, "Model List");
  AddRowButtons(cmd::kOpenModel);
  modelLightList = new wxChoice(this, cmd::ToWxId(cmd::kModelLightListId), wxDefaultPosition, wxSize(kListWidth, -1),
                                0, nullptr, 0, wxDefaultValidator, "Model Lights");
  AddRowButtons(cmd::kAttachLight);

  // The four map fields share one id; they are told apart by field, never by id.
  const long fieldStyle = wxTE_READONLY | wxBORDER_SUNKEN;
  auto makeField = [&](const char* name) {
    auto* field = new CompactTextCtrl(this, cmd::ToWxId(cmd::kMapFieldId), wxDefaultPosition, wxDefaultSize, fieldStyle);
    field->SetName(name);
    field->SetFont(modelList->GetFont());
    return field;
  };
  textureMapField = makeField("Model Texture Map");
  AddRowButtons(cmd::kLoadTextureMap);
  diffusionMapField = makeField("Model Diffusion Map");
  AddRowButtons(cmd::kLoadDiffusionMap);
  specularityMapField = makeField("Model Specularity Map");
  AddRowButtons(cmd::kLoadSpecularityMap);
  glowMapField = makeField("Model Glow Map");
  AddRowButtons(cmd::kLoadGlowMap);

  // The scroll bar shows when the lights do not fit. One GTK trait remains: a list that
  // takes the keyboard focus while nothing is selected selects its first row, so tabbing
  // into the light list when no light is current makes the first one current.
  globalLightList = new wxListBox(this, cmd::ToWxId(cmd::kGlobalLightListId), wxDefaultPosition, wxDefaultSize, 0,
                                  nullptr, wxLB_SINGLE | wxLB_NEEDED_SB | wxBORDER_SUNKEN, wxDefaultValidator,
                                  "Global Light List");
  globalLightList->SetFont(modelList->GetFont());
  AddRowButtons(cmd::kAddLight);
  buttons_[cmd::kLightProperties] = new CompactButton(this, cmd::ToWxId(cmd::kLightProperties), "Props");
}

void OptionsBar::AddRowButtons(int firstCommand) {
  static const char* const kCaptions[3] = {"+", "X", " "};
  for (int i = 0; i < 3; ++i) {
    const int command = firstCommand + i;
    buttons_[command] = new CompactButton(this, cmd::ToWxId(command), kCaptions[i]);
  }
}

int OptionsBar::RowHeight() const { return modelList->GetSize().y; }

void OptionsBar::LayoutControls() {
  // The model list keeps its natural height; that height is H.
  modelList->SetSize(0, 1, kListWidth, -1);
  const int h = RowHeight();
  const int pitch = h + kRowGap;
  auto placeButtons = [&](int firstCommand, int y) {
    for (int i = 0; i < 3; ++i) buttons_.at(firstCommand + i)->SetSize(kFirstButtonX + i * kButtonWidth, y, kButtonWidth, h);
  };

  placeButtons(cmd::kOpenModel, 1);
  modelLightList->SetSize(0, 1 + pitch, kListWidth, h);
  placeButtons(cmd::kAttachLight, 1 + pitch);
  const std::array<wxTextCtrl*, 4> fields = MapRowFields();
  for (int row = 0; row < 4; ++row) {
    const int y = 1 + (row + 2) * pitch;
    fields[static_cast<std::size_t>(row)]->SetSize(0, y, kListWidth, h);
    placeButtons(kRowCommands[row + 2], y);
  }
  // Row 6 starts two pixels below row 5; the light list takes the rest of the bar's height
  // (none at all when the bar is too short).
  const int lightsY = 6 * h + 13;
  const int lightsHeight = std::max(0, GetClientSize().y - 1 - lightsY);
  globalLightList->SetSize(0, lightsY, kListWidth, lightsHeight);
  placeButtons(cmd::kAddLight, lightsY);
  buttons_.at(cmd::kLightProperties)->SetSize(kFirstButtonX, 7 * h + 13, kPropsWidth, h);
}

std::array<wxTextCtrl*, 4> OptionsBar::MapRowFields() const {
  return {textureMapField, diffusionMapField, specularityMapField, glowMapField};
}

wxButton* OptionsBar::ButtonFor(int command) const {
  const auto it = buttons_.find(command);
  return it == buttons_.end() ? nullptr : it->second;
}

void OptionsBar::ShowContents(const PanelContents& contents) {
  // wx sends no selection event for SetSelection; the flag makes sure that nothing set here
  // could reach the selection handlers even if a toolkit did.
  showingContents_ = true;
  ShowRows(modelList, contents.modelNames, contents.modelSelection);
  ShowCaption(buttons_.at(cmd::kToggleModelVisible), contents.modelSwitch);
  ShowRows(globalLightList, contents.globalLightNames, contents.globalLightSelection);
  ShowCaption(buttons_.at(cmd::kToggleLight), contents.globalLightSwitch);
  ShowRows(modelLightList, contents.modelLightNames, contents.modelLightSelection);
  ShowCaption(buttons_.at(cmd::kToggleModelLight), contents.modelLightSwitch);
  const std::array<wxTextCtrl*, 4> fields = MapRowFields();
  for (std::size_t row = 0; row < 4; ++row) {
    ShowText(fields[row], contents.mapFields[row]);
    ShowCaption(buttons_.at(kSwitchCommands[row + 2]), contents.mapSwitches[row]);
  }
  showingContents_ = false;
}

void OptionsBar::OnSelection(wxCommandEvent& event) {
  // A user's choice goes on to the main frame; one caused by ShowContents stops here.
  if (!showingContents_) event.Skip();
}

void OptionsBar::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
}

}  // namespace tessary
