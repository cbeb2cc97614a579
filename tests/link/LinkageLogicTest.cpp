// The Tag Linkage dialog's lists and picks, and the child lists and subtree marks behind
// them, on small scenes built by hand.
#include <gtest/gtest.h>

#include "link/LinkTree.h"
#include "link/LinkageLogic.h"
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
  // The four lists as "rows@selection", separated by " | ".
  std::string Lists() {
    std::string text;
    for (const LinkageList* list : {&logic.Models(), &logic.Pivots(), &logic.Parents(), &logic.Anchors()}) {
      for (const std::string& row : list->rows) text += row + ",";
      text += "@" + std::to_string(list->selection) + (list == &logic.Anchors() ? "" : " | ");
    }
    return text;
  }
  LinkageLogic logic{ws};
};

TEST_F(LinkageLogicTest, TheListsFollowThePicksAndEachPickWritesTheLinkAtOnce) {
  logic.Open();
  EXPECT_EQ(Lists(), "@-1 | @-1 | @-1 | @-1") << "no models, empty lists";
  logic.ParentChosen(1);
  EXPECT_TRUE(desktop.log.empty());
  AddModel("a", {"a0", "a1", "a2"});
  AddModel("b", {"b0", "b1"}, 0, 1).pivotTag = 0;  // under a, by a1
  AddModel("c", {"c0"});
  AddModel("c", {"t0", "t1"});  // rows, not names, tell models apart
  scene.currentModel = 2;
  logic.Open();  // on the first model, whatever is current
  EXPECT_EQ(Lists(), "a,b,c,c,@0 | No Pivot,a0,a1,a2,@0 | No Parent,c,c,@0 | No Anchor,@-1") << "b hangs under a";
  logic.ModelChosen(1);
  EXPECT_EQ(Lists(), "a,b,c,c,@1 | No Pivot,b0,b1,@1 | No Parent,a,c,c,@1 | No Anchor,a0,a1,a2,@2");
  logic.ModelChosen(3);
  desktop.ClearRecords();
  logic.PivotChosen(2);   // t1
  logic.ParentChosen(1);  // a
  logic.AnchorChosen(2);  // a1
  logic.PivotChosen(3);   // no such row: ignored
  EXPECT_EQ(LinkOf(3), Link(1, 0, 1));
  EXPECT_EQ(M(0).children, (Models{&M(1), &M(3)}));
  EXPECT_EQ(desktop.log, (Rows{"redraw", "refresh", "redraw", "refresh", "redraw", "refresh"}));
  logic.ParentChosen(3);  // the first "c", with one tag: the anchor index stays, but no row shows it
  EXPECT_EQ(LinkOf(3), Link(1, 2, 1));
  EXPECT_EQ(Lists(), "a,b,c,c,@3 | No Pivot,t0,t1,@2 | No Parent,a,b,c,@3 | No Anchor,c0,@-1");
  logic.AnchorChosen(0);  // "No Anchor": still linked, but unplaced
  EXPECT_EQ(LinkOf(3), Link(1, 2, -1));
  logic.ParentChosen(0);  // "No Parent"
  EXPECT_EQ(LinkOf(3), Link(1, -1, -1));
  EXPECT_TRUE(M(2).children.empty());
}

}  // namespace
}  // namespace tessary
