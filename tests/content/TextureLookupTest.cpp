// Surfaces of models in a game folder of archives find their images the game's way: skins
// beside the model (with level-of-detail names and a skin that does not list a surface),
// shader scripts, other extensions in their order, content deciding the format; a damaged
// image is reported with its file; with game lookup off only the exact rule is left. Also
// --info's texture and skin, the "Skin" submenu, and opening a model from the game's list.
#include <gtest/gtest.h>

#include <sstream>

#include "anim/AnimationConfigLookup.h"
#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "content/ContentCommands.h"
#include "content/TextureLookup.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "scene/ModelInfo.h"
#include "scene/TextureResolution.h"
#include "testdata/ContentWriters.h"
#include "testdata/ImageWriters.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

using testing::BytesOf;
using Strings = std::vector<std::string>;

testing::Bytes Md3(const std::vector<std::pair<std::string, std::string>>& surfaces) {
  std::vector<md3::Surface> list;
  for (const auto& [name, shader] : surfaces) list.push_back(testing::QuadSurface(name, 1, {shader}));
  return md3::Write(testing::FileWith(list, 1));
}
testing::Bytes Png(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return testing::EncodePng({1, 1, 8, 2, {{r, g, b}}, {}, {}}); }

class TextureLookupTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  void SetUp() override {
    const std::string visor = "models/players/visor/";
    const std::string player = visor + "wrong.tga";
    testing::TgaImage white;
    white.width = white.height = 1;
    white.pixels = {0xFFFFFF};
    testing::BmpImage bmp;
    bmp.width = bmp.height = 1;
    bmp.data = {10, 20, 30};
    testing::Bytes truncatedJpeg = testing::EncodeJpeg(8, 8, 1, testing::Bytes(64, 128));
    truncatedJpeg.resize(truncatedJpeg.size() / 2);
    testing::WriteZip(folder / "game/pak0.pk3",
                      {{visor + "lower.md3", Md3({{"l_legs", player}, {"l_legs_1", player}, {"l_extra", player}})},
                       {visor + "lower_default.skin", BytesOf("tag_torso,\nl_legs,models/players/visor/legs.tga\n")},
                       {visor + "Lower_Red.skin", BytesOf("l_legs,models/players/visor/red.tga\n"
                                                          "l_extra,models/players/visor/red.tga\n")},
                       {visor + "Legs.JPG", testing::EncodeJpeg(1, 1, 3, {0, 255, 0})},
                       {visor + "Animation.CFG", BytesOf("sex m\n")},
                       {"models/weapons/gun.md3", Md3({{"barrel", "models/weapons/gun"}})},
                       {"models/weapons/gun.tga", testing::WriteTga(white)},
                       {"models/items/box.md3", Md3({{"box", "models/items/box.tga"}})},
                       {"scripts/items.shader", BytesOf("models/items/box\n{\n { map $lightmap }\n"
                                                        " { map models/items/box_skin.tga }\n}\n")},
                       {"models/items/box_skin.bmp", testing::WriteBmp(bmp)},
                       {"models/items/broken.md3", Md3({{"bad", "models/items/broken.jpg"}})},
                       {"models/items/broken.jpg", truncatedJpeg}});
    // A later archive: the red skin's image, and a .jpg of the gun, which its .tga goes before.
    testing::WriteZip(folder / "game/pak1.pk3",
                      {{visor + "red.png", Png(255, 0, 0)}, {"models/weapons/gun.jpg", Png(0, 0, 255)}});
    folder.Write("game/" + player, testing::WriteTga(white));  // what the exact rule finds
    ASSERT_TRUE(UseBaseFolder(scene, folder / "game"));
  }
  // The file name of each record's texture ("-" for none) and the skin it used.
  std::pair<Strings, std::string> Loaded() const {
    Strings names;
    for (const auto& m : scene.models) names.push_back(m->textureMap ? m->textureMap->fileName : "-");
    return {names, scene.models.empty() ? "" : scene.models.back()->skin};
  }
  testing::TempFolder folder;
};

TEST_F(TextureLookupTest, EachStepOfTheChainAndItsFallThroughAndTheExactRuleWhenOff) {
  const struct {
    const char* model;
    const char* skin;
    bool lookup;
    Strings textures;
    const char* skinUsed;
  } cases[] = {
      // The default skin: l_legs_1 is l_legs' copy; l_extra is not listed and shows nothing.
      {"models/players/visor/lower.md3", "default", true, {"Legs.JPG", "Legs.JPG", "-"}, "default"},
      {"models/players/visor/lower.md3", "red", true, {"red.png", "red.png", "red.png"}, "Red"},
      {"models/players/visor/lower.md3", "blue", true, {"Legs.JPG", "Legs.JPG", "-"}, "default"},
      {"models/weapons/gun.md3", "default", true, {"gun.tga"}, ""},  // .tga comes before .jpg
      {"models/items/box.md3", "default", true, {"box_skin.bmp"}, ""},
      {"models/players/visor/lower.md3", "red", false, {"wrong.tga", "wrong.tga", "wrong.tga"}, ""},
      {"models/weapons/gun.md3", "default", false, {"-"}, ""},
  };
  for (const auto& c : cases) {
    scene.Clear();
    scene.gameTextureLookup = c.lookup;
    LoadModelFile(ws, c.model, c.skin);
    EXPECT_EQ(Loaded(), std::make_pair(c.textures, std::string(c.skinUsed))) << c.model << " " << c.skin;
    EXPECT_TRUE(scene.models.back()->sourceInGame);
  }
  EXPECT_TRUE(desktop.messages.empty());
  scene.gameTextureLookup = true;
  LoadModelFile(ws, "models/items/broken.md3");
  EXPECT_EQ(scene.models.back()->textureMap, nullptr);
  EXPECT_EQ(desktop.messages, Strings{"This file is not recognized\nmodels/items/broken.jpg"});
}

TEST_F(TextureLookupTest, InfoNamesTheImageOfEverySurfaceAndTheSkinAsStored) {
  std::ostringstream out;
  EXPECT_EQ(PrintModelInfo({"models/players/visor/lower.md3", "models/weapons/gun.md3", "models/items/broken.md3"},
                           true, out, scene, "default"),
            0);
  const auto file = [](const std::string& path, const std::vector<std::pair<std::string, std::string>>& records,
                       const std::string& shader, const std::string& skin) {
    std::string line = "{\"file\": \"" + path + "\", \"frames\": 1, \"tags\": [], \"records\": [";
    for (const auto& [name, texture] : records)
      line += (name == records[0].first ? "" : ", ") + ("{\"name\": \"" + name) +
              "\", \"vertices\": 4, \"triangles\": 2, \"frames\": 1, \"shader\": \"" + shader + "\", \"texture\": " +
              texture + "}";
    return line + "], \"skin\": " + skin + "}\n";
  };
  const std::string legs = "\"models/players/visor/Legs.JPG\"";
  EXPECT_EQ(out.str(), file("models/players/visor/lower.md3", {{"l_legs", legs}, {"l_legs_1", legs}, {"l_extra", "null"}},
                            "models/players/visor/wrong.tga", "\"models/players/visor/lower_default.skin\"") +
                           file("models/weapons/gun.md3", {{"barrel", "\"models/weapons/gun.tga\""}},
                                "models/weapons/gun", "null") +
                           file("models/items/broken.md3", {{"bad", "null"}}, "models/items/broken.jpg", "null"));
}

// The menu's states are the window's test; here, what the commands do.
TEST_F(TextureLookupTest, TheGameListOpensAModelWhoseSkinsTheSkinMenuOffers) {
  desktop.gamePathAnswers = {"models/players/visor/lower.md3"};
  DispatchCommand(ws, cmd::kOpenFromGameFolder);
  ASSERT_EQ(desktop.gamePathLists.size(), 1u);
  EXPECT_EQ(desktop.gamePathLists[0], (Strings{"models/items/box.md3", "models/items/broken.md3",
                                               "models/players/visor/lower.md3", "models/weapons/gun.md3"}));
  EXPECT_EQ(Loaded(), std::make_pair(Strings{"Legs.JPG", "Legs.JPG", "-"}, std::string("default")));
  EXPECT_EQ(SkinMenuEntries(scene), (Strings{"default", "Red"}));
  const auto config = FindAnimationConfig(scene, SourceOf(*scene.models[0]));  // read from the same archive
  EXPECT_EQ(config ? config->name + ":" + config->text : "", "models/players/visor/Animation.CFG:sex m\n");
  desktop.ClearRecords();
  DispatchCommand(ws, cmd::kFirstSkin + 1);
  EXPECT_EQ(Loaded(), std::make_pair(Strings{"red.png", "red.png", "red.png"}, std::string("Red")));
  EXPECT_EQ(desktop.log, (Strings{"redraw", "refresh"}));
  DispatchCommand(ws, cmd::kGameTextureLookup);
  EXPECT_FALSE(scene.gameTextureLookup);
  // Choosing the folder again: an archive that is no zip is skipped, and said so.
  folder.Write("game/zz.pk3", BytesOf("not a zip"));
  desktop.folderAnswers = {folder / "game"};
  DispatchCommand(ws, cmd::kSetBaseFolder);
  EXPECT_EQ(desktop.messages, Strings{"This file is not recognized\n" + folder / "game/zz.pk3"});
  DispatchCommand(ws, cmd::kFirstSkin);
  EXPECT_EQ(Loaded().second, "Red") << "no skins are offered without game lookup";
}

}  // namespace
}  // namespace tessary
