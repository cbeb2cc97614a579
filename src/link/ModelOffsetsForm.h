// The nine number fields of the Model Offsets dialog and the model fields they edit.
#pragma once

#include <vector>

#include "scene/ModelRecord.h"
#include "ui/FieldExchange.h"

namespace tessary::offsets {

// Rows Position, Rotation, Scale; columns x, y, z.
inline constexpr int kFirstFieldId = 1010;  // 1010..1018, row by row
inline constexpr int kFieldCount = 9;

// The fields in their exchange order, 1010 to 1018.
inline std::vector<FloatBinding> Fields(ModelRecord& model) {
  std::vector<FloatBinding> fields;
  Vec3f* rows[3] = {&model.offsetPosition, &model.offsetRotation, &model.offsetScale};
  for (int row = 0; row < 3; ++row)
    for (int axis = 0; axis < 3; ++axis)
      fields.push_back({kFirstFieldId + row * 3 + axis, &(*rows[row])[static_cast<std::size_t>(axis)]});
  return fields;
}

}  // namespace tessary::offsets
