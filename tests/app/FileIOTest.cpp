// Whole-file reads and writes: a write replaces the old file only once the new one is
// complete, and a failed write names its cause and leaves everything as it was.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "app/FileIO.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FileIO, WritesReplaceWholeFilesAndFailuresTouchNothing) {
  testing::TempFolder dir;
  dir.Write("out.bmp", Bytes(100, 'o'));
  ASSERT_EQ(WriteFileReplacing(dir / "out.bmp", Bytes{'n', 0, 0xFF, '\r', '\n'}), 0);
  EXPECT_EQ(ReadWholeFile(dir / "out.bmp"), (Bytes{'n', 0, 0xFF, '\r', '\n'}));
  dir.Write("plain", {'x'});
  std::filesystem::create_directory(dir.path() / "taken");
  EXPECT_EQ(WriteFileReplacing(dir / "no-such-folder/x.lgt", Bytes{1}), 2);
  EXPECT_EQ(WriteFileReplacing(dir / "plain/x.lgt", Bytes{1}), 3);
  EXPECT_EQ(WriteFileReplacing(dir / "taken", Bytes{1}), 5);
  EXPECT_EQ(ReadWholeFile(dir / "plain"), Bytes{'x'});
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken"));
  // No temporary file is left behind, after success or failure.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
  EXPECT_FALSE(ReadWholeFile(dir / "missing").has_value());
  EXPECT_FALSE(ReadWholeFile(dir / "taken").has_value());
  const std::pair<int, int> causes[] = {{EMFILE, 4}, {ENFILE, 4}, {EACCES, 5}, {EROFS, 5}, {ENOSPC, 13}, {EIO, 1}};
  for (auto [error, cause] : causes) EXPECT_EQ(FileErrorCause(error), cause) << error;
}

}  // namespace
}  // namespace tessary
