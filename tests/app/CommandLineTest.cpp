#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace tessary {
namespace {

TEST(CommandLine, ViewerTakesBaseFolderAndFilesInOrder) {
  auto cl = ParseCommandLine({"a.md3", "--base", "/games/baseq3", "b.md3"});
  ASSERT_EQ(cl.error, "");
  EXPECT_EQ(cl.mode, CommandLine::Mode::Viewer);
  ASSERT_TRUE(cl.baseFolder.has_value());
  EXPECT_EQ(*cl.baseFolder, "/games/baseq3");
  EXPECT_EQ(cl.files, (std::vector<std::string>{"a.md3", "b.md3"}));
}

TEST(CommandLine, TheViewerCanStartWithALight) {
  auto cl = ParseCommandLine({"--light", "m.md3"});
  EXPECT_EQ(cl.error, "");
  EXPECT_EQ(cl.mode, CommandLine::Mode::Viewer);
  EXPECT_TRUE(cl.light);
}

TEST(CommandLine, NoArgumentsIsThePlainViewer) {
  auto cl = ParseCommandLine({});
  EXPECT_EQ(cl.error, "");
  EXPECT_EQ(cl.mode, CommandLine::Mode::Viewer);
  EXPECT_FALSE(cl.baseFolder.has_value());
  EXPECT_TRUE(cl.files.empty());
}

TEST(CommandLine, RenderOptions) {
  auto cl = ParseCommandLine({"--render", "out.png", "--size", "64x48", "--frame", "-3", "--light", "--fit", "m.md3"});
  ASSERT_EQ(cl.error, "");
  EXPECT_EQ(cl.mode, CommandLine::Mode::Render);
  EXPECT_EQ(cl.output, "out.png");
  EXPECT_EQ(cl.width, 64);
  EXPECT_EQ(cl.height, 48);
  EXPECT_EQ(cl.frame, -3);
  EXPECT_TRUE(cl.light);
  EXPECT_TRUE(cl.fit);
  EXPECT_EQ(cl.files, std::vector<std::string>{"m.md3"});
}

TEST(CommandLine, RefusesWhatItCannotRead) {
  EXPECT_NE(ParseCommandLine({"--render"}).error, "");                       // missing value
  EXPECT_NE(ParseCommandLine({"--render", "o.png"}).error, "");              // no files
  EXPECT_NE(ParseCommandLine({"--render", "o.png", "--size", "0x5", "m"}).error, "");
  EXPECT_NE(ParseCommandLine({"--render", "o.png", "--size", "12", "m"}).error, "");
  EXPECT_NE(ParseCommandLine({"--render", "o.png", "--frame", "x", "m"}).error, "");
  EXPECT_NE(ParseCommandLine({"--info", "--render", "o.png", "m"}).error, "");
  EXPECT_NE(ParseCommandLine({"--json", "m"}).error, "");                    // --json without --info
  EXPECT_NE(ParseCommandLine({"--fit", "m"}).error, "");                     // render option alone
  EXPECT_NE(ParseCommandLine({"--info", "--light", "m"}).error, "");
  EXPECT_NE(ParseCommandLine({"--frobnicate"}).error, "");
}

TEST(CommandLine, DoubleDashEndsOptions) {
  auto cl = ParseCommandLine({"--info", "--", "--odd-name.md3"});
  ASSERT_EQ(cl.error, "");
  EXPECT_EQ(cl.files, std::vector<std::string>{"--odd-name.md3"});
}

TEST(CommandLine, HelpWinsOverEverythingElse) {
  EXPECT_EQ(ParseCommandLine({"x.md3", "--help"}).mode, CommandLine::Mode::Help);
  EXPECT_EQ(ParseCommandLine({"--help", "--frobnicate"}).mode, CommandLine::Mode::Help);
}

}  // namespace
}  // namespace tessary
