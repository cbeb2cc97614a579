// Entry point: headless command-line modes run without a window; otherwise the viewer.
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include <wx/app.h>

#include "app/CommandLine.h"
#include "app/ModelViewerApp.h"
#include "image/SkinBase.h"
#include "render/HeadlessRender.h"
#include "render/Thumbnail.h"
#include "scene/ModelInfo.h"

int main(int argc, char** argv) {
  using tessary::CommandLine;
  std::vector<std::string> args(argv + 1, argv + argc);
  const CommandLine commandLine = tessary::ParseCommandLine(args);
  if (commandLine.mode == CommandLine::Mode::Help) {
    std::cout << tessary::UsageText();
    return 0;
  }
  if (!commandLine.error.empty()) {
    std::cerr << "tessary: " << commandLine.error << "\n\n" << tessary::UsageText();
    return 2;
  }
  // Each headless mode is one operation: should memory run out inside it, it says so in its
  // own terms and exits with a failure instead of aborting.
  try {
    switch (commandLine.mode) {
      case CommandLine::Mode::Viewer:
        break;
      case CommandLine::Mode::Info:
        return tessary::ModelInfoCommandLine(commandLine, std::cout, std::cerr);
      case CommandLine::Mode::Render:
        return tessary::RenderToPngCommandLine(commandLine, std::cerr);
      case CommandLine::Mode::ExportSkinBase:
        return tessary::ExportSkinBaseCommandLine(commandLine.files, commandLine.baseFolder, commandLine.output,
                                                  std::cerr);
      case CommandLine::Mode::Thumbnail:
        return tessary::ThumbnailCommandLine(commandLine, std::cerr);
      case CommandLine::Mode::Help:
        break;
    }
  } catch (const std::bad_alloc&) {
    if (commandLine.mode == CommandLine::Mode::ExportSkinBase) {
      std::cerr << "Error Saving: 1\n";
    } else {
      std::cerr << "tessary: not enough memory to " << (commandLine.mode == CommandLine::Mode::Info ? "read" : "render")
                << " the files given\n";
    }
    return 1;
  }
  tessary::ModelViewerApp::SetStartupCommandLine(commandLine);
  // wx sees only the program name: every option has been read already.
  int wxArgc = 1;
  char* wxArgv[] = {argv[0], nullptr};
  return wxEntry(wxArgc, wxArgv);
}
