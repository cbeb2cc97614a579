// The game folder of a model file: the nearest folder above it with .pk3 archives or a
// "models" folder, whatever lies further up.
#include <gtest/gtest.h>

#include "scene/GameFolder.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

TEST(GameFolder, IsTheNearestFolderAboveWithArchivesOrAModelsTree) {
  testing::TempFolder root;
  const std::vector<std::uint8_t> some{'x'};
  root.Write("q3/baseq3/pak0.pk3", some);
  root.Write("q3/baseq3/models/players/sarge/upper.md3", some);  // models/ tree below pak0.pk3
  root.Write("q3/mymod/models/mapobjects/lamp.md3", some);       // only a models/ tree
  root.Write("q3/mymod/zz_extras/PAK1.PK3", some);               // archives in any letter case
  root.Write("q3/mymod/zz_extras/skins/a.md3", some);
  root.Write("q3/mymod/zz_extras/skins.pk3/inside.md3", some);   // a folder named .pk3 is no archive
  const struct {
    std::string model;
    std::string game;
  } cases[] = {
      {"q3/baseq3/models/players/sarge/upper.md3", "q3/baseq3"},
      {"q3/mymod/models/mapobjects/lamp.md3", "q3/mymod"},
      {"q3/mymod/zz_extras/skins/a.md3", "q3/mymod/zz_extras"},
      {"q3/mymod/zz_extras/skins.pk3/inside.md3", "q3/mymod/zz_extras"},
  };
  for (const auto& c : cases) EXPECT_EQ(FindGameFolder(root / c.model), root / c.game) << c.model;
}

}  // namespace
}  // namespace tessary
