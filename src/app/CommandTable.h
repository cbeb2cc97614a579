// The command table: the menu tree, the accelerators, the dispatch of every command number
// to its operation and the enable/check rules of the menu items.
#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"

namespace tessary {

// One entry of the main menu: an item (id != 0), a separator (id == 0, no children and an
// empty caption) or a submenu (children not empty). The entry cmd::kSkinMenu is a submenu
// whose items (cmd::kFirstSkin, ...) are SkinMenuEntries, made afresh each time it opens.
struct MenuEntry {
  std::string caption;
  int id = 0;
  std::vector<MenuEntry> children;
};

// The menu bar: one MenuEntry per top-level menu, in order.
const std::vector<MenuEntry>& MainMenu();

struct Accelerator {
  enum Key { Left, Right, Letter, Insert, Delete, Backspace, F6, Space, Home };
  Key key;
  char letter = 0;  // for Letter
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  int id = 0;
};
const std::vector<Accelerator>& Accelerators();

// Runs the operation of a command number; numbers without an operation are ignored.
// Returns true when the number has an operation. Fit View, Open Player (which frames the
// view), picture export and the recent models need the window system and are run by the
// main window, not here.
bool DispatchCommand(Workspace& ws, int id);

struct CommandState {
  bool enabled = true;
  bool checked = false;
};
// The enable and check state of a menu item. For the filter and multi-pass items answering
// also performs the view's spin-step redraw, as the menu expects.
CommandState QueryCommandState(Workspace& ws, int id);
// Whether the item has a check-mark rule at all.
bool IsCheckable(int id);
// Whether the item is one of a list of choices of which one is checked (a sequence).
bool IsRadio(int id);

// The sequence lists the Animation menu ends with, for the current model: a player's
// "Legs" and "Torso" sequences, a plain model's one sequence, or none.
std::vector<MenuEntry> SequenceMenus(const Scene& scene);

}  // namespace tessary
