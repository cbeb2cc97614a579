// The main window.
#include "app/MainFrame.h"

#include <wx/accel.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <vector>

#include "app/CommandIds.h"
#include "anim/StatusText.h"
#include "app/CommandTable.h"
#include "content/ContentCommands.h"
#include "light/LightCommands.h"
#include "render/RenderView.h"
#include "scene/ModelCommands.h"
#include "ui/OptionsBar.h"
#include "view/ViewCommands.h"

namespace tessary {

MainFrame::MainFrame(Scene& scene, TrackballState& trackball, std::unique_ptr<WxDesktop> desktop)
    : wxFrame(nullptr, wxID_ANY, kApplicationTitle, wxDefaultPosition, wxSize(512, 384),
              wxDEFAULT_FRAME_STYLE, "MainWnd"),
      desktop_(desktop ? std::move(desktop) : std::make_unique<WxDesktop>()),
      textures_(*this),
      ws_{scene, trackball, *desktop_, textures_} {
  desktop_->Attach(this);
  // Under a window manager wxGTK would hold the window back until it learns the size of the
  // decorations and then lay it out once at one pixel square, which makes GTK warn on the
  // terminal at every start. Shown at once, the window keeps its client area and grows by
  // the decorations when they are known.
  m_deferShow = false;
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});

  if (RenderView::DisplayOffersFormat()) {
    renderView = new RenderView(this, ws_);
    viewWindow = renderView;
  } else {
    // No GL on this display: the viewer keeps running with an empty window in the view's
    // place, so models, lights and files can still be handled.
    viewWindow = new wxWindow(this, cmd::ToWxId(cmd::kRenderViewId), wxDefaultPosition, wxSize(312, 384),
                              wxBORDER_SUNKEN, "GLWnd");
    viewWindow->SetBackgroundColour(*wxBLACK);
    ws_.desktop.ShowMessage("ChoosePixelFormat failed");
  }
  optionsBar = new OptionsBar(this);
  // Along the bottom of the window: the client area ends above it, so the view and the
  // options bar keep their places and widths.
  statusBar = CreateStatusBar(4, wxSTB_DEFAULT_STYLE | wxFULL_REPAINT_ON_RESIZE);
  SetStatusBarPane(-1);  // menus have no help texts to show there, and must not blank the file name
  CreateMenuBarAndAccelerators();
  EnableDesktopIntegration();

  Bind(wxEVT_SIZE, &MainFrame::OnSize, this);
  LayoutChildren();
  // The first spin step gives the view its first paint (once it is on screen; the idle
  // step itself lives in the view).
  ApplySpin(ws_);
}

MainFrame::~MainFrame() { FreeSceneAndChildren(); }

void MainFrame::FreeSceneAndChildren() {
  // Models first (their texture objects are deleted while the context is current), then
  // the lights, then the view (which releases the context) and the options bar.
  if (renderView != nullptr) renderView->MakeContextCurrent();
  ws_.scene.Clear();
  ws_.scene.currentModel = -1;
  ws_.scene.currentLight = -1;
  if (viewWindow != nullptr) {
    delete viewWindow;
    viewWindow = nullptr;
    renderView = nullptr;
  }
  if (optionsBar != nullptr) {
    delete optionsBar;
    optionsBar = nullptr;
  }
}

void MainFrame::LayoutChildren() {
  const wxSize client = GetClientSize();
  if (optionsBar != nullptr) optionsBar->SetSize(client.x - kOptionsBarWidth, 0, kOptionsBarWidth, client.y);
  // A window narrower than the bar leaves the view with no width at all.
  if (viewWindow != nullptr) viewWindow->SetSize(0, 0, std::max(0, client.x - kOptionsBarWidth), client.y);
}

void MainFrame::ShowStatus() {
  if (statusBar == nullptr) return;
  const StatusFields fields = BuildStatusFields(ws_.scene);
  const std::string* texts[] = {&fields.file, &fields.frame, &fields.sequences, &fields.rate};
  // Each field is as wide as its text, the frame's as wide as its longest text for the
  // model's frame numbers (so the fields stay put while it plays), the last one with room
  // for the size grip; the sequences get the rest.
  const auto width = [this](const std::string& text) { return statusBar->GetTextExtent(wxString::FromUTF8(text)).x + 14; };
  const ModelRecord* model = ws_.scene.CurrentModel();
  const std::string digits(model != nullptr ? std::to_string(std::max(0, model->FrameCount() - 1)).size() : 1, '8');
  std::vector<int> widths = {width(fields.file), width("Frame " + digits + " \u2192 " + digits + " (88%)"), -1,
                             width(fields.rate) + 24};
  if (widths != statusWidths_) {
    statusBar->SetStatusWidths(4, widths.data());
    statusWidths_ = std::move(widths);
  }
  for (int i = 0; i < 4; ++i) {
    const wxString text = wxString::FromUTF8(*texts[i]);
    if (statusBar->GetStatusText(i) != text) statusBar->SetStatusText(text, i);
  }
}

void MainFrame::OnSize(wxSizeEvent& event) {
  event.Skip();
  LayoutChildren();
}

namespace {

// skinMenu, when given, receives the "Skin" submenu that is filled as it opens.
wxMenu* BuildMenu(const MenuEntry& entry, std::vector<int>& itemIds, wxMenu** skinMenu = nullptr) {
  auto* menu = new wxMenu;
  for (const MenuEntry& child : entry.children) {
    if (child.id == cmd::kSkinMenu && skinMenu != nullptr) {
      // Filled as it opens; its own update rule greys it when there is no skin to choose.
      *skinMenu = new wxMenu;
      menu->Append(cmd::ToWxId(child.id), wxString::FromUTF8(child.caption), *skinMenu);
      itemIds.push_back(child.id);
    } else if (!child.children.empty()) {
      menu->AppendSubMenu(BuildMenu(child, itemIds, skinMenu), wxString::FromUTF8(child.caption));
    } else if (child.id == 0) {
      menu->AppendSeparator();
    } else {
      menu->Append(cmd::ToWxId(child.id), wxString::FromUTF8(child.caption), wxEmptyString,
                   IsCheckable(child.id) ? wxITEM_CHECK : IsRadio(child.id) ? wxITEM_RADIO : wxITEM_NORMAL);
      itemIds.push_back(child.id);
    }
  }
  return menu;
}

int KeyCode(const Accelerator& accelerator) {
  switch (accelerator.key) {
    case Accelerator::Left: return WXK_LEFT;
    case Accelerator::Right: return WXK_RIGHT;
    case Accelerator::Letter: return accelerator.letter;
    case Accelerator::Insert: return WXK_INSERT;
    case Accelerator::Delete: return WXK_DELETE;
    case Accelerator::Backspace: return WXK_BACK;
    case Accelerator::F6: return WXK_F6;
    case Accelerator::Space: return WXK_SPACE;
    case Accelerator::Home: return WXK_HOME;
  }
  return 0;
}

int Modifiers(const Accelerator& accelerator) {
  return (accelerator.ctrl ? wxACCEL_CTRL : 0) | (accelerator.shift ? wxACCEL_SHIFT : 0) |
         (accelerator.alt ? wxACCEL_ALT : 0);
}

}  // namespace

void MainFrame::CreateMenuBarAndAccelerators() {
  std::vector<int> itemIds;
  auto* menuBar = new wxMenuBar;
  for (const MenuEntry& top : MainMenu())
    menuBar->Append(BuildMenu(top, itemIds, &skinMenu_), wxString::FromUTF8(top.caption));
  SetMenuBar(menuBar);

  std::vector<wxAcceleratorEntry> entries;
  for (const Accelerator& accelerator : Accelerators())
    entries.emplace_back(Modifiers(accelerator), KeyCode(accelerator), cmd::ToWxId(accelerator.id));
  SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));

  // Menu items, accelerators and the bar's buttons all arrive as command numbers.
  Bind(wxEVT_MENU, &MainFrame::OnCommand, this);
  Bind(wxEVT_BUTTON, &MainFrame::OnCommand, this);
  Bind(wxEVT_CHOICE, &MainFrame::OnListSelection, this);
  Bind(wxEVT_LISTBOX, &MainFrame::OnListSelection, this);
  // The view must know when a menu is open over it (see RenderView::SetMenuOpen).
  for (auto type : {wxEVT_MENU_OPEN, wxEVT_MENU_CLOSE}) {
    Bind(type, [this, type](wxMenuEvent& event) {
      event.Skip();
      // Submenus open and close inside a menu that stays open; only the menu bar's own
      // menus count.
      const bool topLevel = event.GetMenu() == nullptr || event.GetMenu()->GetParent() == nullptr;
      if (renderView != nullptr && topLevel) renderView->SetMenuOpen(type == wxEVT_MENU_OPEN);
    });
  }
  // Only the menu items answer update-UI queries. wxGTK asks when a menu opens, never
  // from idle time: answering for the filter items redraws the view, which must not
  // happen on every idle pass.
  for (int id : itemIds) Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateCommand, this, cmd::ToWxId(id));
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateCommand, this, cmd::ToWxId(cmd::kFirstSkin), cmd::ToWxId(cmd::kLastSkin));
  // The sequence items come and go with the current model (ShowSequenceMenus).
  Bind(wxEVT_UPDATE_UI, &MainFrame::OnUpdateCommand, this, cmd::ToWxId(cmd::kLegsSequenceFirst),
       cmd::ToWxId(cmd::kPlainSequence));
}

namespace {

bool SameMenus(const std::vector<MenuEntry>& a, const std::vector<MenuEntry>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const MenuEntry& x, const MenuEntry& y) {
    return x.caption == y.caption && x.id == y.id && SameMenus(x.children, y.children);
  });
}

}  // namespace

void MainFrame::ShowSequenceMenus() {
  std::vector<MenuEntry> wanted = SequenceMenus(ws_.scene);
  const int index = GetMenuBar() != nullptr ? GetMenuBar()->FindMenu("Animation") : wxNOT_FOUND;
  if (index == wxNOT_FOUND || SameMenus(wanted, shownSequenceMenus_)) return;
  wxMenu* menu = GetMenuBar()->GetMenu(static_cast<std::size_t>(index));
  // The fixed items stay; everything after them is this function's.
  std::size_t fixed = 0;
  for (const MenuEntry& top : MainMenu())
    if (top.caption == "&Animation") fixed = top.children.size();
  while (menu->GetMenuItemCount() > fixed) menu->Destroy(menu->FindItemByPosition(fixed));
  if (!wanted.empty()) menu->AppendSeparator();
  std::vector<int> ids;
  for (const MenuEntry& list : wanted) menu->AppendSubMenu(BuildMenu(list, ids), wxString::FromUTF8(list.caption));
  shownSequenceMenus_ = std::move(wanted);
}

void MainFrame::RebuildSkinMenu() {
  if (skinMenu_ == nullptr) return;
  while (skinMenu_->GetMenuItemCount() > 0) skinMenu_->Destroy(skinMenu_->FindItemByPosition(0));
  const std::vector<std::string> skins = SkinMenuEntries(ws_.scene);
  for (std::size_t i = 0; i < skins.size(); ++i)
    skinMenu_->AppendCheckItem(cmd::ToWxId(cmd::kFirstSkin + static_cast<int>(i)), wxString::FromUTF8(skins[i]));
}

void MainFrame::OnCommand(wxCommandEvent& event) {
  const int id = cmd::FromWxId(event.GetId());
  bool handled = false;
  RunRemembering([&] { handled = RunWindowCommand(id) || DispatchCommand(ws_, id); });
  if (!handled) event.Skip();
}

void MainFrame::OnUpdateCommand(wxUpdateUIEvent& event) {
  const int id = cmd::FromWxId(event.GetId());
  // The submenu's items follow right after it in the same update pass.
  if (id == cmd::kSkinMenu) RebuildSkinMenu();
  const CommandState state = QueryCommandState(ws_, id);
  event.Enable(state.enabled);
  if (IsCheckable(id) || (IsRadio(id) && state.checked)) event.Check(state.checked);
}

void MainFrame::OnListSelection(wxCommandEvent& event) {
  // event.GetSelection() is the chosen row, wxNOT_FOUND (-1) when nothing is selected.
  switch (cmd::FromWxId(event.GetId())) {
    case cmd::kModelListId: SelectModel(ws_, event.GetSelection()); break;
    case cmd::kModelLightListId: SelectModelLight(ws_, event.GetSelection()); break;
    case cmd::kGlobalLightListId: SelectGlobalLight(ws_, event.GetSelection()); break;
    default: event.Skip(); break;
  }
}

bool MainFrame::ViewTextureDevice::Ready() {
  return frame_.renderView != nullptr && frame_.renderView->MakeContextCurrent();
}

std::uint32_t MainFrame::ViewTextureDevice::CreateTexture() { return Ready() ? gl_.CreateTexture() : 0; }

void MainFrame::ViewTextureDevice::UploadTexture(const ImageRGBA& image) {
  if (image.textureName != 0 && Ready()) gl_.UploadTexture(image);
}

void MainFrame::ViewTextureDevice::DeleteTexture(std::uint32_t textureName) {
  if (textureName != 0 && Ready()) gl_.DeleteTexture(textureName);
}

}  // namespace tessary
