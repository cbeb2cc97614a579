// The other parts of a player beside one of its files, so a preview of any part can show
// the whole player: lower, upper and head files with the same ending (upper_1.md3 goes
// with lower_1.md3 and head_1.md3, as the game's detail levels do).
#pragma once

#include <string>
#include <vector>

namespace tessary {

// The player's part files that exist beside path, in the order they hang (lower, upper,
// head), path among them. Just path when its name is not a part's or it has no sibling.
std::vector<std::string> PlayerPartFiles(const std::string& path);

}  // namespace tessary
