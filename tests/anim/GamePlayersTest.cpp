// Players and weapons of a game folder written by the test: which are offered (the layouts,
// the shared heads folder, the skins every part has), Open Player (a part that does not
// load takes the others out again; a player assembled, standing, its head skinned from the
// heads folder, lit by the one studio light), Attach Weapon (by its origin on the torso's
// tag_weapon, its barrel on the weapon, replacing the one held before), and --player.
#include <gtest/gtest.h>

#include "anim/PlayerCommands.h"
#include "anim/PlayerLoading.h"
#include "app/StartupScene.h"
#include "link/Posing.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"
#include "testdata/ContentWriters.h"
#include "testdata/ImageWriters.h"

namespace tessary {
namespace {

using testing::BytesOf;
using Strings = std::vector<std::string>;
using Link = std::tuple<int, int, int>;  // pivot, parent, anchor

// Five frames in each part. The torso attacks in frames 1-3 and stands in 4; the legs,
// numbered after the torso's ten frames, run in 11-14 (lower.md3's 1-4) and stand in 14.
std::string Config() {
  std::string text = "sex f\n";
  for (int n = 0; n < kRequiredAnimations; ++n)
    text += n == TORSO_ATTACK ? "1 3 0 10\n"
            : n == TORSO_STAND ? "4 1 1 10\n"
            : n == LEGS_RUN    ? "11 4 4 10\n"
            : n == LEGS_IDLE   ? "14 1 1 10\n"
            : n >= LEGS_WALKCR ? "10 1 1 10\n"
                               : "0 1 0 10\n";
  return text;
}

// One quad over five frames, its vertex 0 at height f in frame f; tag t of frame f at (t, 0, f).
testing::Bytes Part(const Strings& tags) { return md3::Write(testing::FileWith({testing::QuadSurface("s", 5)}, 5, tags)); }

class GamePlayersTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  void SetUp() override {
    const std::string a = "models/players/alpha/", b = "models/players/beta/", h = "models/players/heads/beta/";
    const auto skin = BytesOf("s,x\n");
    testing::WriteZip(folder / "game/pak0.pk3",
                      {{a + "lower.md3", Part({"tag_torso"})}, {a + "upper.md3", Part({"tag_head", "tag_weapon"})},
                       {a + "head.md3", BytesOf("not a model")}, {a + "lower_default.skin", skin},
                       {a + "upper_default.skin", skin}, {a + "head_default.skin", skin},
                       {a + "lower_red.skin", skin}, {a + "upper_red.skin", skin},  // no head: not offered
                       {a + "LOWER_Blue.skin", skin}, {a + "upper_blue.skin", skin}, {a + "head_blue.skin", skin},
                       {b + "lower.md3", Part({"tag_torso"})}, {b + "upper.md3", Part({"tag_head", "tag_weapon"})},
                       {b + "lower_default.skin", skin}, {b + "upper_default.skin", skin},
                       {b + "animation.cfg", BytesOf(Config())}, {h + "beta.md3", Part({})},
                       {h + "head_default.skin", BytesOf("s," + h + "face.tga\n")},
                       {h + "face.png", testing::EncodePng({1, 1, 8, 2, {{9, 9, 9}}, {}, {}})},
                       {"models/players/gamma/lower.md3", Part({})}, {"models/players/gamma/upper.md3", Part({})},
                       {"models/weapons2/gun/gun.md3", Part({"tag_barrel"})},
                       {"models/weapons2/gun/gun_barrel.md3", Part({})},
                       {"models/weapons2/knife/knife.md3", Part({})}, {"models/weapons2/spare/bits.md3", Part({})}});
    ASSERT_TRUE(UseBaseFolder(scene, folder / "game"));
  }
  std::vector<Link> Links() const {
    std::vector<Link> links;
    for (const auto& m : scene.models) links.emplace_back(m->pivotTag, m->parentIndex, m->anchorTag);
    return links;
  }
  std::vector<int> Frames() const {
    std::vector<int> frames;
    for (const auto& m : scene.models) frames.push_back(m->currentFrame);
    return frames;
  }
  testing::TempFolder folder;
};

TEST_F(GamePlayersTest, PlayersAreOfferedWithTheSkinsAllTheirPartsHaveAndWeaponsWithTheirBarrels) {
  std::vector<std::pair<std::string, Strings>> offered;
  for (const GamePlayer& p : FindGamePlayers(scene)) offered.emplace_back(p.name, p.skins);
  EXPECT_EQ(offered, (std::vector<std::pair<std::string, Strings>>{{"alpha", {"default", "Blue"}}, {"beta", {"default"}}}));
  EXPECT_EQ(FindGamePlayer(scene, "BETA").value().head, "models/players/heads/beta/beta.md3");
  EXPECT_FALSE(FindGamePlayer(scene, "gamma"));
  std::vector<std::pair<std::string, std::string>> weapons;
  for (const GameWeapon& w : FindGameWeapons(scene.gameFiles)) weapons.emplace_back(w.name, w.barrel);
  EXPECT_EQ(weapons, (std::vector<std::pair<std::string, std::string>>{
                         {"gun", "models/weapons2/gun/gun_barrel.md3"}, {"knife", ""}}));
}

TEST_F(GamePlayersTest, OpenPlayerAssemblesStandsAndLightsItAndAWeaponHangsInItsHand) {
  desktop.playerAnswer = PlayerChoice{"alpha", "Blue"};
  OpenPlayer(ws, 1.0);
  EXPECT_EQ(std::make_tuple(scene.ModelCount(), scene.LightCount()), std::make_tuple(0, 0)) << "a bad head";
  EXPECT_EQ(desktop.messages, Strings{kNotAnMd3Message});

  desktop.playerAnswer = PlayerChoice{"beta", "default"};
  OpenPlayer(ws, 1.0);
  ASSERT_EQ(scene.ModelCount(), 3);
  EXPECT_EQ(Links(), (std::vector<Link>{{-1, -1, -1}, {-1, 0, 0}, {-1, 1, 0}}));
  EXPECT_EQ(Frames(), (std::vector<int>{4, 4, 0})) << "LEGS_IDLE, TORSO_STAND";
  ASSERT_NE(scene.models[2]->textureMap, nullptr);
  EXPECT_EQ(scene.models[2]->textureMap->fileName, "face.png");
  ASSERT_EQ(scene.LightCount(), 1);
  const LightRecord& light = *scene.lights[0];
  EXPECT_EQ(std::make_tuple(light.name, light.ambient[0], light.diffuse[1], light.specular[2]),
            std::make_tuple("Studio Light", 0.3f, 0.8f, 0.25f));
  for (const auto& m : scene.models) EXPECT_EQ(m->modelLights.at(0).light, &light);

  // Held by the torso whatever part is current. The legs stand on frame 4, so tag_torso is
  // 4 up; the torso's tag_weapon (its second tag) 4 up and 1 forward from there. The gun's
  // vertex 0 (its origin in frame 0) lands there, and so does the barrel on the gun's origin.
  scene.currentModel = 2;
  desktop.gamePathAnswers = {"models/weapons2/gun/gun.md3"};
  AttachWeapon(ws);
  EXPECT_EQ(desktop.gamePathLists.back(), (Strings{"models/weapons2/gun/gun.md3", "models/weapons2/knife/knife.md3"}));
  ASSERT_EQ(scene.ModelCount(), 5);
  EXPECT_EQ(Links(), (std::vector<Link>{{-1, -1, -1}, {-1, 0, 0}, {-1, 1, 0}, {-1, 1, 1}, {-1, 3, 0}}));
  PoseAndPlaceScene(scene);
  for (int i : {3, 4}) EXPECT_EQ(scene.models[static_cast<std::size_t>(i)]->curPositions[0], (Vec3d{0, 8, 1})) << i;
  EXPECT_EQ(scene.models[4]->modelLights.at(0).light, &light);
  const AnimationState& a = scene.animation;
  EXPECT_EQ(a.files[static_cast<std::size_t>(FileOfModel(a, 4))].player, a.files[0].player) << "plays with the player";

  desktop.gamePathAnswers = {"models/weapons2/knife/knife.md3"};
  AttachWeapon(ws);
  ASSERT_EQ(scene.ModelCount(), 4) << "the gun and its barrel go";
  EXPECT_TRUE(scene.models[3]->sourceFile.ends_with("knife.md3"));
  EXPECT_EQ(Links()[3], Link(-1, 1, 1));
}

TEST_F(GamePlayersTest, PlayerOnTheCommandLinePosesInTheAskedSequences) {
  const Strings refused[] = {{"--player", "beta", "m.md3"}, {"--export-skinbase", "o.bmp", "--player", "beta"},
                             {"--weapon", "gun", "m.md3"}, {"--player"}};
  for (const auto& args : refused) EXPECT_NE(ParseCommandLine(args).error, "") << args[0] << " " << args.back();
  const CommandLine cl = ParseCommandLine(
      {"--render", "o.png", "--player", "BETA", "--weapon", "gun", "--anim", "LEGS_RUN,TORSO_ATTACK", "--time", "0.2"});
  ASSERT_EQ(cl.error, "");
  const std::vector<FileModels> files = OpenNamedPlayer(ws, cl.player, cl.skin, cl.weapon);
  ASSERT_EQ(files.size(), 5u);
  EXPECT_EQ(ArrangeStartupScene(cl, files, 1.0, ws), "");
  // Two frames at ten a second: the run and the attack are both on their third frame.
  EXPECT_EQ(Frames(), (std::vector<int>{3, 3, 0, 0, 0}));
  EXPECT_EQ(scene.LightCount(), 1);

  for (auto [player, weapon] : {std::pair{"delta", ""}, {"beta", "axe"}}) {
    EXPECT_TRUE(OpenNamedPlayer(ws, player, "default", weapon).empty()) << player;
    EXPECT_EQ(scene.ModelCount(), 5) << "nothing more is loaded";
  }
  EXPECT_EQ(desktop.messages.size(), 2u);
}

}  // namespace
}  // namespace tessary
