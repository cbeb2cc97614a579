// The name the light export offers: the light's own name as an .lgt file, byte for byte (a
// name from a light file need not be UTF-8), never a path and never a hidden ".lgt".
#include <gtest/gtest.h>

#include "light/LightFile.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

TEST(ExportName, TheSaveDialogOffersTheLightsNameAsAnLgtFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"Key Light", "Key Light.lgt"}, {"Rim/Back", "Rim_Back.lgt"}, {"Caf\xe9", "Caf\xe9.lgt"}, {"", ""}};
  for (const auto& [name, offered] : cases) {
    testing::TestWorkspace t;
    t.scene.lights.push_back(std::make_unique<LightRecord>());
    t.scene.lights[0]->name = name;
    t.scene.currentLight = 0;
    ExportLight(t.ws);  // cancelled
    ASSERT_EQ(t.desktop.fileDialogs.size(), 1u);
    EXPECT_EQ(std::make_pair(t.desktop.fileDialogs[0].initialName, t.desktop.fileDialogs[0].filter),
              std::make_pair(offered, std::string(kLightFileFilter)));
  }
}

}  // namespace
}  // namespace tessary
