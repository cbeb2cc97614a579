// Exchange of number-field texts with the floats they edit.
#include "ui/FieldExchange.h"

#include "app/FloatText.h"

namespace tessary {

std::map<int, std::string> FieldTexts(const std::vector<FloatBinding>& fields) {
  std::map<int, std::string> texts;
  for (const FloatBinding& field : fields) texts[field.controlId] = FormatFloat(*field.value);
  return texts;
}

std::optional<int> StoreFieldTexts(const std::vector<FloatBinding>& fields,
                                   const std::function<std::string(int controlId)>& textOf) {
  // All texts are parsed before anything is written, so a bad field leaves every value as
  // it was, including those of the fields before it.
  std::vector<float> parsed;
  parsed.reserve(fields.size());
  for (const FloatBinding& field : fields) {
    const std::optional<float> value = ParseFloat(textOf(field.controlId));
    if (!value) return field.controlId;
    parsed.push_back(*value);
  }
  for (std::size_t i = 0; i < fields.size(); ++i) *fields[i].value = parsed[i];
  return std::nullopt;
}

}  // namespace tessary
