// Text from files shown in controls. Names inside model and light files (and file names on
// disk) are 8-bit text in no stated encoding: they are shown as UTF-8 where they are valid
// UTF-8, and otherwise as Latin-1, where every byte is one character, so that nothing of a
// name is hidden or dropped.
#pragma once

#include <wx/strconv.h>
#include <wx/string.h>

#include <string>

namespace tessary {

inline wxString DisplayText(const std::string& bytes) {
  if (bytes.empty()) return wxString();
  const wxString utf8 = wxString::FromUTF8(bytes.data(), bytes.size());
  if (!utf8.empty()) return utf8;
  return wxString(bytes.data(), wxConvISO8859_1, bytes.size());
}

}  // namespace tessary
