// The application object: holds the scene and the view state for the whole run and
// creates the main window.
#pragma once

#include <wx/app.h>

#include "app/CommandLine.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

class MainFrame;

class ModelViewerApp : public wxApp {
 public:
  bool OnInit() override;
  // Every event handler runs through here: an allocation failure that an operation did not
  // catch itself ends that handler, never the program.
  void HandleEvent(wxEvtHandler* handler, wxEventFunction func, wxEvent& event) const override;

  // Set before the event loop starts: the files and base folder from the command line.
  static void SetStartupCommandLine(const CommandLine& commandLine);

  Scene scene;
  TrackballState trackball;
  MainFrame* mainFrame = nullptr;

 private:
  void OpenStartupFiles();
};

}  // namespace tessary

wxDECLARE_APP(tessary::ModelViewerApp);
