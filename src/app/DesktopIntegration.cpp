// The main window's part in fitting into the desktop: files dropped on it, the window place
// and "Recent Models" kept in the settings, and the commands that need the window itself
// (Fit View, Open Player, picture export, the recent entries). The operations they run are
// the core's.
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/menu.h>

#include <filesystem>
#include <system_error>

#include "anim/PlayerCommands.h"
#include "app/CommandIds.h"
#include "app/FileDrop.h"
#include "app/MainFrame.h"
#include "render/PictureExport.h"
#include "render/RenderView.h"
#include "scene/Md3Loader.h"
#include "ui/OptionsBar.h"
#include "view/ViewFit.h"

namespace tessary {

namespace {

// Hands dropped files to the main window once the drop is over: opening them may show a
// message box, which must not happen while the toolkit is still finishing the drag.
class FileDropTarget final : public wxFileDropTarget {
 public:
  FileDropTarget(MainFrame& frame, bool onView) : frame_(frame), onView_(onView) {}

  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
    std::vector<std::string> paths;
    for (const wxString& name : names) paths.push_back(name.utf8_string());
    MainFrame& frame = frame_;
    const bool onView = onView_;
    frame.CallAfter([&frame, paths, onView] { frame.OpenDropped(paths, onView); });
    return true;
  }

 private:
  MainFrame& frame_;
  bool onView_;
};

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

// A recent entry's caption: its number as the mnemonic, then the path ('&' doubled so wx
// shows it rather than taking it for a mnemonic).
wxString RecentCaption(std::size_t index, const std::string& path) {
  wxString shown = wxString::FromUTF8(path);
  shown.Replace("&", "&&");
  return wxString::Format("&%zu %s", index + 1, shown);
}

}  // namespace

void MainFrame::EnableDesktopIntegration() {
  viewWindow->SetDropTarget(new FileDropTarget(*this, true));
  optionsBar->SetDropTarget(new FileDropTarget(*this, false));
  SetDropTarget(new FileDropTarget(*this, false));
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    RememberWindowPlace();
    event.Skip();
  });
  // The menu table holds placeholders for the recent entries; find their submenu and the
  // File menu item that opens it.
  wxMenuBar* menuBar = GetMenuBar();
  menuBar->FindItem(cmd::ToWxId(cmd::kRecentModelFirst), &recentMenu_);
  for (std::size_t i = 0; recentMenu_ != nullptr && i < menuBar->GetMenuCount(); ++i) {
    for (wxMenuItem* item : menuBar->GetMenu(i)->GetMenuItems())
      if (item->GetSubMenu() == recentMenu_) recentItem_ = item;
  }
  ShowRecentModels();
}

void MainFrame::UseSettings(std::unique_ptr<SettingsFile> settings) {
  settings_ = std::move(settings);
  ApplyWindowPlace();
  ShowRecentModels();
}

void MainFrame::RunRemembering(const std::function<void()>& operation) {
  const std::size_t modelsBefore = ws_.scene.models.size();
  const std::string baseBefore = ws_.scene.baseFolder;
  operation();
  if (ws_.scene.baseFolder != baseBefore) settings_->SetBaseFolder(ws_.scene.baseFolder);
  // Each file once, in the order opened, so the last one opened ends on top.
  bool opened = false;
  const std::string* previous = nullptr;
  for (std::size_t i = modelsBefore; i < ws_.scene.models.size(); ++i) {
    const std::string& file = ws_.scene.models[i]->sourceFile;
    if (file.empty() || (previous != nullptr && *previous == file)) continue;
    previous = &file;
    settings_->AddRecentModel(AbsolutePath(file));
    opened = true;
  }
  if (opened) ShowRecentModels();
}

void MainFrame::OpenDropped(const std::vector<std::string>& paths, bool onView) {
  RunRemembering([&] { OpenDroppedFiles(ws_, paths, onView); });
}

bool MainFrame::RunWindowCommand(int id) {
  if (cmd::IsRecentModel(id)) {
    OpenRecentModel(static_cast<std::size_t>(id - cmd::kRecentModelFirst));
    return true;
  }
  switch (id) {
    case cmd::kFitView: FitView(ws_, ViewAspect()); return true;
    case cmd::kOpenPlayer: OpenPlayer(ws_, ViewAspect()); return true;
    case cmd::kExportPicture: ExportPicture(ws_, *desktop_, renderView); return true;
    default: return false;
  }
}

void MainFrame::OpenRecentModel(std::size_t index) {
  const auto& recent = settings_->Get().recentModels;
  if (index >= recent.size()) return;
  const std::string path = recent[index];
  const std::size_t before = ws_.scene.models.size();
  LoadModelFile(ws_, path);
  // A file that is gone or no longer loads leaves the list; the loader has said why.
  if (ws_.scene.models.size() == before) {
    settings_->RemoveRecentModel(path);
    ShowRecentModels();
  }
}

void MainFrame::ShowRecentModels() {
  if (recentMenu_ == nullptr) return;
  while (recentMenu_->GetMenuItemCount() > 0) recentMenu_->Destroy(recentMenu_->FindItemByPosition(0));
  const auto& recent = settings_->Get().recentModels;
  for (std::size_t i = 0; i < recent.size() && i < static_cast<std::size_t>(cmd::kRecentModelCount); ++i)
    recentMenu_->Append(cmd::ToWxId(cmd::kRecentModelFirst + static_cast<int>(i)), RecentCaption(i, recent[i]));
  if (recentItem_ != nullptr) recentItem_->Enable(!recent.empty());
}

void MainFrame::ApplyWindowPlace() {
  const auto& place = settings_->Get().window;
  if (!place) return;
  const wxRect rect(place->x, place->y, place->width, place->height);
  // A place on a screen that is no longer there would hide the window.
  if (wxDisplay::GetFromPoint(rect.GetPosition() + rect.GetSize() / 2) == wxNOT_FOUND) return;
  SetSize(rect);
  if (place->maximised) Maximize();
}

void MainFrame::RememberWindowPlace() {
  // A maximised or minimised window keeps the place it had before, with the flag.
  WindowPlace place = settings_->Get().window.value_or(WindowPlace{});
  if (!IsMaximized() && !IsIconized()) {
    const wxRect rect = GetRect();
    place = WindowPlace{rect.x, rect.y, rect.width, rect.height, false};
  }
  place.maximised = IsMaximized();
  if (place.width > 0 && place.height > 0) settings_->SetWindowPlace(place);
}

double MainFrame::ViewAspect() const {
  const wxSize client = viewWindow != nullptr ? viewWindow->GetClientSize() : wxSize(1, 1);
  return client.y > 0 ? static_cast<double>(client.x) / client.y : 1.0;
}

}  // namespace tessary
