// The game's file system over a folder of archives, archive folders and loose files: which
// file a name finds (later archives win, loose files win over all, case and '\' ignored,
// ".." refused), listing, a damaged archive or member, and a single .pk3 as the base; and
// the game folder a model file lies in.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "app/FileIO.h"
#include "content/GameFileSystem.h"
#include "scene/GameFolder.h"
#include "testdata/ContentWriters.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

using testing::BytesOf;
using Strings = std::vector<std::string>;

class GameFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // In search order (names compared without case): pak0.pk3, PAK1.pk3, pak2.pk3dir,
    // then the loose files; zz.pk3 is not an archive at all.
    testing::WriteZip(folder / "pak0.pk3", {{"models/a.txt", BytesOf("pak0")},
                                            {"Models/Shared.TXT", BytesOf("pak0")},
                                            {"textures\\back.txt", BytesOf("pak0 back")},
                                            {"models/", {}}});
    testing::WriteZip(folder / "PAK1.pk3", {{"models/shared.txt", BytesOf("pak1")},
                                            {"loose.txt", BytesOf("pak1")},
                                            {"sounds/damaged.wav", BytesOf("sound bytes here")}},
                      true);
    folder.Write("pak2.pk3dir/models/SHARED.txt", BytesOf("pak2dir"));
    folder.Write("loose.txt", BytesOf("loose"));
    folder.Write("scripts/Loose.Shader", BytesOf("loose script"));
    folder.Write("zz.pk3", BytesOf("not a zip"));
  }
  std::optional<std::string> Text(const GameFileSystem& files, const std::string& name) const {
    const auto bytes = files.Read(name);
    return bytes ? std::optional<std::string>(std::string(bytes->begin(), bytes->end())) : std::nullopt;
  }
  testing::TempFolder folder;
};

TEST_F(GameFileSystemTest, LaterArchivesWinLooseFilesWinOverAllAndNamesIgnoreCaseAndBackslashes) {
  const auto files = GameFileSystem::Open(folder.path().string());
  ASSERT_TRUE(files);
  EXPECT_EQ(files->SkippedArchives(), Strings{folder / "zz.pk3"});
  const struct {
    const char* name;
    std::optional<std::string> stored, text;
  } cases[] = {
      {"models/a.txt", "models/a.txt", "pak0"},
      {"MODELS\\A.TXT", "models/a.txt", "pak0"},
      {"models/shared.txt", "models/SHARED.txt", "pak2dir"},  // pak0 < PAK1 < pak2.pk3dir
      {"/loose.txt", "loose.txt", "loose"},                   // the loose file beats PAK1
      {"textures/back.txt", "textures/back.txt", "pak0 back"},
      {"./scripts//loose.shader", "scripts/Loose.Shader", "loose script"},
      {"models/../loose.txt", std::nullopt, std::nullopt},
      {"models", std::nullopt, std::nullopt},  // a folder is no file
      {"missing.txt", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(files->Find(c.name), c.stored) << c.name;
    EXPECT_EQ(Text(*files, c.name), c.text) << c.name;
  }
  EXPECT_EQ(files->ListFolders(""), (Strings{"models", "scripts", "sounds", "textures"}));
  EXPECT_EQ(files->ListFiles("MODELS/"), (Strings{"models/a.txt", "models/SHARED.txt"}));
  EXPECT_EQ(files->FilesWithExtension(".TXT"), (Strings{"loose.txt", "models/a.txt", "models/SHARED.txt",
                                                        "textures/back.txt"}));

  // A file written after the folder was indexed is found by its exact name only.
  folder.Write("models/new.txt", BytesOf("new"));
  EXPECT_EQ(Text(*files, "models/new.txt"), "new");
  EXPECT_EQ(files->Find("Models/New.txt"), std::nullopt);
}

TEST_F(GameFileSystemTest, ADamagedMemberIsListedButNotReadAndASingleArchiveCanBeTheBase) {
  auto bytes = ReadWholeFile(folder / "PAK1.pk3").value();
  const std::string stored = "sound bytes here";
  const auto at = std::search(bytes.begin(), bytes.end(), stored.begin(), stored.end());
  ASSERT_NE(at, bytes.end());
  *at ^= 0x20;  // its checksum no longer matches
  folder.Write("PAK1.pk3", bytes);
  const auto files = GameFileSystem::Open(folder.path().string());
  ASSERT_TRUE(files);
  EXPECT_EQ(files->Find("sounds/damaged.wav"), "sounds/damaged.wav");
  EXPECT_EQ(files->Read("sounds/damaged.wav"), std::nullopt);
  EXPECT_EQ(Text(*files, "loose.txt"), "loose");

  const auto single = GameFileSystem::Open(folder / "pak0.pk3");
  ASSERT_TRUE(single);
  EXPECT_EQ(Text(*single, "models/shared.txt"), "pak0");
  EXPECT_EQ(single->Find("loose.txt"), std::nullopt) << "the folder around the archive is not searched";
  for (const std::string& notABase : {folder / "zz.pk3", folder / "loose.txt", folder / "missing"})
    EXPECT_FALSE(GameFileSystem::Open(notABase)) << notABase;
}

// The nearest folder above a model with .pk3 archives or a "models" folder, whatever lies
// further up.
TEST(GameFolder, IsTheNearestFolderAboveWithArchivesOrAModelsTree) {
  testing::TempFolder root;
  const std::vector<std::uint8_t> some{'x'};
  root.Write("q3/baseq3/pak0.pk3", some);
  root.Write("q3/baseq3/models/players/sarge/upper.md3", some);  // models/ tree below pak0.pk3
  root.Write("q3/mymod/models/mapobjects/lamp.md3", some);       // only a models/ tree
  root.Write("q3/mymod/zz_extras/PAK1.PK3", some);               // archives in any letter case
  root.Write("q3/mymod/zz_extras/skins/a.md3", some);
  root.Write("q3/mymod/zz_extras/skins.pk3/inside.md3", some);   // a folder named .pk3 is no archive
  const std::pair<std::string, std::string> cases[] = {
      {"q3/baseq3/models/players/sarge/upper.md3", "q3/baseq3"},
      {"q3/mymod/models/mapobjects/lamp.md3", "q3/mymod"},
      {"q3/mymod/zz_extras/skins/a.md3", "q3/mymod/zz_extras"},
      {"q3/mymod/zz_extras/skins.pk3/inside.md3", "q3/mymod/zz_extras"},
  };
  for (const auto& [model, game] : cases) EXPECT_EQ(FindGameFolder(root / model), root / game) << model;
}

}  // namespace
}  // namespace tessary
