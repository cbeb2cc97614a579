// The --info summary: exact JSON lines for a generated file and for files that do not
// load, JSON string escaping of arbitrary bytes, and the aligned table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "scene/Md3Fixtures.h"
#include "scene/ModelInfo.h"

namespace fs = std::filesystem;

namespace tessary {
namespace {

class ModelInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tessary-info-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  fs::path dir;
};

TEST_F(ModelInfoTest, JsonGivesOneExactLinePerFileAndFailsWhenAnyFileDoesNotLoad) {
  md3::File file = testing::SmallFile();
  // The quad's four vertices are distinct; the triangle surface welds 4 file vertices to 3.
  file.surfaces[1].st.push_back({0.0f, 0.0f});
  file.surfaces[1].frames[0].push_back(testing::V(0, 0, 0));
  file.surfaces[1].frames[1].push_back(testing::V(0, 0, 64));
  const std::string good = Put("good.md3", md3::Write(file));
  const std::string broken = Put("broken.md3", {'I', 'D', 'P', '3', 0, 0});
  const std::string missing = (dir / "missing.md3").string();

  std::ostringstream out;
  EXPECT_EQ(PrintModelInfo({good}, true, out), 0);
  EXPECT_EQ(out.str(), "{\"file\": \"" + good +
                           "\", \"frames\": 2, \"tags\": [\"tag_head\", \"tag_weapon\"], \"records\": ["
                           "{\"name\": \"u_torso\", \"vertices\": 4, \"triangles\": 2, \"frames\": 2, "
                           "\"shader\": \"models/corvane/upper.bmp\"}, "
                           "{\"name\": \"u_arm\", \"vertices\": 3, \"triangles\": 1, \"frames\": 2, \"shader\": \"\"}]}\n");

  std::ostringstream mixed;
  EXPECT_EQ(PrintModelInfo({broken, good, missing}, true, mixed), 1);
  std::istringstream lines(mixed.str());
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "{\"file\": \"" + broken + "\", \"error\": \"This is not a MD3!\"}");
  std::getline(lines, line);
  EXPECT_EQ(line + "\n", out.str());
  std::getline(lines, line);
  EXPECT_EQ(line, "{\"file\": \"" + missing + "\", \"error\": \"There was an error loading the specified file!\"}");
  EXPECT_FALSE(std::getline(lines, line));
}

TEST_F(ModelInfoTest, AFileWithoutSurfacesListsItsDummyAndNoTagsGiveAnEmptyList) {
  const std::string path = Put("dummy.md3", md3::Write(testing::FileWith({}, 3)));
  std::ostringstream out;
  EXPECT_EQ(PrintModelInfo({path}, true, out), 0);
  EXPECT_EQ(out.str(), "{\"file\": \"" + path +
                           "\", \"frames\": 3, \"tags\": [], \"records\": [{\"name\": \"Dummy\", \"vertices\": 3, "
                           "\"triangles\": 1, \"frames\": 3, \"shader\": \"\"}]}\n");
}

TEST(JsonStringTest, EscapesQuotesBackslashesAndControlsAndKeepsOnlyValidUtf8) {
  EXPECT_EQ(JsonString(""), "\"\"");
  EXPECT_EQ(JsonString("a\"b\\c/d"), "\"a\\\"b\\\\c/d\"");
  EXPECT_EQ(JsonString(std::string("\n\r\t\b\f\x01\x1f\x7f", 8)), "\"\\n\\r\\t\\b\\f\\u0001\\u001f\x7f\"");
  EXPECT_EQ(JsonString(std::string("nul\0end", 7)), "\"nul\\u0000end\"");
  // Valid sequences of two, three and four bytes pass through.
  EXPECT_EQ(JsonString("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\"");
  // A lone high byte, a cut sequence, an overlong '/', a surrogate and a value past U+10FFFF
  // are written byte by byte as \u00XX.
  EXPECT_EQ(JsonString("\xff"), "\"\\u00ff\"");
  EXPECT_EQ(JsonString("\xe2\x82"), "\"\\u00e2\\u0082\"");
  EXPECT_EQ(JsonString("\xc0\xaf"), "\"\\u00c0\\u00af\"");
  EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\\u00ed\\u00a0\\u0080\"");
  EXPECT_EQ(JsonString("\xf4\x90\x80\x80"), "\"\\u00f4\\u0090\\u0080\\u0080\"");
  // A valid sequence right after an invalid byte is still recognised.
  EXPECT_EQ(JsonString("\xc3\xc3\xa9"), "\"\\u00c3\xc3\xa9\"");
}

TEST_F(ModelInfoTest, NamesWithOddBytesComeOutAsValidJson) {
  md3::File file = testing::FileWith({testing::QuadSurface("sur\"face\x01", 1, {"skins\\x\xff.tga"})}, 1, {"t\xc3\xa9g\tname"});
  const std::string path = Put("odd \"name\".md3", md3::Write(file));
  std::ostringstream out;
  PrintModelInfo({path}, true, out);
  const std::string escapedPath = (dir / "odd \\\"name\\\".md3").string();
  EXPECT_EQ(out.str(), "{\"file\": \"" + escapedPath +
                           "\", \"frames\": 1, \"tags\": [\"t\xc3\xa9g\\tname\"], \"records\": [{\"name\": "
                           "\"sur\\\"face\\u0001\", \"vertices\": 4, \"triangles\": 2, \"frames\": 1, \"shader\": "
                           "\"skins\\\\x\\u00ff.tga\"}]}\n");
}

TEST_F(ModelInfoTest, TheTableListsEveryRecordWithItsCountsRightAligned) {
  md3::File file = testing::SmallFile();
  file.surfaces[0].name = "a_rather_long_surface_name";
  const std::string path = Put("table.md3", md3::Write(file));
  std::ostringstream out;
  EXPECT_EQ(PrintModelInfo({path, (dir / "none.md3").string()}, false, out), 1);
  std::istringstream in(out.str());
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], path);
  EXPECT_EQ(lines[1], "  frames: 2");
  EXPECT_EQ(lines[2], "  tags:   tag_head tag_weapon");
  const std::string& header = lines[3];
  const std::string& first = lines[4];
  const std::string& second = lines[5];
  EXPECT_EQ(first.rfind("  a_rather_long_surface_name", 0), 0u);
  EXPECT_EQ(second.rfind("  u_arm ", 0), 0u);
  // Each count ends in the same column as its heading.
  for (const std::string heading : {"vertices", "triangles", "frames"}) {
    const std::size_t end = header.find(heading) + heading.size();
    ASSERT_NE(header.find(heading), std::string::npos);
    EXPECT_NE(first[end - 1], ' ') << heading;
    EXPECT_EQ(first[end], ' ') << heading;
    EXPECT_NE(second[end - 1], ' ') << heading;
    EXPECT_EQ(second[end], ' ') << heading;
  }
  EXPECT_EQ(first.substr(header.find("vertices")), "       4          2       2  models/corvane/upper.bmp");
  EXPECT_EQ(second.substr(header.find("vertices")), "       3          1       2  -");
  EXPECT_EQ(lines[6], "");
  EXPECT_EQ(lines[7], (dir / "none.md3").string() + ": There was an error loading the specified file!");
}

}  // namespace
}  // namespace tessary
