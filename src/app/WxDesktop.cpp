// The wx desktop.
#include "app/WxDesktop.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "anim/PlayerDialog.h"
#include "app/SettingsFile.h"
#include "content/GameFileDialog.h"
#include "light/LightPropertiesDialog.h"
#include "link/ModelOffsetsDialog.h"
#include "link/TagLinkageDialog.h"
#include "render/RenderView.h"
#include "scene/PanelContents.h"
#include "ui/AboutBox.h"
#include "ui/BackgroundColorDialog.h"
#include "ui/DisplayText.h"
#include "ui/OptionsBar.h"
#include "ui/PictureSizeDialog.h"

namespace tessary {

namespace {

// Each kind of file dialog opens in the folder it last took a file from.
std::optional<FileChoice> RunFileDialog(MainFrame* frame, const std::string& filter, const std::string& initialName,
                                        bool save) {
  SettingsFile* settings = frame != nullptr ? &frame->settings() : nullptr;
  const std::string folder = settings != nullptr ? settings->DialogFolder(filter, save) : std::string();
  wxFileDialog dialog(frame, wxFileSelectorPromptStr, wxString::FromUTF8(folder), DisplayText(initialName),
                      wxString::FromUTF8(filter), save ? wxFD_SAVE : wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  FileChoice choice{dialog.GetPath().utf8_string(), dialog.GetFilterIndex() + 1};
  if (settings != nullptr) settings->NoteDialogChoice(filter, save, choice.path);
  return choice;
}

}  // namespace

void WxDesktop::ShowMessage(const std::string& text) {
  // Over the window in front: a dialog's refusal belongs on the dialog, not behind it.
  wxWindow* front = wxGetActiveWindow();
  wxMessageBox(DisplayText(text), kApplicationTitle, wxOK | wxICON_WARNING, front != nullptr ? front : frame_);
}

std::optional<FileChoice> WxDesktop::ChooseFileToOpen(const std::string& filter, const std::string& initialName) {
  return RunFileDialog(frame_, filter, initialName, false);
}

std::optional<FileChoice> WxDesktop::ChooseFileToSave(const std::string& filter, const std::string& initialName) {
  return RunFileDialog(frame_, filter, initialName, true);
}

std::optional<std::string> WxDesktop::ChooseFolder(const std::string& title) {
  // It opens at the base folder in use, which is remembered from the last run.
  const std::string base = frame_ != nullptr ? frame_->workspace().scene.baseFolder : std::string();
  const wxString start = !base.empty() && base.front() == '/' ? wxString::FromUTF8(base) : wxString();
  wxDirDialog dialog(nullptr, wxString::FromUTF8(title), start, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.GetPath().utf8_string();
}

std::optional<std::string> WxDesktop::ChooseGamePath(const std::string& title, const std::vector<std::string>& paths) {
  GameFileDialog dialog(frame_, title, paths);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.Chosen();
}

std::optional<PlayerChoice> WxDesktop::ChoosePlayer(const std::vector<PlayerOffer>& players) {
  PlayerDialog dialog(frame_, players);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.Chosen();
}

void WxDesktop::RequestSceneRedraw() {
  // The view draws its frame now. Invalidating the window as well would only draw the same
  // frame again from the paint that follows; the options bar repaints its own controls.
  if (frame_ != nullptr && frame_->renderView != nullptr) frame_->renderView->DrawNow();
}

void WxDesktop::RepaintView() {
  if (frame_ != nullptr && frame_->renderView != nullptr) frame_->renderView->DrawNow();
}

void WxDesktop::RefreshPanel() {
  if (frame_ == nullptr) return;
  if (frame_->optionsBar != nullptr) frame_->optionsBar->ShowContents(BuildPanelContents(frame_->workspace().scene));
  frame_->ShowSequenceMenus();
  frame_->ShowStatus();
}

void WxDesktop::RefreshStatusBar() {
  if (frame_ != nullptr) frame_->ShowStatus();
}

void WxDesktop::RunTagLinkageDialog() {
  if (frame_ == nullptr) return;
  TagLinkageDialog dialog(frame_, frame_->workspace());
  dialog.ShowModal();
}

void WxDesktop::RunModelOffsetsDialog(ModelRecord& model) {
  if (frame_ == nullptr) return;
  ModelOffsetsDialog dialog(frame_, frame_->workspace(), model);
  dialog.ShowModal();
}

void WxDesktop::RunLightPropertiesDialog(LightRecord& light) {
  if (frame_ == nullptr) return;
  LightPropertiesDialog dialog(frame_, frame_->workspace(), light);
  dialog.ShowModal();
}

void WxDesktop::RunBackgroundColorDialog() {
  if (frame_ == nullptr) return;
  BackgroundColorDialog dialog(frame_, frame_->workspace());
  dialog.ShowModal();
}

void WxDesktop::RunAboutBox() {
  AboutBox dialog(frame_, *this);
  dialog.ShowModal();
}

void WxDesktop::CloseMainWindow() {
  if (frame_ != nullptr) frame_->Close();
}

std::optional<PictureSize> WxDesktop::AskPictureSize(int viewWidth, int viewHeight) {
  PictureSizeDialog dialog(frame_, viewWidth, viewHeight);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return PictureSize{dialog.PictureWidth(), dialog.PictureHeight()};
}

}  // namespace tessary
