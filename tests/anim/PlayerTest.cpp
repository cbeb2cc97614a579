// Players: parts that share no tag hang as the game hangs them (--link), the assembled
// player's standing pose carried down the whole chain of tags, sequences chosen and played
// together, and the command line's --anim, --time and --play.
#include <gtest/gtest.h>

#include <filesystem>

#include "anim/AnimationCommands.h"
#include "anim/PlayerAssembly.h"
#include "anim/StatusText.h"
#include "app/StartupScene.h"
#include "link/Posing.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using testing::FileWith;
using testing::QuadSurface;
using Link = std::tuple<int, int, int>;  // pivot, parent, anchor

// Five frames for both parts: 0-1 shared, torso 2-4 (TORSO_STAND 3-4), legs 2-4 of
// lower.md3 counted as 5-7 (LEGS_RUN 3-4, LEGS_IDLE 4).
std::string PlayerConfig() {
  std::string text = "sex m\n";
  for (int i = 0; i < 6; ++i) text += "0 2 0 10\n";
  for (int i = TORSO_GESTURE; i <= TORSO_STAND2; ++i) text += i == TORSO_STAND ? "3 2 2 10\n" : "2 1 0 10\n";
  for (int i = LEGS_WALKCR; i <= LEGS_TURN; ++i)
    text += i == LEGS_RUN ? "6 2 2 10\n" : i == LEGS_IDLE ? "7 1 0 10\n" : "5 3 3 10\n";
  return text;
}

class PlayerTest : public ::testing::Test {
 protected:
  // Each file one quad (vertex 0 at height f in frame f) with tags at (t, 0, f), MD3 axes.
  void Load(const std::vector<std::pair<std::string, std::vector<std::string>>>& files) {
    for (const auto& [path, tags] : files) {
      const std::int32_t first = t.scene.ModelCount();
      LoadModelFile(t.ws, folder.Write(path, md3::Write(FileWith({QuadSurface("s", 5)}, 5, tags))));
      loaded.push_back({first, t.scene.ModelCount() - first});
    }
  }
  Link LinkOf(int model) {
    const ModelRecord& m = *t.scene.models[static_cast<std::size_t>(model)];
    return {m.pivotTag, m.parentIndex, m.anchorTag};
  }
  testing::TempFolder folder;
  testing::TestWorkspace t;
  std::vector<FileModels> loaded;
};

TEST_F(PlayerTest, PartsSharingNoTagHangByTheirNamesAndTheAssembledPlayerStandsOnItsTags) {
  Load({{"lower.md3", {"tag_torso"}},
        {"upper.md3", {"tag_head", "tag_weapon"}},
        {"head.md3", {}},
        {"weapons2/gun/gun.md3", {"tag_barrel", "tag_flash"}},
        {"weapons2/gun/gun_barrel.md3", {}},
        {"crate.md3", {}},                // nothing to go by: free
        {"shield.md3", {"tag_weapon"}}});  // shares a tag: hangs by it, as before
  LinkFilesByMatchingTags(t.scene, loaded);
  const Link links[] = {{-1, -1, -1}, {-1, 0, 0}, {-1, 1, 0}, {-1, 1, 1}, {-1, 3, 0}, {-1, -1, -1}, {0, 1, 1}};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(LinkOf(i), links[i]) << i;
  const std::pair<std::string, std::string> names[] = {{"models/players/heads/bob/bob.md3", "tag_head"},
                                                       {"C:\\Q3\\UPPER_red.MD3", "tag_torso"},
                                                       {"lower.md3", ""}};
  for (const auto& [path, tag] : names) EXPECT_EQ(FallbackTagFor(path, {}), tag) << path;
  EXPECT_EQ(FallbackTagFor("rail.md3", {"tag_flash"}), "tag_weapon");

  const std::optional<PlayerFiles> player = FindPlayerParts(t.scene, loaded);
  ASSERT_TRUE(player);
  EXPECT_EQ(std::make_tuple(player->head.first, player->weapon.first, player->barrel.first), std::make_tuple(2, 3, 4));
  EXPECT_EQ(AssemblePlayer(t.scene, *player, AnimationConfigText{"a.cfg", PlayerConfig()}), "");
  // Standing: legs on frame 4 (LEGS_IDLE), torso on 3 (TORSO_STAND), the rest on 0. Each
  // part's vertex 0 (at height f in frame f) lands on the tag it hangs by: the torso 4 + 3
  // up; the head on tag_head there; the gun on tag_weapon, a unit along the torso's z; the
  // barrel on the gun's tag_barrel at the gun's origin.
  PoseAndPlaceScene(t.scene);
  const Vec3d placed[] = {{0, 4, 0}, {0, 7, 0}, {0, 7, 0}, {0, 7, 1}, {0, 7, 1}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(t.scene.models[static_cast<std::size_t>(i)]->curPositions[0], placed[i]) << i;

  // The torso cannot run; a death is for both parts; they play together, the head stays.
  t.scene.currentModel = 2;
  const int upperFile = FileOfModel(t.scene.animation, 1);
  EXPECT_FALSE(ChoosePlayerSequence(t.scene, upperFile, PartRole::Torso, LEGS_RUN));
  EXPECT_TRUE(ChoosePlayerSequence(t.scene, upperFile, PartRole::Legs, BOTH_DEATH1));
  const CurrentPlayback now = DescribeCurrentPlayback(t.scene);
  EXPECT_EQ(std::make_tuple(now.player, now.legs, now.torso), std::make_tuple(true, +BOTH_DEATH1, +BOTH_DEATH1));
  TogglePlayback(t.ws);
  AdvanceMovingView(t.ws, 0.05);  // half a frame at 10 a second
  for (int i = 0; i < 3; ++i) {
    const ModelRecord& m = *t.scene.models[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::make_tuple(m.currentFrame, m.blendFrame, m.blend), std::make_tuple(0, i < 2 ? 1 : 0, i < 2 ? 0.5f : 0.0f));
  }
  const StatusFields s = BuildStatusFields(t.scene);
  EXPECT_EQ(std::tie(s.file, s.sequences, s.rate), std::make_tuple("head.md3", "BOTH_DEATH1, BOTH_DEATH1", "Speed \u00d71, playing"));

  // A refused animation.cfg leaves a linked player without sequences.
  const std::string refused = AssemblePlayer(t.scene, *player, AnimationConfigText{"b.cfg", "sex m\n0 1 0"});
  EXPECT_EQ(refused, "The animation file ends before BOTH_DEATH1 is complete (line 2).\nb.cfg");
}

TEST_F(PlayerTest, TheCommandLineSetsTheAskedSequencesAtTheAskedTime) {
  Load({{"p/lower.md3", {"tag_torso"}}, {"p/upper.md3", {"tag_head"}}, {"p/head.md3", {}}});
  const std::string config = PlayerConfig();
  folder.Write("p/animation.cfg", std::vector<std::uint8_t>(config.begin(), config.end()));
  const CommandLine cl = ParseCommandLine({"--render", "o.png", "--link", "--anim", "LEGS_RUN,TORSO_STAND", "--time",
                                           "0.15", "--light", "m"});
  ASSERT_EQ(cl.error, "");
  EXPECT_EQ(ArrangeStartupScene(cl, loaded, 1.0, t.ws), "");
  // 1.5 frames into two looping frames: from the second toward the first again.
  for (int i = 0; i < 2; ++i) {
    const ModelRecord& m = *t.scene.models[static_cast<std::size_t>(i)];
    EXPECT_EQ(std::make_tuple(m.currentFrame, m.blendFrame, m.blend), std::make_tuple(4, 3, 0.5f)) << i;
  }
  EXPECT_EQ(t.scene.lights.size(), 1u);
  EXPECT_TRUE(t.desktop.messages.empty());

  // A damaged animation.cfg is told about; --anim without one cannot be followed.
  folder.Write("p/animation.cfg", {'x'});
  EXPECT_NE(ArrangeStartupScene(cl, loaded, 1.0, t.ws), "");
  EXPECT_EQ(t.desktop.messages.size(), 1u);
  std::filesystem::remove(folder / "p/animation.cfg");
  EXPECT_EQ(ArrangeStartupScene(cl, loaded, 1.0, t.ws), "--anim needs an animation.cfg beside " + folder / "p/lower.md3");

  const std::vector<std::string> refused[] = {{"--link", "--anim", "LEGS_RUN", "m"},
                                              {"--link", "--anim", "TORSO_STAND,LEGS_RUN", "m"},
                                              {"--anim", "LEGS_RUN,TORSO_STAND", "m"},
                                              {"--render", "o.png", "--time", "-1", "m"},
                                              {"--render", "o.png", "--frame", "2", "--time", "1", "m"},
                                              {"--render", "o.png", "--play", "m"}};
  for (const auto& args : refused) EXPECT_NE(ParseCommandLine(args).error, "") << args[1] << " " << args[2];
  const CommandLine viewer = ParseCommandLine({"--play", "--link", "--anim", "BOTH_DEAD2,TORSO_GETFLAG", "m"});
  EXPECT_EQ(std::make_tuple(viewer.error, viewer.play, viewer.legsSequence, viewer.torsoSequence),
            std::make_tuple("", true, +BOTH_DEAD2, +TORSO_GETFLAG));
}

}  // namespace
}  // namespace tessary
