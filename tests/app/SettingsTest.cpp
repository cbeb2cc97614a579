// Remembered settings: the text form read back, the file in the XDG config folder written
// on every change and replaced when damaged, and --no-config touching no file at all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/FileIO.h"
#include "app/SettingsFile.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

std::string ReadText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("(none)");
}

TEST(Settings, EverySettingSurvivesTheFileAndRecentModelsKeepTheNewestEight) {
  testing::TempFolder home;
  const std::string path = home / "tessary/settings";  // the folder does not exist yet
  {
    SettingsFile file(path);
    EXPECT_EQ(file.Get(), Settings{});
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing is written before anything changes";
    file.SetBaseFolder("/games/q3 & co/baseq3");
    file.SetWindowPlace({-20, 35, 800, 600, true});
    file.NoteDialogChoice("Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*", false, "/models/a/b.md3");
    file.NoteDialogChoice("Light (*.lgt)|*.lgt", true, "/lights/key.lgt");
    for (int i = 1; i <= 10; ++i) file.AddRecentModel("/m/" + std::to_string(i) + ".md3");
    file.AddRecentModel("/m/5.md3");  // opened again: back on top, not twice
    file.AddRecentModel("/m/bad\nname.md3");  // cannot be stored on one line
    file.RemoveRecentModel("/m/9.md3");
  }
  const SettingsFile reread(path);
  const Settings& s = reread.Get();
  EXPECT_EQ(s.baseFolder, "/games/q3 & co/baseq3");
  EXPECT_EQ(s.window, (WindowPlace{-20, 35, 800, 600, true}));
  EXPECT_EQ(s.recentModels, (std::vector<std::string>{"/m/5.md3", "/m/10.md3", "/m/8.md3", "/m/7.md3",
                                                      "/m/6.md3", "/m/4.md3", "/m/3.md3"}));
  // Each kind of dialog has its own folder; opening and saving the same kind are apart.
  EXPECT_EQ(reread.DialogFolder("Quake3 Model (*.md3)|*.md3", false), "/models/a");
  EXPECT_EQ(reread.DialogFolder("Light (*.lgt)|*.lgt", true), "/lights");
  EXPECT_EQ(reread.DialogFolder("Light (*.lgt)|*.lgt", false), "");
}

TEST(Settings, ADamagedFileIsIgnoredAndReplaced) {
  using namespace std::string_literals;
  const std::string good = "tessary-settings=1\nbase=/q3\nwindow=1,2,300,200,0\n";
  ASSERT_TRUE(ParseSettings(good));
  EXPECT_TRUE(ParseSettings(good + "colour-scheme=dark\n")) << "a newer viewer's keys are passed over";
  const std::string damaged[] = {
      "",                                             // empty
      "base=/q3\n",                                   // no version line
      "tessary-settings=2\nbase=/q3\n",               // another version
      "tessary-settings=1\nbase /q3\n",               // not key=value
      "tessary-settings=1\nwindow=1,2,300\n",         // too few numbers
      "tessary-settings=1\nwindow=1,2,300,200,0,9\n", // too many
      "tessary-settings=1\nwindow=1,2,0,200,0\n",     // no width
      "tessary-settings=1\nwindow=1,2,300,200,2\n",   // not a flag
      "tessary-settings=1\nbase=/q\0 3\n"s,  // a NUL byte
  };
  testing::TempFolder home;
  for (const std::string& text : damaged) {
    EXPECT_FALSE(ParseSettings(text)) << text;
    home.Write("settings", std::vector<std::uint8_t>(text.begin(), text.end()));
    const SettingsFile file(home / "settings");
    EXPECT_EQ(file.Get(), Settings{}) << text;
    EXPECT_EQ(ReadText(home / "settings"), "tessary-settings=1\n") << "replaced: " << text;
  }
}

TEST(Settings, TheFileLivesInTheXdgConfigFolderAndNoConfigTouchesNothing) {
  EXPECT_EQ(SettingsFilePath("/cfg", "/home/u"), "/cfg/tessary/settings");
  EXPECT_EQ(SettingsFilePath(nullptr, "/home/u"), "/home/u/.config/tessary/settings");
  EXPECT_EQ(SettingsFilePath("relative", "/home/u"), "/home/u/.config/tessary/settings");
  EXPECT_EQ(SettingsFilePath(nullptr, nullptr), std::nullopt);

  testing::TempFolder config;
  const char* const previous = std::getenv("XDG_CONFIG_HOME");
  const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
  setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  const std::string stored = "tessary-settings=1\nbase=/q3\nrecent=/m/a.md3\n";
  config.Write("tessary/settings", std::vector<std::uint8_t>(stored.begin(), stored.end()));

  const auto none = SettingsFile::ForViewer(true);
  EXPECT_EQ(none->Get(), Settings{}) << "--no-config starts with nothing remembered";
  EXPECT_FALSE(none->Path());
  none->SetBaseFolder("/elsewhere");
  none->AddRecentModel("/m/b.md3");
  EXPECT_EQ(none->Get().recentModels, std::vector<std::string>{"/m/b.md3"}) << "kept for the run";
  EXPECT_EQ(ReadText(config / "tessary/settings"), stored) << "and never written";

  const auto viewer = SettingsFile::ForViewer(false);
  EXPECT_EQ(viewer->Path(), config / "tessary/settings");
  EXPECT_EQ(viewer->Get().baseFolder, "/q3");
  EXPECT_EQ(viewer->Get().recentModels, std::vector<std::string>{"/m/a.md3"});
  saved ? setenv("XDG_CONFIG_HOME", saved->c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tessary
