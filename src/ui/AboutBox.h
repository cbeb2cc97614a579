// The About box: the program's picture and two lines about it. It has no buttons; the
// close box, Escape and Enter close it.
#pragma once

#include "ui/FormDialog.h"

namespace tessary {

class AboutBox : public FormDialog {
 public:
  AboutBox(wxWindow* parent, Desktop& desktop);

  // The two lines of text under the title.
  static constexpr const char* kFirstLine = "Corvane's Tessary 0.1";
  static constexpr const char* kSecondLine = "By the Tessary team";
};

}  // namespace tessary
