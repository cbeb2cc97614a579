// The Tag Linkage dialog's lists and picks, checked on small scenes built by hand.
#include <gtest/gtest.h>

#include "link/LinkageLogic.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

using Rows = std::vector<std::string>;

class LinkageLogicTest : public ::testing::Test {
 protected:
  ModelRecord& AddModel(const std::string& name, Rows tags = {}) {
    auto model = std::make_unique<ModelRecord>();
    model->name = name;
    model->tagNames = std::move(tags);
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  ModelRecord& M(int i) { return *scene.models[static_cast<std::size_t>(i)]; }
  // Opens the dialog's logic and forgets what opening did.
  void Open() {
    logic.Open();
    desktop.ClearRecords();
  }
  // Whether the last pick redrew the scene and then refreshed the panel, and nothing else.
  bool RedrewAndRefreshed() const { return desktop.log == Rows{"redraw", "refresh"}; }

  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
  LinkageLogic logic{ws};
};

TEST_F(LinkageLogicTest, OpensOnTheFirstModelWithItsLinksShown) {
  AddModel("legs", {"tag_floor", "tag_torso"});
  AddModel("torso", {"tag_legs", "tag_head", "tag_weapon"});
  AddModel("head", {"tag_head"});
  M(1).pivotTag = 0;
  M(1).parentIndex = 0;
  M(1).anchorTag = 1;
  scene.currentModel = 2;  // the scene's current model plays no part
  // Editing starts on legs; its own links are none.
  M(0).pivotTag = -1;

  logic.Open();

  EXPECT_EQ(logic.Models().rows, (Rows{"legs", "torso", "head"}));
  EXPECT_EQ(logic.Models().selection, 0);
  EXPECT_EQ(logic.Pivots().rows, (Rows{"No Pivot", "tag_floor", "tag_torso"}));
  EXPECT_EQ(logic.Pivots().selection, 0);
  // torso hangs under legs, so it is legs' descendant and cannot become its parent.
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent", "head"}));
  EXPECT_EQ(logic.Parents().selection, 0);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor"}));
  EXPECT_EQ(logic.Anchors().selection, -1);
  // Opening builds the child lists the subtree test relies on.
  ASSERT_EQ(M(0).children.size(), 1u);
  EXPECT_EQ(M(0).children[0], &M(1));

  logic.ModelChosen(1);
  EXPECT_EQ(logic.Models().selection, 1);
  EXPECT_EQ(logic.Pivots().selection, 1);  // tag_legs
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent", "legs", "head"}));
  EXPECT_EQ(logic.Parents().selection, 1);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "tag_floor", "tag_torso"}));
  EXPECT_EQ(logic.Anchors().selection, 2);
  // Moving to another model changes no link.
  EXPECT_EQ(M(1).parentIndex, 0);
  EXPECT_EQ(M(1).anchorTag, 1);
  EXPECT_EQ(M(1).pivotTag, 0);
}

TEST_F(LinkageLogicTest, LinksAHeadUnderATorso) {
  AddModel("torso", {"tag_legs", "tag_head"});
  AddModel("head", {"tag_head"});
  Open();
  logic.ModelChosen(1);
  logic.PivotChosen(1);   // tag_head of the head
  logic.ParentChosen(1);  // torso
  logic.AnchorChosen(2);  // tag_head of the torso
  EXPECT_EQ(M(1).pivotTag, 0);
  EXPECT_EQ(M(1).parentIndex, 0);
  EXPECT_EQ(M(1).anchorTag, 1);
  ASSERT_EQ(M(0).children.size(), 1u);
  EXPECT_EQ(M(0).children[0], &M(1));
  EXPECT_EQ(M(0).childCount, 1);
  // Each pick redrew the scene and refreshed the panel at once.
  EXPECT_EQ(desktop.sceneRedraws, 4);
  EXPECT_EQ(desktop.panelRefreshes, 4);
  EXPECT_EQ(logic.Anchors().selection, 2);

  // Now the torso may not take the head (its child) as parent.
  logic.ModelChosen(0);
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent"}));
}

TEST_F(LinkageLogicTest, NoParentClearsParentAndAnchor) {
  AddModel("torso", {"tag_head"});
  AddModel("head");
  M(1).parentIndex = 0;
  M(1).anchorTag = 0;
  Open();
  logic.ModelChosen(1);
  desktop.ClearRecords();

  logic.ParentChosen(0);
  EXPECT_EQ(M(1).parentIndex, -1);
  EXPECT_EQ(M(1).anchorTag, -1);
  EXPECT_TRUE(M(0).children.empty());
  EXPECT_EQ(logic.Parents().selection, 0);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor"}));
  EXPECT_EQ(logic.Anchors().selection, -1);
  EXPECT_TRUE(RedrewAndRefreshed());
}

TEST_F(LinkageLogicTest, ANewParentKeepsTheAnchorIndex) {
  AddModel("a", {"a0", "a1", "a2"});
  AddModel("b", {"b0", "b1"});
  AddModel("c", {"c0"});
  AddModel("child");
  M(3).parentIndex = 0;
  M(3).anchorTag = 1;
  Open();
  logic.ModelChosen(3);
  ASSERT_EQ(logic.Parents().rows, (Rows{"No Parent", "a", "b", "c"}));

  logic.ParentChosen(2);  // b: it has a tag 1 too
  EXPECT_EQ(M(3).parentIndex, 1);
  EXPECT_EQ(M(3).anchorTag, 1);
  EXPECT_EQ(logic.Parents().selection, 2);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "b0", "b1"}));
  EXPECT_EQ(logic.Anchors().selection, 2);

  logic.ParentChosen(3);  // c has one tag: the index stays, but no row shows it
  EXPECT_EQ(M(3).parentIndex, 2);
  EXPECT_EQ(M(3).anchorTag, 1);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "c0"}));
  EXPECT_EQ(logic.Anchors().selection, -1);
}

TEST_F(LinkageLogicTest, DescendantsAreNeverOfferedAsParents) {
  AddModel("a");
  AddModel("b");
  AddModel("c");
  AddModel("d");
  M(1).parentIndex = 0;  // b under a
  M(2).parentIndex = 1;  // c under b: a grandchild of a
  Open();

  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent", "d"}));
  EXPECT_EQ(M(0).parentListRow, -1);
  EXPECT_EQ(M(1).parentListRow, -1);
  EXPECT_EQ(M(2).parentListRow, -1);
  EXPECT_EQ(M(3).parentListRow, 1);

  logic.ParentChosen(1);  // a under d
  EXPECT_EQ(M(0).parentIndex, 3);

  logic.ModelChosen(3);  // d now heads the chain: nobody is left to be its parent
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent"}));

  logic.ModelChosen(1);  // b: only its ancestors a and d are outside its subtree
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent", "a", "d"}));
  EXPECT_EQ(logic.Parents().selection, 1);
}

TEST_F(LinkageLogicTest, RowsNotNamesIdentifyModels) {
  AddModel("body", {"t"});
  AddModel("head", {"h1"});
  AddModel("gun");
  AddModel("head", {"h2a", "h2b"});
  Open();
  ASSERT_EQ(logic.Parents().rows, (Rows{"No Parent", "head", "gun", "head"}));

  logic.ParentChosen(3);  // the second "head"
  EXPECT_EQ(M(0).parentIndex, 3);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "h2a", "h2b"}));
  ASSERT_EQ(M(3).children.size(), 1u);
  EXPECT_EQ(M(3).children[0], &M(0));
  EXPECT_TRUE(M(1).children.empty());
}

TEST_F(LinkageLogicTest, WithNoModelsEverythingStaysEmpty) {
  Open();
  for (const LinkageList* list : {&logic.Models(), &logic.Pivots(), &logic.Parents(), &logic.Anchors()}) {
    EXPECT_TRUE(list->rows.empty());
    EXPECT_EQ(list->selection, -1);
  }
  logic.PivotChosen(0);
  logic.ParentChosen(1);
  logic.AnchorChosen(0);
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(LinkageLogicTest, PivotPicks) {
  AddModel("m", {"t0", "t1"});
  M(0).pivotTag = 1;
  Open();
  EXPECT_EQ(logic.Pivots().selection, 2);

  logic.PivotChosen(0);
  EXPECT_EQ(M(0).pivotTag, -1);
  EXPECT_EQ(logic.Pivots().selection, 0);
  EXPECT_TRUE(RedrewAndRefreshed());

  logic.PivotChosen(1);
  EXPECT_EQ(M(0).pivotTag, 0);
  EXPECT_EQ(logic.Pivots().selection, 1);

  desktop.ClearRecords();
  logic.PivotChosen(3);  // there is no third tag
  logic.PivotChosen(-1);
  EXPECT_EQ(M(0).pivotTag, 0);
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(LinkageLogicTest, AnchorPicks) {
  AddModel("parent", {"p0", "p1"});
  AddModel("child");
  M(1).parentIndex = 0;
  Open();
  logic.ModelChosen(1);

  logic.AnchorChosen(2);
  EXPECT_EQ(M(1).anchorTag, 1);
  EXPECT_EQ(logic.Anchors().selection, 2);
  logic.AnchorChosen(5);  // past the parent's tags
  EXPECT_EQ(M(1).anchorTag, -1);
  EXPECT_EQ(logic.Anchors().selection, 0);
  logic.AnchorChosen(1);
  EXPECT_EQ(M(1).anchorTag, 0);
  logic.AnchorChosen(0);  // "No Anchor": the child stays linked but unplaced
  EXPECT_EQ(M(1).anchorTag, -1);
  EXPECT_EQ(M(1).parentIndex, 0);

  // Without a parent an anchor means nothing: both are cleared.
  logic.ParentChosen(0);
  M(1).anchorTag = 1;
  desktop.ClearRecords();
  logic.AnchorChosen(1);
  EXPECT_EQ(M(1).parentIndex, -1);
  EXPECT_EQ(M(1).anchorTag, -1);
  EXPECT_TRUE(RedrewAndRefreshed());
}

TEST_F(LinkageLogicTest, StaleIndicesAreShownAsNothingOrDropped) {
  AddModel("a", {"t0", "t1"});
  AddModel("b", {"t0"});
  M(0).pivotTag = 5;       // past the model's tags
  M(0).parentIndex = 7;    // no such model
  M(0).anchorTag = 3;
  M(1).parentIndex = 0;    // b under a ...
  M(1).anchorTag = 9;      // ... on a tag a does not have
  Open();

  EXPECT_EQ(logic.Pivots().selection, -1);
  EXPECT_EQ(M(0).pivotTag, 5);  // shown as nothing, kept until a pick
  // A parent that does not exist is dropped as the list is filled, its anchor with it.
  EXPECT_EQ(M(0).parentIndex, -1);
  EXPECT_EQ(M(0).anchorTag, -1);
  EXPECT_EQ(logic.Parents().selection, 0);

  logic.ModelChosen(1);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "t0", "t1"}));
  EXPECT_EQ(logic.Anchors().selection, -1);
  EXPECT_EQ(M(1).anchorTag, 9);

  logic.ParentChosen(4);  // a row past the list means no parent
  EXPECT_EQ(M(1).parentIndex, -1);
  EXPECT_EQ(M(1).anchorTag, -1);
}

TEST_F(LinkageLogicTest, ALoopMadeElsewhereIsBrokenWhenShown) {
  AddModel("a");
  AddModel("b");
  M(0).parentIndex = 1;
  M(1).parentIndex = 0;
  Open();
  // a's parent b is also its child, so it is not listed and the link is dropped.
  EXPECT_EQ(M(0).parentIndex, -1);
  EXPECT_EQ(logic.Parents().rows, (Rows{"No Parent"}));
  EXPECT_EQ(M(1).parentIndex, 0);
}

}  // namespace
}  // namespace tessary
