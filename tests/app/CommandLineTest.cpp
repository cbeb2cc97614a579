// What the program takes from outside: the command line (the viewer with its files, the
// headless modes, what is refused), and whole-file reads and writes, where a write replaces
// the old file only once the new one is complete and a failure names its cause.
#include <gtest/gtest.h>

#include <cerrno>

#include "app/CommandLine.h"
#include "app/FileIO.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

// What a command line comes to, in one line: "help" and "error" first, as the program
// checks them, else the mode, the files and every setting.
std::string Parsed(const std::vector<std::string>& args) {
  const CommandLine cl = ParseCommandLine(args);
  if (cl.mode == CommandLine::Mode::Help) return "help";
  if (!cl.error.empty()) return "error";
  const char* const modes[] = {"viewer", "help", "info", "render", "skinbase", "thumbnail"};
  std::string text = modes[static_cast<int>(cl.mode)];
  for (const std::string& file : cl.files) text += " " + file;
  if (cl.baseFolder) text += " base=" + *cl.baseFolder;
  if (cl.skin != "default") text += " skin=" + cl.skin;
  if (!cl.output.empty()) text += " out=" + cl.output;
  text += " " + std::to_string(cl.width) + "x" + std::to_string(cl.height) + " frame=" + std::to_string(cl.frame);
  return text + (cl.json ? " json" : "") + (cl.light ? " light" : "") + (cl.link ? " link" : "") +
         (cl.fit ? " fit" : "") + (cl.noConfig ? " no-config" : "");
}

TEST(CommandLine, ReadsTheViewerAndTheHeadlessModes) {
  EXPECT_EQ(Parsed({}), "viewer 512x384 frame=0");
  EXPECT_EQ(Parsed({"a.md3", "--base", "/q3/baseq3", "--light", "b.md3", "--link", "--fit"}),
            "viewer a.md3 b.md3 base=/q3/baseq3 512x384 frame=0 light link fit");
  EXPECT_EQ(Parsed({"--render", "out.png", "--size", "64x48", "--frame", "-3", "--link", "--fit", "m.md3"}),
            "render m.md3 out=out.png 64x48 frame=-3 link fit");
  EXPECT_EQ(Parsed({"--info", "--json", "--", "--odd-name.md3"}), "info --odd-name.md3 512x384 frame=0 json");
  EXPECT_EQ(Parsed({"--base", "pak0.pk3", "--skin", "red", "--info", "models/x/lower.md3"}),
            "info models/x/lower.md3 base=pak0.pk3 skin=red 512x384 frame=0");
  EXPECT_EQ(Parsed({"--export-skinbase", "s.bmp", "m.md3"}), "skinbase m.md3 out=s.bmp 512x384 frame=0");
  EXPECT_EQ(Parsed({"--thumbnail", "in.md3", "out.png", "128"}), "thumbnail in.md3 out=out.png 128x128 frame=0");
  EXPECT_EQ(Parsed({"--no-config", "a.md3"}), "viewer a.md3 512x384 frame=0 no-config");
  EXPECT_EQ(Parsed({"x.md3", "--help"}), "help");
  EXPECT_EQ(Parsed({"--help", "--frobnicate"}), "help");
}

TEST(CommandLine, RefusesWhatItCannotRead) {
  const std::vector<std::vector<std::string>> refused = {
      {"--render"},                                 // a missing value
      {"--render", "o.png"},                        // no files
      {"--render", "o.png", "--size", "0x5", "m"},  // an empty picture
      {"--render", "o.png", "--frame", "x", "m"},   // no number
      {"--info", "--render", "o.png", "m"},         // two modes
      {"--json", "m"},                              // --json without --info
      {"--frame", "2", "m"},                        // a render option without --render
      {"--export-skinbase", "s.bmp", "--link", "m"},  // --link without a picture
      {"--thumbnail", "in.md3", "out.png"},          // no size
      {"--thumbnail", "in.md3", "out.png", "4097"},  // too large
      {"--thumbnail", "a.md3", "o.png", "64", "b.md3"},  // two models
      {"--skin", "", "m"},                           // an empty skin name
      {"--frobnicate"}};
  for (const auto& args : refused) EXPECT_EQ(Parsed(args), "error") << args[0] << " ... (" << args.size() << ")";
}

TEST(FileIO, WritesReplaceWholeFilesAndFailuresTouchNothing) {
  using Bytes = std::vector<std::uint8_t>;
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
  const std::pair<int, int> causes[] = {{EMFILE, 4}, {ENFILE, 4}, {EACCES, 5}, {EROFS, 5}, {ENOSPC, 13}, {EIO, 1}};
  for (auto [error, cause] : causes) EXPECT_EQ(FileErrorCause(error), cause) << error;
}

}  // namespace
}  // namespace tessary
