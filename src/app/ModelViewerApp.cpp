// The application object.
#include "app/ModelViewerApp.h"

#include <new>

#include "anim/PlayerLoading.h"
#include "app/MainFrame.h"
#include "app/StartupScene.h"
#include "render/RenderView.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

wxIMPLEMENT_APP_NO_MAIN(tessary::ModelViewerApp);

namespace tessary {

namespace {
CommandLine startupCommandLine;
}

void ModelViewerApp::SetStartupCommandLine(const CommandLine& commandLine) { startupCommandLine = commandLine; }

bool ModelViewerApp::OnInit() {
  // The profile key is registered, but the viewer stores nothing of its own.
  SetVendorName("Corvane");
  SetAppName("Tessary");
  SetAppDisplayName(kApplicationTitle);

  mainFrame = new MainFrame(scene, trackball);
  mainFrame->UseSettings(SettingsFile::ForViewer(startupCommandLine.noConfig));
  SetTopWindow(mainFrame);
  mainFrame->Show();
  mainFrame->Update();
  // Files given on the command line open once the view's GL context (which their textures
  // need) exists, exactly as if each had been picked in the open dialog. Under a window
  // manager the window reaches the screen some time after Show; without GL there is
  // nothing to wait for.
  if (mainFrame->renderView != nullptr) {
    mainFrame->renderView->CallWhenReady([this] { OpenStartupFiles(); });
  } else {
    CallAfter([this] { OpenStartupFiles(); });
  }
  return true;
}

void ModelViewerApp::HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const {
  try {
    wxApp::HandleEvent(handler, func, event);
  } catch (const std::bad_alloc&) {
    // Commands report their own failures (the command table catches them); what reaches
    // here had nothing to report and simply ends.
  }
}

void ModelViewerApp::OpenStartupFiles() {
  if (mainFrame == nullptr) return;
  // The base folder the command line names for this run, else (or when it cannot serve) the
  // remembered one. Each is indexed only when it is used.
  Workspace& ws = mainFrame->workspace();
  const bool named = startupCommandLine.baseFolder && UseBaseFolderAndReport(ws, *startupCommandLine.baseFolder);
  const std::string& remembered = mainFrame->settings().Get().baseFolder;
  if (!named && !remembered.empty()) UseBaseFolder(scene, remembered);
  std::vector<FileModels> files;
  mainFrame->RunRemembering([&] {
    if (!startupCommandLine.player.empty())
      files = OpenNamedPlayer(ws, startupCommandLine.player, startupCommandLine.skin, startupCommandLine.weapon);
    for (const std::string& file : startupCommandLine.files) {
      const std::int32_t before = scene.ModelCount();
      LoadModelFile(ws, file, startupCommandLine.skin);
      files.push_back(FileModels{before, scene.ModelCount() - before});
    }
  });
  const wxSize view = mainFrame->viewWindow != nullptr ? mainFrame->viewWindow->GetClientSize() : wxSize(1, 1);
  const std::string problem =
      ArrangeStartupScene(startupCommandLine, files, view.y > 0 ? static_cast<double>(view.x) / view.y : 1.0, ws);
  ws.SceneChanged();  // the links, the light, the pose and the view are shown
  if (!problem.empty()) ws.desktop.ShowMessage(problem);
}

}  // namespace tessary
