// Exchange of the dialogs' number fields: which field edits which value, the order in
// which fields are checked, and that a bad field writes nothing.
#include <gtest/gtest.h>

#include <map>

#include "light/LightPropertiesForm.h"
#include "link/ModelOffsetsForm.h"
#include "ui/BackgroundColorForm.h"
#include "ui/FieldExchange.h"

namespace tessary {
namespace {

using Texts = std::map<int, std::string>;

// Answers a field's text from a map, noting the order in which fields were read.
struct TextSource {
  Texts texts;
  std::vector<int> readOrder;
  std::string operator()(int id) {
    readOrder.push_back(id);
    return texts.at(id);
  }
};

std::optional<int> Store(const std::vector<FloatBinding>& fields, TextSource& source) {
  return StoreFieldTexts(fields, [&](int id) { return source(id); });
}

TEST(FieldExchange, LightFieldsAreReadInTheirExchangeOrderAndTouchNothingElse) {
  LightRecord light;
  light.name = "Key";
  light.position[3] = 1.0f;
  light.constantAttenuation = 0.5f;
  light.enabled = 0;
  TextSource source;
  for (int id : {1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015})
    source.texts[id] = std::to_string(id - 1000);

  EXPECT_EQ(Store(lightprops::NumberFields(light), source), std::nullopt);
  EXPECT_EQ(source.readOrder, (std::vector<int>{1009, 1008, 1007, 1012, 1011, 1010, 1004, 1005, 1006, 1000, 1001,
                                                1002, 1015, 1014, 1013}));
  EXPECT_EQ(light.position, (std::array<float, 4>{0, 1, 2, 1}));
  EXPECT_EQ(light.direction, (std::array<float, 4>{4, 5, 6, 0}));
  EXPECT_EQ(light.ambient, (std::array<float, 4>{7, 8, 9, 1}));
  EXPECT_EQ(light.diffuse, (std::array<float, 4>{10, 11, 12, 1}));
  EXPECT_EQ(light.specular, (std::array<float, 4>{13, 14, 15, 1}));
  EXPECT_EQ(light.constantAttenuation, 0.5f);
  EXPECT_EQ(light.spotCutoff, 180.0f);
  EXPECT_EQ(light.enabled, 0);
  EXPECT_EQ(light.name, "Key");
}

TEST(FieldExchange, ABadFieldWritesNothingAndTheFirstOneInOrderIsReported) {
  LightRecord light;
  const LightRecord before = light;
  TextSource source;
  for (int id : {1000, 1001, 1002, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015})
    source.texts[id] = "3";
  // Ambient red (1007) and specular blue (1015) are both bad; red is read first.
  source.texts[1007] = "red";
  source.texts[1015] = "1,5";
  EXPECT_EQ(Store(lightprops::NumberFields(light), source), 1007);
  // Fields read before the bad one were good, yet none of them was written.
  EXPECT_EQ(light.ambient, before.ambient);
  EXPECT_EQ(light.position, before.position);
  EXPECT_EQ(light.specular, before.specular);
}

TEST(FieldExchange, OffsetFieldsRunRowByRow) {
  ModelRecord model;
  TextSource source;
  for (int id = 1010; id <= 1018; ++id) source.texts[id] = std::to_string(id - 1000);
  EXPECT_EQ(Store(offsets::Fields(model), source), std::nullopt);
  EXPECT_EQ(source.readOrder, (std::vector<int>{1010, 1011, 1012, 1013, 1014, 1015, 1016, 1017, 1018}));
  EXPECT_EQ(model.offsetPosition, (Vec3f{10, 11, 12}));
  EXPECT_EQ(model.offsetRotation, (Vec3f{13, 14, 15}));
  EXPECT_EQ(model.offsetScale, (Vec3f{16, 17, 18}));

  ModelRecord fresh;
  const Texts shown = FieldTexts(offsets::Fields(fresh));
  EXPECT_EQ(shown.at(1010), "0");
  EXPECT_EQ(shown.at(1015), "0");
  EXPECT_EQ(shown.at(1016), "1");
  EXPECT_EQ(shown.at(1018), "1");

  source.texts[1018] = "";  // an emptied field is not a number either
  EXPECT_EQ(Store(offsets::Fields(model), source), 1018);
}

TEST(FieldExchange, BackgroundFieldsReadRedGreenBlueFromLeftToRight) {
  std::array<float, 3> rgb{0.0f, 0.0f, 0.0f};
  TextSource source;
  source.texts = {{1003, "2"}, {1002, "0.5"}, {1001, "-1"}};
  EXPECT_EQ(Store(background::Fields(rgb), source), std::nullopt);
  EXPECT_EQ(source.readOrder, (std::vector<int>{1001, 1002, 1003}));
  EXPECT_EQ(rgb, (std::array<float, 3>{2.0f, 0.5f, -1.0f}));
  // Shown again as typed.
  EXPECT_EQ(FieldTexts(background::Fields(rgb)), (Texts{{1003, "2"}, {1002, "0.5"}, {1001, "-1"}}));
}

}  // namespace
}  // namespace tessary
