// The --info summary as JSON lines: exact lines for a file that loads, with odd bytes in
// its names escaped, and for files that do not, which make the run fail.
#include <gtest/gtest.h>

#include <sstream>

#include "scene/Md3Fixtures.h"
#include "scene/ModelInfo.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

TEST(ModelInfoTest, JsonGivesOneExactLinePerFileAndFailsWhenAnyFileDoesNotLoad) {
  testing::TempFolder folder;
  md3::File file = testing::SmallFile();
  file.surfaces[0].shaders = {"sk\"ins\\\x01\xff\xc3\xa9.tga"};
  // The triangle surface gets a fourth vertex equal to its first: welded, it has three.
  file.surfaces[1].st.push_back({0.0f, 0.0f});
  file.surfaces[1].frames[0].push_back(testing::V(0, 0, 0));
  file.surfaces[1].frames[1].push_back(testing::V(0, 0, 64));
  const std::string good = folder.Write("good.md3", md3::Write(file));
  const std::string broken = folder.Write("broken.md3", {'I', 'D', 'P', '3', 0, 0});
  const std::string missing = folder / "missing.md3";
  const std::string goodLine =
      "{\"file\": \"" + good + "\", \"frames\": 2, \"tags\": [\"tag_head\", \"tag_weapon\"], \"records\": ["
      "{\"name\": \"u_torso\", \"vertices\": 4, \"triangles\": 2, \"frames\": 2, "
      "\"shader\": \"sk\\\"ins\\\\\\u0001\\u00ff\xc3\xa9.tga\", \"texture\": null}, "
      "{\"name\": \"u_arm\", \"vertices\": 3, \"triangles\": 1, \"frames\": 2, \"shader\": \"\", \"texture\": null}], "
      "\"skin\": null}\n";
  std::ostringstream out;
  EXPECT_EQ(PrintModelInfo({good}, true, out), 0);
  EXPECT_EQ(out.str(), goodLine);
  std::ostringstream mixed;
  EXPECT_EQ(PrintModelInfo({broken, good, missing}, true, mixed), 1);
  EXPECT_EQ(mixed.str(), "{\"file\": \"" + broken + "\", \"error\": \"This is not a MD3!\"}\n" + goodLine +
                             "{\"file\": \"" + missing +
                             "\", \"error\": \"There was an error loading the specified file!\"}\n");
}

}  // namespace
}  // namespace tessary
