// The blanks and comments the game's script texts share (shader scripts, animation.cfg):
// "//" runs to the end of its line, "/* */" to its close (or the end of the text).
#pragma once

#include <cstddef>
#include <string_view>

namespace tessary {

inline bool IsScriptBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Whether a comment starts at `at`.
inline bool StartsComment(std::string_view text, std::size_t at) {
  return text.compare(at, 2, "//") == 0 || text.compare(at, 2, "/*") == 0;
}

// Moves `at` past the blanks and comments there; returns how many line breaks it passed.
int SkipBlanksAndComments(std::string_view text, std::size_t& at);

}  // namespace tessary
