// The game content windows under a real window system: the game path dialog narrows its
// list as the filter is typed, and the "Skin" submenu lists the skins beside the current
// model as the menu opens, checks the one in use and re-skins the model.
#include <gtest/gtest.h>

#include <wx/menu.h>

#include "app/CommandIds.h"
#include "content/GameFileDialog.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "support/TempFolder.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

class GameContentTest : public testing::GuiTest {};

TEST_F(GameContentTest, TheGamePathDialogKeepsThePathsHoldingEveryTypedWord) {
  GameFileDialog dialog(frame, "Open from Game Folder", {"items/box.md3", "players/Visor/head.md3", "players/visor/lower.md3"});
  EXPECT_EQ(Rows(dialog.list), "items/box.md3,players/Visor/head.md3,players/visor/lower.md3,");
  const std::pair<const char*, const char*> typed[] = {{"VISOR", "players/Visor/head.md3,players/visor/lower.md3,"},
                                                       {" lower  visor", "players/visor/lower.md3,"},
                                                       {"nothing", ""}};
  for (const auto& [filter, rows] : typed) {
    dialog.filterBox->SetValue(filter);  // sends the text event, as typing does
    EXPECT_EQ(Rows(dialog.list), rows) << filter;
    const std::string first = std::string(rows).substr(0, std::string(rows).find(','));
    EXPECT_EQ(dialog.Chosen().value_or(""), first) << "the first match is selected";
  }
}

TEST_F(GameContentTest, TheSkinSubmenuListsTheSkinsBesideTheModelAndChoosingOneReskinsIt) {
  testing::TempFolder folder;
  const std::string model =
      folder.Write("lower.md3", md3::Write(testing::FileWith({testing::QuadSurface("l_legs", 1, {"x.tga"})}, 1)));
  for (const char* skin : {"lower_red.skin", "lower_default.skin", "LOWER_Blue.skin"}) folder.Write(skin, {'l'});
  LoadModelFile(ws(), model);
  wxMenuItem* skinItem = frame->GetMenuBar()->FindItem(cmd::ToWxId(cmd::kSkinMenu));
  ASSERT_NE(skinItem, nullptr);
  wxMenu* skins = skinItem->GetSubMenu();
  ASSERT_NE(skins, nullptr);
  const auto entries = [&] {
    std::string text;
    for (const wxMenuItem* item : skins->GetMenuItems())
      text += item->GetItemLabel().utf8_string() + (item->IsChecked() ? "*" : "") + ",";
    return text;
  };
  OpenMenu("Model");
  EXPECT_TRUE(skinItem->IsEnabled());
  EXPECT_EQ(entries(), "default*,Blue,red,");
  wxCommandEvent choose(wxEVT_MENU, cmd::ToWxId(cmd::kFirstSkin + 2));
  frame->ProcessWindowEvent(choose);
  EXPECT_EQ(scene.models.back()->skin, "red");
  OpenMenu("Model");
  EXPECT_EQ(entries(), "default,Blue,red*,");

  scene.gameTextureLookup = false;
  OpenMenu("Model");
  EXPECT_FALSE(skinItem->IsEnabled());
  EXPECT_EQ(entries(), "");
}

}  // namespace
}  // namespace tessary
