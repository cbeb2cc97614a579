// The link tree (child lists from parentIndex, subtree marks), the Tag Linkage dialog's
// lists and picks, and linking whole files by their tags, on small scenes built by hand.
#include <gtest/gtest.h>

#include "link/LinkTree.h"
#include "link/LinkageLogic.h"
#include "link/TagMatching.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

using Rows = std::vector<std::string>;
using Models = std::vector<ModelRecord*>;
using Link = std::tuple<int, int, int>;  // pivot, parent, anchor

class LinkageLogicTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  ModelRecord& AddModel(const std::string& name, Rows tags = {}, int parent = -1, int anchor = -1) {
    ModelRecord& m = *scene.models.emplace_back(std::make_unique<ModelRecord>());
    std::tie(m.name, m.tagNames, m.parentIndex, m.anchorTag) = std::make_tuple(name, tags, parent, anchor);
    return m;
  }
  ModelRecord& M(int i) { return *scene.models[static_cast<std::size_t>(i)]; }
  Link LinkOf(int i) { return {M(i).pivotTag, M(i).parentIndex, M(i).anchorTag}; }
  Rows Parents() { return logic.Parents().rows; }
  LinkageLogic logic{ws};
};

TEST_F(LinkageLogicTest, ChildListsFollowParentIndexInModelOrderAndMarksCoverWholeSubtrees) {
  // 0 <- 3 <- 1 and 0 <- 5 <- 4; 2 names itself, which is no link. Stale lists must go.
  for (int parent : {-1, 3, 2, 0, 5, 0}) AddModel("m", {}, parent);
  M(2).children = {&M(0), &M(1)};
  RebuildChildLists(scene);
  const std::vector<Models> children{{&M(3), &M(5)}, {}, {}, {&M(1)}, {}, {&M(4)}};
  std::vector<int> marks;
  MarkSubtree(&M(3));
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(M(i).children, children[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(M(i).childCount, static_cast<int>(children[static_cast<std::size_t>(i)].size())) << i;
    marks.push_back(M(i).visited);
  }
  EXPECT_EQ(marks, (std::vector<int>{0, 1, 0, 1, 0, 0}));
}

TEST_F(LinkageLogicTest, OpensOnTheFirstModelWhateverIsCurrentAndShowsTheChosenModelsLinks) {
  AddModel("legs", {"tag_floor", "tag_torso"});
  AddModel("torso", {"tag_legs", "tag_head"}, 0, 1).pivotTag = 0;
  AddModel("head");
  scene.currentModel = 2;
  logic.Open();
  EXPECT_EQ(logic.Models().rows, (Rows{"legs", "torso", "head"}));
  EXPECT_EQ(logic.Models().selection, 0);
  EXPECT_EQ(logic.Pivots().rows, (Rows{"No Pivot", "tag_floor", "tag_torso"}));
  EXPECT_EQ(logic.Pivots().selection, 0);
  EXPECT_EQ(Parents(), (Rows{"No Parent", "head"}));  // torso hangs under legs
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor"}));
  EXPECT_EQ(logic.Anchors().selection, -1);
  logic.ModelChosen(1);
  EXPECT_EQ(logic.Pivots().selection, 1);
  EXPECT_EQ(Parents(), (Rows{"No Parent", "legs", "head"}));
  EXPECT_EQ(logic.Parents().selection, 1);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "tag_floor", "tag_torso"}));
  EXPECT_EQ(logic.Anchors().selection, 2);
  EXPECT_EQ(LinkOf(1), Link(0, 0, 1));
}

TEST_F(LinkageLogicTest, EachPickWritesTheLinkAtOnceANewParentKeepsTheAnchorIndexAndNoParentClearsBoth) {
  AddModel("a", {"a0", "a1", "a2"});
  AddModel("b", {"b0", "b1"});
  AddModel("c", {"c0"});
  AddModel("child", {"t0", "t1"});
  logic.Open();
  logic.ModelChosen(3);
  desktop.ClearRecords();
  logic.PivotChosen(2);   // t1
  logic.ParentChosen(1);  // a
  logic.AnchorChosen(2);  // a1
  EXPECT_EQ(LinkOf(3), Link(1, 0, 1));
  EXPECT_EQ(M(0).children, (Models{&M(3)}));
  EXPECT_EQ(desktop.log, (Rows{"redraw", "refresh", "redraw", "refresh", "redraw", "refresh"}));
  EXPECT_EQ(std::make_pair(logic.Pivots().selection, logic.Anchors().selection), std::make_pair(2, 2));
  logic.PivotChosen(3);  // no such row: ignored
  EXPECT_EQ(desktop.log.size(), 6u);
  logic.ParentChosen(2);  // b has a tag 1 too
  EXPECT_EQ(LinkOf(3), Link(1, 1, 1));
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "b0", "b1"}));
  EXPECT_EQ(logic.Anchors().selection, 2);
  logic.ParentChosen(3);  // c has one tag: the index stays, but no row shows it
  EXPECT_EQ(LinkOf(3), Link(1, 2, 1));
  EXPECT_EQ(logic.Anchors().selection, -1);
  logic.AnchorChosen(0);  // "No Anchor": still linked, but unplaced
  EXPECT_EQ(LinkOf(3), Link(1, 2, -1));
  logic.AnchorChosen(1);
  logic.ParentChosen(0);  // "No Parent"
  EXPECT_EQ(LinkOf(3), Link(1, -1, -1));
  EXPECT_TRUE(M(2).children.empty());
  EXPECT_EQ(logic.Parents().selection, 0);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor"}));
}

TEST_F(LinkageLogicTest, DescendantsAreNeverOfferedAsParentsAndALoopMadeElsewhereIsBroken) {
  AddModel("a");
  AddModel("b", {}, 0);  // under a
  AddModel("c", {}, 1);  // under b: a grandchild of a
  AddModel("d");
  logic.Open();
  EXPECT_EQ(Parents(), (Rows{"No Parent", "d"}));
  logic.ParentChosen(1);  // a under d
  logic.ModelChosen(3);
  EXPECT_EQ(Parents(), (Rows{"No Parent"}));
  logic.ModelChosen(1);  // b: only its ancestors are outside its subtree
  EXPECT_EQ(Parents(), (Rows{"No Parent", "a", "d"}));
  EXPECT_EQ(logic.Parents().selection, 1);
  // d under c closes a loop a -> b -> c -> d -> a. Opened on a, the walk of a's subtree
  // ends, finds a's parent d inside it, and drops that link.
  M(3).parentIndex = 2;
  logic.Open();
  EXPECT_EQ(LinkOf(0), Link(-1, -1, -1));
  EXPECT_EQ(M(3).parentIndex, 2);
  EXPECT_EQ(Parents(), (Rows{"No Parent"}));
}

TEST_F(LinkageLogicTest, RowsNotNamesIdentifyModelsAndNoModelsGiveEmptyLists) {
  logic.Open();
  for (const LinkageList* list : {&logic.Models(), &logic.Pivots(), &logic.Parents(), &logic.Anchors()})
    EXPECT_EQ(std::make_pair(list->rows, list->selection), std::make_pair(Rows{}, -1));
  logic.ParentChosen(1);
  logic.AnchorChosen(0);
  EXPECT_TRUE(desktop.log.empty());

  AddModel("body");
  AddModel("head", {"h1"});
  AddModel("head", {"h2a", "h2b"});
  logic.Open();
  ASSERT_EQ(Parents(), (Rows{"No Parent", "head", "head"}));
  logic.ParentChosen(2);  // the second "head"
  EXPECT_EQ(M(0).parentIndex, 2);
  EXPECT_EQ(logic.Anchors().rows, (Rows{"No Anchor", "h2a", "h2b"}));
  EXPECT_EQ(M(2).children, (Models{&M(0)}));
  EXPECT_TRUE(M(1).children.empty());
}

TEST_F(LinkageLogicTest, FilesHangByTheirFirstTagAnEarlierFileHasOnTheLatestSuchFile) {
  // Files: legs (0-1), a failed load (no models), torso (2-3), head (4), weapon (5),
  // a prop (6) that shares nothing, a shield (7) whose unnamed tag matches nothing and whose
  // second tag is on the legs and the torso.
  AddModel("leg_l", {"tag_floor", "tag_torso"});
  AddModel("leg_r", {"tag_floor", "tag_torso"});
  for (int i = 0; i < 2; ++i) AddModel("torso", {"tag_torso", "tag_head", "tag_weapon"});
  AddModel("head", {"tag_head"});
  AddModel("weapon", {"tag_flash", "tag_weapon"});
  AddModel("prop", {"tag_prop"});
  AddModel("shield", {"", "tag_torso"});
  M(6).parentIndex = 4;  // a link already there is left alone when nothing matches
  LinkFilesByMatchingTags(scene, {{0, 2}, {2, 0}, {2, 2}, {4, 1}, {5, 1}, {6, 1}, {7, 1}, {99, 1}});
  const std::vector<Link> links{{-1, -1, -1}, {-1, -1, -1}, {0, 0, 1}, {0, 0, 1},
                                {0, 2, 1},    {1, 2, 2},    {-1, 4, -1}, {1, 2, 0}};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(LinkOf(i), links[static_cast<std::size_t>(i)]) << M(i).name << " " << i;
  EXPECT_EQ(M(0).children, (Models{&M(2), &M(3)}));
  EXPECT_EQ(M(2).children, (Models{&M(4), &M(5), &M(7)}));
}

}  // namespace
}  // namespace tessary
