#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/FileIO.h"

namespace fs = std::filesystem;

namespace tessary {
namespace {

class FileIOTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tessary-fileio-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  fs::path dir;
};

TEST_F(FileIOTest, ReadsBytesExactlyAndRefusesWhatIsNotAFile) {
  const std::string content("ab\0\xff\r\n", 6);
  std::ofstream(dir / "f.bin", std::ios::binary) << content;
  auto bytes = ReadWholeFile((dir / "f.bin").string());
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), content);
  EXPECT_FALSE(ReadWholeFile((dir / "missing").string()).has_value());
  EXPECT_FALSE(ReadWholeFile(dir.string()).has_value());
}

TEST_F(FileIOTest, ReplacesAnExistingFileAndLeavesNoTemporaryBehind) {
  std::ofstream(dir / "out.bmp") << "old content that is longer than the new";
  const std::vector<std::uint8_t> bytes{'n', 'e', 'w'};
  ASSERT_EQ(WriteFileReplacing((dir / "out.bmp").string(), bytes), 0);
  EXPECT_EQ(Slurp(dir / "out.bmp"), "new");
  int entries = 0;
  for ([[maybe_unused]] auto& e : fs::directory_iterator(dir)) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST_F(FileIOTest, FailedWritesReportTheCauseAndTouchNothing) {
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  EXPECT_EQ(WriteFileReplacing((dir / "no-such-folder" / "x.lgt").string(), bytes), 2);
  fs::create_directory(dir / "taken");
  EXPECT_EQ(WriteFileReplacing((dir / "taken").string(), bytes), 5);
  EXPECT_TRUE(fs::is_directory(dir / "taken"));
  std::ofstream(dir / "plain") << "x";
  EXPECT_EQ(WriteFileReplacing((dir / "plain" / "x.lgt").string(), bytes), 3);
  EXPECT_EQ(Slurp(dir / "plain"), "x");
}

TEST(FileErrorCause, MapsErrnoToTheUsersCauseCodes) {
  EXPECT_EQ(FileErrorCause(ENOENT), 2);
  EXPECT_EQ(FileErrorCause(ENOTDIR), 3);
  EXPECT_EQ(FileErrorCause(EMFILE), 4);
  EXPECT_EQ(FileErrorCause(ENFILE), 4);
  EXPECT_EQ(FileErrorCause(EACCES), 5);
  EXPECT_EQ(FileErrorCause(EROFS), 5);
  EXPECT_EQ(FileErrorCause(ENOSPC), 13);
  EXPECT_EQ(FileErrorCause(EIO), 1);
}

}  // namespace
}  // namespace tessary
