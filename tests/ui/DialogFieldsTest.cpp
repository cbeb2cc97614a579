// The number fields of the dialogs without their windows: which value each field edits, and
// which field a refusal points at.
#include <gtest/gtest.h>

#include "light/LightPropertiesForm.h"
#include "link/ModelOffsetsForm.h"
#include "ui/BackgroundColorForm.h"

namespace tessary {
namespace {

// Every field given the text "<id - base>.5": the values each dialog's fields land in show
// which field edits what.
std::optional<int> StoreNumbered(const std::vector<FloatBinding>& fields, int base, int bad1 = 0, int bad2 = 0) {
  return StoreFieldTexts(fields, [&](int id) {
    return id == bad1 || id == bad2 ? std::string("x") : std::to_string(id - base) + ".5";
  });
}

TEST(DialogFields, EachFieldEditsItsOwnValueAndTheFirstBadFieldInExchangeOrderIsRefused) {
  // Light Properties: rows position, direction (1004..), ambient, diffuse, specular; x to z
  // and red to blue left to right; w and alpha are not on the dialog.
  LightRecord light;
  EXPECT_EQ(lightprops::NumberFields(light).size(), 15u);
  EXPECT_EQ(FieldTexts(lightprops::NumberFields(light)).at(1004), "-1");
  EXPECT_EQ(StoreNumbered(lightprops::NumberFields(light), 1000), std::nullopt);
  using Four = std::array<float, 4>;
  EXPECT_EQ(light.position, (Four{0.5f, 1.5f, 2.5f, 0}));
  EXPECT_EQ(light.direction, (Four{4.5f, 5.5f, 6.5f, 0}));
  EXPECT_EQ(light.ambient, (Four{7.5f, 8.5f, 9.5f, 1}));
  EXPECT_EQ(light.diffuse, (Four{10.5f, 11.5f, 12.5f, 1}));
  EXPECT_EQ(light.specular, (Four{13.5f, 14.5f, 15.5f, 1}));
  // Ambient blue is exchanged before position x; nothing is written when any field is bad.
  EXPECT_EQ(StoreNumbered(lightprops::NumberFields(light), 900, 1000, 1009), 1009);
  EXPECT_EQ(light.position[0], 0.5f);

  // Model Offsets: rows position, rotation, scale from 1010, exchanged in id order.
  ModelRecord model;
  EXPECT_EQ(StoreNumbered(offsets::Fields(model), 1000), std::nullopt);
  EXPECT_EQ(std::make_tuple(model.offsetPosition, model.offsetRotation, model.offsetScale),
            std::make_tuple(Vec3f{10.5f, 11.5f, 12.5f}, Vec3f{13.5f, 14.5f, 15.5f}, Vec3f{16.5f, 17.5f, 18.5f}));
  EXPECT_EQ(StoreNumbered(offsets::Fields(model), 1000, 1018, 1011), 1011);

  // Background Color: red is 1003, green 1002, blue 1001, exchanged blue first.
  std::array<float, 3> colour{};
  EXPECT_EQ(StoreNumbered(background::Fields(colour), 1000), std::nullopt);
  EXPECT_EQ(colour, (std::array<float, 3>{3.5f, 2.5f, 1.5f}));
  EXPECT_EQ(StoreNumbered(background::Fields(colour), 1000, 1003, 1001), 1001);
}

}  // namespace
}  // namespace tessary
