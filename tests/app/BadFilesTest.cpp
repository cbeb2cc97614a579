// Files that are not what a reader expects (a pipe with no writer, a device, a folder,
// sparse files far longer than any reader takes) are refused at once, before anything is
// allocated, each with its format's message and the scene unchanged; and a command that
// runs out of memory ends with its own message.
#include <gtest/gtest.h>

#include <sys/stat.h>

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

using Bytes = std::vector<std::uint8_t>;

TEST(BadFiles, EachReaderRefusesWhatIsNoRegularFileOrTooLongWithItsOwnMessage) {
  testing::TempFolder dir;
  const std::string pipe = dir / "pipe", folder = dir / "folder";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);  // nobody writes: a plain open would wait for ever
  std::filesystem::create_directory(folder);
  // Sparse: 300 GB and 3 GB long without a block on disk; the second starts with a light.
  LightRecord stored;
  stored.name = "Lamp";
  const std::string huge = dir.Write("huge.bin", {}), longLight = dir.Write("long.lgt", EncodeLightFile(stored));
  std::filesystem::resize_file(huge, std::uint64_t{300} << 30);
  std::filesystem::resize_file(longLight, std::uint64_t{3} << 30);

  ReadFailure why = ReadFailure::None;
  EXPECT_FALSE(ReadWholeFile(huge, 4200, &why));
  EXPECT_EQ(why, ReadFailure::TooLarge);
  EXPECT_EQ(ReadFileStart(huge, 4200).value_or(Bytes{}).size(), 4200u) << "a prefix, read no further";
  EXPECT_EQ(ReadWholeFile(dir.Write("five", Bytes(5, 1)), 5).value_or(Bytes{}).size(), 5u) << "the limit itself is allowed";

  const std::string openError = kLoadErrorMessage, notMd3 = kNotAnMd3Message;
  const struct {
    std::string path, model, image, light;  // messages of the model, image and light readers
  } cases[] = {
      {pipe, openError, "", kUnableToOpenLightMessage},
      {"/dev/zero", openError, "", kUnableToOpenLightMessage},
      {folder, openError, "", kUnableToOpenLightMessage},
      {huge, notMd3, kNotRecognizedMessage, kNotALightFileMessage},
      {longLight, notMd3, kNotRecognizedMessage, ""},  // the light at its start is imported
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    testing::TestWorkspace t;
    LoadModelFile(t.ws, c.path);
    std::ostringstream info;
    EXPECT_EQ(PrintModelInfo({c.path}, false, info), 1);
    EXPECT_EQ(info.str(), c.path + ": " + c.model + "\n");
    EXPECT_EQ(LoadTextureFile(c.path, t.textures, t.desktop), nullptr);
    t.desktop.fileAnswers.push_back(FileChoice{c.path, 1});
    ImportLight(t.ws);
    std::vector<std::string> expected{c.model};
    if (!c.image.empty()) expected.push_back(c.image + "\n" + c.path);  // naming the file
    if (!c.light.empty()) expected.push_back(c.light);
    EXPECT_EQ(t.desktop.messages, expected);
    EXPECT_EQ(t.scene.ModelCount(), 0);
    ASSERT_EQ(t.scene.LightCount(), c.light.empty() ? 1 : 0);
    EXPECT_TRUE(!c.light.empty() || t.scene.lights[0]->name == "Lamp");
  }
}

TEST(BadFiles, ACommandThatRunsOutOfMemoryEndsWithItsOwnMessage) {
  struct StarvedDesktop : testing::ScriptedDesktop {  // memory runs out as the command asks for a file
    std::optional<FileChoice> ChooseFileToOpen(const std::string&, const std::string&) override { throw std::bad_alloc(); }
    std::optional<FileChoice> ChooseFileToSave(const std::string&, const std::string&) override { throw std::bad_alloc(); }
  };
  const std::pair<int, std::string> commands[] = {
      {cmd::kOpenModel, kLoadErrorMessage},           {cmd::kLoadGlowMap, kNotRecognizedMessage},
      {cmd::kImportLight, kUnableToOpenLightMessage}, {cmd::kExportLight, kUnableToCreateLightMessage},
      {cmd::kExportSkinBase, "Error Saving: 1"}};
  for (const auto& [id, message] : commands) {
    testing::TestWorkspace t;
    StarvedDesktop desktop;
    Workspace ws{t.scene, t.trackball, desktop, t.textures};
    t.scene.models.push_back(std::make_unique<ModelRecord>());
    t.scene.lights.push_back(std::make_unique<LightRecord>());
    t.scene.currentModel = t.scene.currentLight = 0;
    EXPECT_TRUE(DispatchCommand(ws, id));
    EXPECT_EQ(desktop.messages, std::vector<std::string>{message}) << id;
    EXPECT_EQ(std::make_pair(t.scene.ModelCount(), t.scene.LightCount()), std::make_pair(1, 1)) << id;
  }
}

}  // namespace
}  // namespace tessary
