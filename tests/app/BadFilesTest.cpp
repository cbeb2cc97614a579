// Files that are not what a reader expects: a pipe with no writer, a device, a folder and
// sparse files far longer than any reader takes. Each read returns at once, allocates
// nothing for them, and each operation gives its format's message with the scene unchanged.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/FileIO.h"
#include "image/TextureFile.h"
#include "light/LightFile.h"
#include "scene/Md3Loader.h"
#include "scene/ModelInfo.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

constexpr std::uint64_t kHugeSize = std::uint64_t{300} << 30;  // 300 GB, no blocks on disk

// A file of the given length whose first bytes are start and the rest a hole.
std::string SparseFile(const testing::TempFolder& dir, const std::string& name, std::uint64_t size,
                       const std::vector<std::uint8_t>& start = {}) {
  const std::string path = dir.Write(name, start);
  std::filesystem::resize_file(path, size);
  return path;
}

TEST(BadFiles, ReadsRefuseWhatIsNotARegularFileOrTooLongBeforeAllocating) {
  testing::TempFolder dir;
  const std::string pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // nobody ever writes: an ordinary open would wait for ever
  const std::string huge = SparseFile(dir, "huge", kHugeSize, {'L', 'G', 'T', '0'});
  const std::string small = dir.Write("small", {1, 2, 3, 4, 5});
  std::filesystem::create_directory(dir.path() / "folder");

  struct Case {
    std::string path;
    std::uint64_t limit;
    ReadFailure whole;           // ReadWholeFile
    std::size_t startBytes;      // bytes ReadFileStart gives (when it gives any)
  };
  const Case cases[] = {
      {pipe, 100, ReadFailure::CannotOpen, 0},
      {"/dev/zero", 100, ReadFailure::CannotOpen, 0},
      {dir / "folder", 100, ReadFailure::CannotOpen, 0},
      {dir / "missing", 100, ReadFailure::CannotOpen, 0},
      {huge, 4200, ReadFailure::TooLarge, 4200},
      {small, 4, ReadFailure::TooLarge, 4},  // one byte too many is too many
      {small, 5, ReadFailure::None, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path + " limit " + std::to_string(c.limit));
    ReadFailure why = ReadFailure::ReadError;
    const auto whole = ReadWholeFile(c.path, c.limit, &why);
    EXPECT_EQ(why, c.whole);
    EXPECT_EQ(whole.has_value(), c.whole == ReadFailure::None);
    const auto start = ReadFileStart(c.path, c.limit, &why);
    ASSERT_EQ(start.has_value(), c.whole != ReadFailure::CannotOpen);
    EXPECT_EQ(start.value_or(std::vector<std::uint8_t>{}).size(), c.startBytes);
  }
  EXPECT_EQ(ReadFileStart(huge, 6).value_or(std::vector<std::uint8_t>{}),
            (std::vector<std::uint8_t>{'L', 'G', 'T', '0', 0, 0}));
}

TEST(BadFiles, EachReaderGivesItsOwnMessageAndLeavesTheSceneAsItWas) {
  testing::TempFolder dir;
  const std::string pipe = dir / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directory(dir.path() / "folder");
  const std::string huge = SparseFile(dir, "huge.bin", kHugeSize);  // a dot: import takes the name as it is
  // A light file 3 GB long: the light at its start is all that is read of it.
  LightRecord stored;
  stored.name = "Lamp";
  stored.diffuse = {0.5f, 0.25f, 0.125f, 1.0f};
  const std::string longLight = SparseFile(dir, "long.lgt", std::uint64_t{3} << 30, EncodeLightFile(stored));

  const std::string openError = kLoadErrorMessage, notMd3 = kNotAnMd3Message, unreadable = kUnableToOpenLightMessage;
  struct Case {
    std::string path;
    std::string model;  // LoadModelFile and --info
    std::string image;  // LoadTextureFile ("" = silent)
    std::string light;  // ImportLight ("" = the light is added)
  };
  const Case cases[] = {
      {pipe, openError, "", unreadable},
      {"/dev/zero", openError, "", unreadable},
      {dir / "folder", openError, "", unreadable},
      {huge, notMd3, kNotRecognizedMessage, kNotALightFileMessage},
      {longLight, notMd3, kNotRecognizedMessage, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    testing::TestWorkspace t;
    t.scene.lights.push_back(std::make_unique<LightRecord>());
    t.scene.currentLight = 0;

    LoadModelFile(t.ws, c.path);
    EXPECT_EQ(t.desktop.messages, std::vector<std::string>{c.model});
    EXPECT_EQ(t.scene.ModelCount(), 0);
    std::ostringstream info;
    EXPECT_EQ(PrintModelInfo({c.path}, false, info), 1);
    EXPECT_EQ(info.str(), c.path + ": " + c.model + "\n");

    t.desktop.ClearRecords();
    EXPECT_EQ(LoadTextureFile(c.path, t.textures, t.desktop), nullptr);
    // Image messages name the file on a second line.
    EXPECT_EQ(t.desktop.messages, c.image.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.image + "\n" + c.path});

    t.desktop.ClearRecords();
    t.desktop.fileAnswers.push_back(FileChoice{c.path, 1});
    ImportLight(t.ws);
    EXPECT_EQ(t.desktop.messages, c.light.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.light});
    ASSERT_EQ(t.scene.LightCount(), c.light.empty() ? 2 : 1);
    if (c.light.empty()) {
      EXPECT_EQ(t.scene.lights[1]->name, "Lamp");
      EXPECT_EQ(t.scene.lights[1]->diffuse, stored.diffuse);
    }
    EXPECT_EQ(t.scene.currentLight, 0);
  }
}

// Memory that runs out inside a command (here, whenever the command asks for a file) ends
// the command with its own message; the viewer and its lights stay.
TEST(BadFiles, ACommandThatRunsOutOfMemoryEndsWithItsOwnMessage) {
  struct StarvedDesktop : testing::ScriptedDesktop {
    std::optional<FileChoice> ChooseFileToOpen(const std::string&, const std::string&) override { throw std::bad_alloc(); }
    std::optional<FileChoice> ChooseFileToSave(const std::string&, const std::string&) override { throw std::bad_alloc(); }
  };
  const std::pair<int, std::string> commands[] = {
      {cmd::kOpenModel, kLoadErrorMessage},
      {cmd::kLoadGlowMap, kNotRecognizedMessage},
      {cmd::kImportLight, kUnableToOpenLightMessage},
      {cmd::kExportLight, kUnableToCreateLightMessage},
      {cmd::kExportSkinBase, "Error Saving: 1"},
  };
  for (const auto& [id, message] : commands) {
    testing::TestWorkspace t;
    StarvedDesktop desktop;
    Workspace ws{t.scene, t.trackball, desktop, t.textures};
    t.scene.models.push_back(std::make_unique<ModelRecord>());
    t.scene.currentModel = 0;
    t.scene.lights.push_back(std::make_unique<LightRecord>());
    t.scene.currentLight = 0;
    EXPECT_TRUE(DispatchCommand(ws, id));
    EXPECT_EQ(desktop.messages, std::vector<std::string>{message}) << id;
    EXPECT_EQ(std::make_pair(t.scene.ModelCount(), t.scene.LightCount()), std::make_pair(1, 1)) << id;
  }
}

}  // namespace
}  // namespace tessary
