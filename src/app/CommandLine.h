// The command line: which mode to run in and its arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessary {

struct CommandLine {
  enum class Mode { Viewer, Help, Info, Render, ExportSkinBase, Thumbnail };
  Mode mode = Mode::Viewer;
  std::optional<std::string> baseFolder;  // a game folder or a single .pk3
  std::string skin = "default";           // --skin NAME: the skin of every model given
  std::vector<std::string> files;
  std::string player;                // --player NAME: a player of the base folder (viewer, --render, --info)
  std::string weapon;                // --weapon W: in the player's hand
  bool json = false;                 // --info --json
  std::string output;                // --render OUT.png, --export-skinbase OUT.bmp, --thumbnail
  int width = 512, height = 384;     // --size WxH; --thumbnail's SIZE in both
  int frame = 0;                     // --frame N
  bool frameGiven = false;           // --frame was given (it then wins over a player's pose)
  bool light = false;                // --light (viewer and --render)
  bool link = false;                 // --link (viewer and --render)
  bool fit = false;                  // --fit (viewer and --render)
  bool play = false;                 // --play (viewer)
  int legsSequence = -1;             // --anim LEGS_SEQ,TORSO_SEQ (with --link or --player):
  int torsoSequence = -1;            //   AnimationNumbers, -1 when not given
  std::optional<double> time;        // --time SECONDS (--render)
  bool noConfig = false;             // --no-config: no settings are read or written
  std::string error;                 // non-empty when the arguments could not be read
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);
const char* UsageText();

}  // namespace tessary
