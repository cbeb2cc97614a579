// The wx desktop.
#include "app/WxDesktop.h"

#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>

#include "app/MainFrame.h"
#include "render/RenderView.h"

namespace tessary {

namespace {

std::optional<FileChoice> RunFileDialog(wxWindow* parent, const std::string& filter,
                                        const std::string& initialName, long style) {
  wxFileDialog dialog(parent, wxFileSelectorPromptStr, wxEmptyString, wxString::FromUTF8(initialName),
                      wxString::FromUTF8(filter), style);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return FileChoice{dialog.GetPath().utf8_string(), dialog.GetFilterIndex() + 1};
}

}  // namespace

void WxDesktop::ShowMessage(const std::string& text) {
  wxMessageBox(wxString::FromUTF8(text), kApplicationTitle, wxOK | wxICON_WARNING, frame_);
}

std::optional<FileChoice> WxDesktop::ChooseFileToOpen(const std::string& filter, const std::string& initialName) {
  return RunFileDialog(frame_, filter, initialName, wxFD_OPEN | wxFD_FILE_MUST_EXIST);
}

std::optional<FileChoice> WxDesktop::ChooseFileToSave(const std::string& filter, const std::string& initialName) {
  return RunFileDialog(frame_, filter, initialName, wxFD_SAVE);
}

std::optional<std::string> WxDesktop::ChooseFolder(const std::string& title) {
  wxDirDialog dialog(nullptr, wxString::FromUTF8(title), wxEmptyString, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.GetPath().utf8_string();
}

void WxDesktop::RequestSceneRedraw() {
  if (frame_ == nullptr) return;
  frame_->Refresh(false);
  if (frame_->renderView != nullptr) frame_->renderView->DrawNow();
}

void WxDesktop::RepaintView() {
  if (frame_ != nullptr && frame_->renderView != nullptr) frame_->renderView->DrawNow();
}

void WxDesktop::RefreshPanel() {}

void WxDesktop::RunTagLinkageDialog() {}
void WxDesktop::RunModelOffsetsDialog(ModelRecord&) {}
void WxDesktop::RunLightPropertiesDialog(LightRecord&) {}
void WxDesktop::RunBackgroundColorDialog() {}
void WxDesktop::RunAboutBox() {}

void WxDesktop::CloseMainWindow() {
  if (frame_ != nullptr) frame_->Close();
}

}  // namespace tessary
