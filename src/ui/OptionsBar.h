// The options bar: the fixed 200-pixel panel at the right of the main window with the
// model list, the current model's lights, its four map file names and the global light
// list, each row with its small buttons. It holds no scene data: ShowContents writes what
// the panel refresh computed, and every click or selection travels up to the main frame
// as a command event with the control's id.
#pragma once

#include <wx/panel.h>

#include <array>
#include <map>

#include "scene/PanelContents.h"

class wxButton;
class wxChoice;
class wxListBox;
class wxTextCtrl;

namespace tessary {

class OptionsBar : public wxPanel {
 public:
  explicit OptionsBar(wxWindow* parent);

  // Shows exactly these contents. Selections set here are never taken for the user's: no
  // selection handler runs because of them.
  void ShowContents(const PanelContents& contents);

  // Places every control again from the height of the closed model list.
  void LayoutControls();
  // H: the height of the closed model list as placed, from which all rows follow.
  int RowHeight() const;

  // The button that sends this command number, or none.
  wxButton* ButtonFor(int command) const;

  wxChoice* modelList = nullptr;
  wxChoice* modelLightList = nullptr;
  wxTextCtrl* textureMapField = nullptr;
  wxTextCtrl* specularityMapField = nullptr;
  wxTextCtrl* diffusionMapField = nullptr;
  wxTextCtrl* glowMapField = nullptr;
  wxListBox* globalLightList = nullptr;
  int created = 0;

 private:
  void CreateControls();
  void AddRowButtons(int firstCommand);
  void OnPaint(wxPaintEvent& event);
  void OnSelection(wxCommandEvent& event);
  // The map fields from top to bottom: texture, diffusion, specularity, glow.
  std::array<wxTextCtrl*, 4> MapRowFields() const;

  std::map<int, wxButton*> buttons_;  // by command number
  bool showingContents_ = false;
};

}  // namespace tessary
