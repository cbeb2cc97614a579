// The name the light export offers in its save dialog: the light's own name, made a file
// name, and kept byte for byte (a name from a light file need not be UTF-8).
#include <gtest/gtest.h>

#include "light/LightFile.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

TEST(ExportName, TheSaveDialogOffersTheLightsNameAsAnLgtFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"Key Light", "Key Light.lgt"},
      {"Rim/Back", "Rim_Back.lgt"},        // a slash would make it a path
      {"Caf\xe9", "Caf\xe9.lgt"},          // Latin-1 bytes pass through as they are
      {"", ""},                            // nothing to offer, rather than a hidden ".lgt"
  };
  for (const auto& [name, offered] : cases) {
    testing::TestWorkspace t;
    t.scene.lights.push_back(std::make_unique<LightRecord>());
    t.scene.lights[0]->name = name;
    t.scene.currentLight = 0;
    ExportLight(t.ws);  // the dialog is cancelled
    ASSERT_EQ(t.desktop.fileDialogs.size(), 1u);
    EXPECT_EQ(t.desktop.fileDialogs[0].initialName, offered);
    EXPECT_EQ(t.desktop.fileDialogs[0].filter, "Tessary Light (*.lgt)|*.lgt|All Files (*.*)|*.*");
  }
}

}  // namespace
}  // namespace tessary
