// Reading the command line into a CommandLine.
#include "app/CommandLine.h"

#include "anim/AnimationConfig.h"
#include "app/FloatText.h"

namespace tessary {

const char* UsageText() {
  return "Usage:\n"
         "  tessary [--base DIR] [--skin NAME] [--light] [--link] [--fit] [--play]\n"
         "          [--anim LEGS_SEQ,TORSO_SEQ] [--no-config] [FILE.md3 ...]\n"
         "      Open the viewer, with the files loaded in order. DIR is the game folder\n"
         "      (or a single .pk3) that model and texture names are looked up in: a FILE\n"
         "      that is not on disk is taken from there (models/players/x/lower.md3).\n"
         "      --skin picks the skin of every model (\"default\" unless given).\n"
         "      --light adds one light above and in front of you and shines it on\n"
         "      every model given.\n"
         "      --link hangs each file on an earlier one by the first tag they share,\n"
         "      or else as a player's parts hang (give the parts in the order they hang:\n"
         "      lower.md3 upper.md3 head.md3); with an animation.cfg beside lower.md3 the\n"
         "      player stands in LEGS_IDLE and TORSO_STAND, or in the sequences --anim\n"
         "      names. --fit starts with the view zoomed and centred on the models.\n"
         "      --play starts the animations playing. --no-config neither reads nor\n"
         "      stores the remembered folders, window place and recent models.\n"
         "  tessary --player NAME [--skin SKIN] [--weapon W] [--anim LEGS_SEQ,TORSO_SEQ]\n"
         "          [--base DIR] [--play] [--render OUT.png [--time SECONDS] | --info]\n"
         "      Open the player models/players/NAME/ of the game folder DIR, assembled,\n"
         "      lit, framed and standing (or in the sequences --anim names), with the\n"
         "      weapon models/weapons2/W/W.md3 in its hand; in the viewer, or drawn by\n"
         "      --render (posed --time seconds into its sequences), or described by --info.\n"
         "  tessary --info [--json] [--base DIR] [--skin NAME] FILE.md3 ...\n"
         "      Print each file's frame count, tags and surfaces; no window is opened.\n"
         "      --json also gives the image each surface shows and the skin used.\n"
         "  tessary --render OUT.png [--size WxH] [--frame N | --time SECONDS]\n"
         "          [--light] [--link] [--anim LEGS_SEQ,TORSO_SEQ] [--fit] [--base DIR]\n"
         "          [--skin NAME] FILE.md3 ...\n"
         "      Draw one frame offscreen and save it as a PNG (default size 512x384).\n"
         "      --time poses every model that many seconds into its sequence.\n"
         "  tessary --export-skinbase OUT.bmp [--base DIR] FILE.md3 ...\n"
         "      Write the texture layout of the models as a 256x256 BMP.\n"
         "  tessary --thumbnail IN.md3 OUT.png SIZE\n"
         "      Draw a lit, framed preview of the model, SIZE pixels square, on a\n"
         "      transparent background; textures are looked up in the game folder the\n"
         "      model lies in.\n"
         "  tessary --help\n"
         "      Show this text.\n";
}

namespace {

bool ParseSize(const std::string& text, int& w, int& h) {
  auto x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  return ParseWholeNumber(text.substr(0, x), w) && ParseWholeNumber(text.substr(x + 1), h) && w > 0 && h > 0 &&
         w <= 16384 && h <= 16384;
}

bool ParseSeconds(const std::string& text, double& seconds) { return ParseFiniteNumber(text, seconds) && seconds >= 0.0; }

// "LEGS_SEQ,TORSO_SEQ": a sequence the legs play and one the torso plays.
bool ParseSequences(const std::string& text, int& legs, int& torso) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return false;
  const auto l = AnimationByName(std::string_view(text).substr(0, comma));
  const auto t = AnimationByName(std::string_view(text).substr(comma + 1));
  if (!l || !t || !LegsPlay(*l) || !TorsoPlays(*t)) return false;
  legs = *l;
  torso = *t;
  return true;
}

void SetMode(CommandLine& cl, CommandLine::Mode mode, const std::string& flag) {
  if (cl.mode != CommandLine::Mode::Viewer && cl.mode != mode && cl.error.empty())
    cl.error = "option " + flag + " cannot be combined with another mode";
  cl.mode = mode;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  bool renderOnly = false;  // an option that only --render takes was given
  for (std::size_t i = 0; i < args.size() && cl.error.empty(); ++i) {
    const std::string& a = args[i];
    auto next = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        cl.error = "option " + a + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    std::string value;
    if (a == "--help" || a == "-h") {
      SetMode(cl, CommandLine::Mode::Help, a);
    } else if (a == "--base") {
      if (next(value)) cl.baseFolder = value;
    } else if (a == "--skin") {
      if (next(value) && value.empty()) cl.error = "--skin needs a skin name, for example red";
      if (!value.empty()) cl.skin = value;
    } else if (a == "--info") {
      SetMode(cl, CommandLine::Mode::Info, a);
    } else if (a == "--json") {
      cl.json = true;
    } else if (a == "--render") {
      SetMode(cl, CommandLine::Mode::Render, a);
      next(cl.output);
    } else if (a == "--export-skinbase") {
      SetMode(cl, CommandLine::Mode::ExportSkinBase, a);
      next(cl.output);
    } else if (a == "--thumbnail") {
      SetMode(cl, CommandLine::Mode::Thumbnail, a);
      if (next(value)) cl.files.push_back(value);
      if (cl.error.empty()) next(cl.output);
      if (cl.error.empty() && next(value) && (!ParseWholeNumber(value, cl.width) || cl.width < 1 || cl.width > 4096))
        cl.error = "--thumbnail needs a size from 1 to 4096";
      cl.height = cl.width;
    } else if (a == "--no-config") {
      cl.noConfig = true;
    } else if (a == "--size") {
      renderOnly = true;
      if (next(value) && !ParseSize(value, cl.width, cl.height))
        cl.error = "--size needs WIDTHxHEIGHT, for example 640x480";
    } else if (a == "--frame") {
      renderOnly = true;
      cl.frameGiven = true;
      if (next(value) && !ParseWholeNumber(value, cl.frame)) cl.error = "--frame needs a whole number";
    } else if (a == "--time") {
      renderOnly = true;
      double seconds = 0.0;
      if (next(value) && !ParseSeconds(value, seconds)) cl.error = "--time needs a number of seconds, 0 or more";
      cl.time = seconds;
    } else if (a == "--anim") {
      if (next(value) && !ParseSequences(value, cl.legsSequence, cl.torsoSequence))
        cl.error = "--anim needs LEGS_SEQ,TORSO_SEQ, for example LEGS_RUN,TORSO_ATTACK";
    } else if (a == "--player" || a == "--weapon") {
      if (next(value) && value.empty()) cl.error = a + " needs a name";
      (a == "--player" ? cl.player : cl.weapon) = value;
    } else if (a == "--play") {
      cl.play = true;
    } else if (a == "--light") {
      cl.light = true;
    } else if (a == "--link") {
      cl.link = true;
    } else if (a == "--fit") {
      cl.fit = true;
    } else if (a == "--") {
      for (++i; i < args.size(); ++i) cl.files.push_back(args[i]);
    } else if (a.size() > 1 && a[0] == '-') {
      cl.error = "unknown option " + a;
    } else {
      cl.files.push_back(a);
    }
  }
  if (!cl.error.empty() || cl.mode == CommandLine::Mode::Help) return cl;
  if (cl.json && cl.mode != CommandLine::Mode::Info) cl.error = "--json goes with --info";
  else if (renderOnly && cl.mode != CommandLine::Mode::Render)
    cl.error = "--size, --frame and --time go with --render";
  else if (cl.frameGiven && (cl.time || cl.legsSequence >= 0))
    cl.error = "--frame cannot be combined with --time or --anim";
  else if (!cl.player.empty() && !cl.files.empty())
    cl.error = "--player opens a player's own files; give no model files with it";
  else if (!cl.player.empty() && cl.mode != CommandLine::Mode::Viewer && cl.mode != CommandLine::Mode::Render &&
           cl.mode != CommandLine::Mode::Info)
    cl.error = "--player goes with the viewer, --render or --info";
  else if (!cl.weapon.empty() && cl.player.empty())
    cl.error = "--weapon goes with --player";
  else if (cl.legsSequence >= 0 && !cl.link && cl.player.empty())
    cl.error = "--anim goes with --link or --player";
  else if (cl.play && cl.mode != CommandLine::Mode::Viewer)
    cl.error = "--play goes with the viewer";
  else if ((cl.light || cl.link || cl.fit) && cl.mode != CommandLine::Mode::Render &&
           cl.mode != CommandLine::Mode::Viewer)
    cl.error = "--light, --link and --fit go with the viewer or --render";
  else if (cl.mode != CommandLine::Mode::Viewer && cl.files.empty() && cl.player.empty())
    cl.error = "no model files given";
  else if (cl.mode == CommandLine::Mode::Thumbnail && cl.files.size() != 1)
    cl.error = "--thumbnail draws one model";
  return cl;
}

}  // namespace tessary
