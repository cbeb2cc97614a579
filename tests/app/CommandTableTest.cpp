// The command table's Model menu items: each toggles its own switch of the current model, is
// greyed without one and checked while its switch is on.
#include <gtest/gtest.h>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

using namespace cmd;
using Log = std::vector<std::string>;
using State = std::pair<bool, bool>;  // enabled, checked

class CommandTableTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  ModelRecord& AddCurrentModel() {
    scene.currentModel = scene.ModelCount();
    return *scene.models.emplace_back(std::make_unique<ModelRecord>());
  }
  State Query(int id) {
    const CommandState s = QueryCommandState(ws, id);
    return {s.enabled, s.checked};
  }
};

TEST_F(CommandTableTest, EachModelItemTogglesOnlyItsOwnSwitchAndIsGreyedWithoutAModel) {
  const std::pair<int, std::int32_t ModelRecord::*> items[] = {
      {32813, &ModelRecord::envMap},      {32818, &ModelRecord::additive},  {32823, &ModelRecord::shell},
      {32819, &ModelRecord::doubleSided}, {32809, &ModelRecord::wireframe}, {32820, &ModelRecord::showTags},
      {32825, &ModelRecord::showBounds},  {32821, &ModelRecord::lockFrame}};
  for (const auto& [id, flag] : items) {
    DispatchCommand(ws, id);
    EXPECT_EQ(Query(id), (State{false, false})) << id;
  }
  EXPECT_EQ(Query(kOffsets), (State{true, false})) << "an item without a rule is always enabled";
  EXPECT_TRUE(desktop.log.empty());
  ModelRecord& m = AddCurrentModel();
  for (int i = 0; i < 8; ++i) {
    const auto [id, flag] = items[i];
    EXPECT_EQ(Query(id), (State{true, false})) << id;
    desktop.ClearRecords();
    DispatchCommand(ws, id);
    int on = 0;
    for (const auto& [other, otherFlag] : items) on += m.*otherFlag;
    EXPECT_EQ(std::make_pair(m.*flag, on), std::make_pair(1, i + 1)) << id;
    EXPECT_EQ(desktop.log, (Log{"redraw", "refresh"})) << id;
    EXPECT_EQ(Query(id), (State{true, true})) << id;
  }
  DispatchCommand(ws, kWireframe);
  EXPECT_EQ(m.wireframe, 0);
}

}  // namespace
}  // namespace tessary
