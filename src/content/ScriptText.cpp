// Skipping the blanks and comments of script texts.
#include "content/ScriptText.h"

#include <algorithm>

namespace tessary {

int SkipBlanksAndComments(std::string_view text, std::size_t& at) {
  int lines = 0;
  while (at < text.size()) {
    if (IsScriptBlank(text[at])) {
      lines += text[at++] == '\n' ? 1 : 0;
    } else if (text.compare(at, 2, "//") == 0) {
      while (at < text.size() && text[at] != '\n') ++at;  // the line break is a blank
    } else if (text.compare(at, 2, "/*") == 0) {
      const std::size_t close = text.find("*/", at + 2);
      const std::size_t end = close == std::string_view::npos ? text.size() : close + 2;
      lines += static_cast<int>(std::count(text.begin() + static_cast<std::ptrdiff_t>(at),
                                           text.begin() + static_cast<std::ptrdiff_t>(end), '\n'));
      at = end;
    } else {
      break;
    }
  }
  return lines;
}

}  // namespace tessary
