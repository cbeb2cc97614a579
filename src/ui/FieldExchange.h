// The number fields of a dialog bound to the floats they edit, and the exchange of their
// texts in a fixed order: every value shown as text when the dialog opens, and the texts
// written back only when every one of them is a number.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

// One number field: its control id and the float it edits.
struct FloatBinding {
  int controlId = 0;
  float* value = nullptr;
};

// The text each field shows, keyed by control id.
std::map<int, std::string> FieldTexts(const std::vector<FloatBinding>& fields);

// Reads every field's text (textOf(controlId)) in the order given. When all are numbers the
// values are written and the result is empty; otherwise nothing is written and the result
// is the id of the first field, in that order, that does not hold a number.
std::optional<int> StoreFieldTexts(const std::vector<FloatBinding>& fields,
                                   const std::function<std::string(int controlId)>& textOf);

}  // namespace tessary
