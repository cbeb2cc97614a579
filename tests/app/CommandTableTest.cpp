// The command table: what command numbers do, and the greying and check marks of the menu
// items.
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

TEST_F(CommandTableTest, FilterAndMultiPassItemsCheckTheModeInForceRedrawOnChangeAndTurnASpin) {
  auto checked = [&](int first, int last) {
    std::vector<int> on;
    for (int id = first; id <= last; ++id)
      if (Query(id) == State{true, true}) on.push_back(id);
    return on;
  };
  EXPECT_EQ(checked(32773, 32779), (std::vector<int>{32777, 32778})) << "Tri-MIP and Fast at start";
  desktop.ClearRecords();
  for (int id : {kFilterLinear, kFilterLinear, kMultiPassSafe, kMultiPassSafe}) DispatchCommand(ws, id);
  EXPECT_EQ(desktop.log, (Log{"repaint", "repaint"})) << "one view redraw per change, no panel refresh";
  EXPECT_EQ(checked(32773, 32779), (std::vector<int>{32774, 32779}));
  // Asking for these items' states turns a running spin one step, as choosing one does:
  // two 45-degree steps about z make 90 degrees, (0, 0, sin 45, cos 45).
  trackball.spin = {0.0f, 0.0f, 0.38268343f, 0.92387953f};
  QueryCommandState(ws, kFilterNearest);
  QueryCommandState(ws, kMultiPassFast);
  EXPECT_NEAR(trackball.rotation[2], 0.70710678f, 1e-5);
  EXPECT_NEAR(trackball.rotation[3], 0.70710678f, 1e-5);
}

}  // namespace
}  // namespace tessary
