// The derived child lists and the subtree marks.
#include <gtest/gtest.h>

#include "link/LinkTree.h"

namespace tessary {
namespace {

class LinkTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) scene.models.push_back(std::make_unique<ModelRecord>());
  }
  ModelRecord* M(int i) { return scene.models[static_cast<std::size_t>(i)].get(); }
  Scene scene;
};

TEST_F(LinkTreeTest, ChildListsFollowParentIndexInModelOrderAndReplaceWhatWasThere) {
  // 0 <- 3, 0 <- 5, 3 <- 1, 5 <- 4; 2 names itself, which is not a link.
  M(3)->parentIndex = 0;
  M(5)->parentIndex = 0;
  M(1)->parentIndex = 3;
  M(4)->parentIndex = 5;
  M(2)->parentIndex = 2;
  // Stale contents from an earlier state must not survive.
  M(2)->children = {M(0), M(1)};
  M(2)->childCount = 2;

  RebuildChildLists(scene);

  EXPECT_EQ(M(0)->children, (std::vector<ModelRecord*>{M(3), M(5)}));
  EXPECT_EQ(M(0)->childCount, 2);
  EXPECT_EQ(M(3)->children, (std::vector<ModelRecord*>{M(1)}));
  EXPECT_EQ(M(5)->children, (std::vector<ModelRecord*>{M(4)}));
  EXPECT_EQ(M(5)->childCount, 1);
  for (int i : {1, 2, 4}) {
    EXPECT_TRUE(M(i)->children.empty()) << i;
    EXPECT_EQ(M(i)->childCount, 0) << i;
  }
}

TEST_F(LinkTreeTest, MarkSubtreeReachesEveryDescendantAndNothingElse) {
  M(1)->parentIndex = 0;
  M(2)->parentIndex = 1;
  M(3)->parentIndex = 1;
  M(5)->parentIndex = 4;
  RebuildChildLists(scene);

  ClearVisited(scene);
  MarkSubtree(M(1));
  const std::vector<int> expected{0, 1, 1, 1, 0, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(M(i)->visited, expected[static_cast<std::size_t>(i)]) << i;

  ClearVisited(scene);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(M(i)->visited, 0) << i;
  MarkSubtree(nullptr);  // no model: nothing to do
}

TEST_F(LinkTreeTest, MarkSubtreeStopsAtModelsAlreadyMarked) {
  // Child lists edited by hand into a cycle: the mark must still end the walk.
  M(0)->children = {M(1)};
  M(1)->children = {M(2)};
  M(2)->children = {M(0)};
  MarkSubtree(M(0));
  EXPECT_EQ(M(0)->visited + M(1)->visited + M(2)->visited, 3);

  // A marked model's subtree is not entered again.
  ClearVisited(scene);
  M(1)->visited = 1;
  MarkSubtree(M(0));
  EXPECT_EQ(M(0)->visited, 1);
  EXPECT_EQ(M(2)->visited, 0);
}

TEST_F(LinkTreeTest, AVeryLongChainIsMarkedCompletely) {
  Scene chain;
  constexpr int kLength = 20000;
  for (int i = 0; i < kLength; ++i) {
    chain.models.push_back(std::make_unique<ModelRecord>());
    chain.models.back()->parentIndex = static_cast<std::int16_t>(i - 1);
  }
  RebuildChildLists(chain);
  MarkSubtree(chain.models[0].get());
  int marked = 0;
  for (const auto& m : chain.models) marked += m->visited;
  EXPECT_EQ(marked, kLength);
}

}  // namespace
}  // namespace tessary
