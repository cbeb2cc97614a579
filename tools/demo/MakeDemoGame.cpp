// Writes a folder laid out and packed like a game's base folder, to try the viewer's game
// content look-up and its players on data made entirely by this project:
//   pak0.pk3  the demo figure as the player "corvane", models/players/corvane/
//             {lower,upper,head}.md3 with its animation.cfg, whose surfaces name a shader
//             that does not exist; its skins (<part>_default.skin) name .tga images that
//             the archive holds as .jpg, and a "red" skin names tinted PNGs under red/;
//             and the same figure as the player "slate", whose parts share no tag (they
//             hang by their origins, as the game hangs them) and whose head lives in the
//             shared heads folder, models/players/heads/slate/slate.md3, with its skin
//             head_default.skin beside it
//   pak1.pk3  a weapon, models/weapons2/blaster/blaster.md3, whose shader names its image
//             without any extension (blaster.jpg), hanging from tag_weapon, with its
//             barrel blaster_barrel.md3 on the weapon's tag_barrel
//   pak2.pk3  an item, models/powerups/crate/crate.md3, whose shader is defined in
//             scripts/crate.shader (a $lightmap stage, then crate_skin.tga, stored as .png)
// Usage: tessary_make_demo_game FOLDER
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CorvaneFigure.h"
#include "CorvaneTextures.h"
#include "MeshBuilder.h"
#include "image/ImageDecoder.h"
#include "testdata/ContentWriters.h"

namespace {

using namespace tessary;
using testing::Bytes;

constexpr const char* kPlayer = "models/players/corvane/";

// RGB samples of an image, optionally tinted.
Bytes Samples(const ImageRGBA& image, double r = 1.0, double g = 1.0, double b = 1.0) {
  Bytes rgb;
  for (std::size_t i = 0; i + 3 < image.pixels.size(); i += 4)
    for (auto [value, k] : {std::pair{image.pixels[i], r}, {image.pixels[i + 1], g}, {image.pixels[i + 2], b}})
      rgb.push_back(static_cast<std::uint8_t>(std::min(255.0, value * k)));
  return rgb;
}

Bytes PngOf(int width, int height, const Bytes& rgb) {
  testing::PngImage png{width, height, 8, 2, {}, {}, {}};
  for (int y = 0; y < height; ++y)
    png.rows.emplace_back(rgb.begin() + y * width * 3, rgb.begin() + (y + 1) * width * 3);
  return testing::EncodePng(png);
}

// A 64 x 64 picture painted by a function of (x, y).
template <typename Paint>
Bytes Painted(Paint paint) {
  Bytes rgb;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const auto [r, g, b] = paint(x, y);
      rgb.insert(rgb.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)});
    }
  return rgb;
}

// One part of a player: the model at folder/part.md3 and its skins beside it (skinFolder
// when given). The default skin's images are JPEG files under the .tga names the skin
// gives; with a tint the player wears tinted PNG images instead, and without one it also
// has a "red" skin.
struct PlayerLook {
  std::string folder;  // "models/players/NAME/"
  std::array<double, 3> tint{1.0, 1.0, 1.0};
  bool red = true;
};

void AddPlayerPart(std::vector<testing::ZipMember>& pak, const PlayerLook& look, const std::string& part,
                   md3::File file, const Bytes& picture, const std::string& modelPath = "",
                   const std::string& skinFolder = "") {
  const ImageRGBA image = *DecodeImage(picture).image;
  const std::string skins = skinFolder.empty() ? look.folder : skinFolder;
  std::string skin = "tag_torso,\ntag_head,\ntag_weapon,\n", red;
  for (md3::Surface& surface : file.surfaces) {
    surface.shaders = {look.folder + "missing_shader"};
    skin += surface.name + "," + look.folder + part + ".tga\n";
    red += surface.name + "," + look.folder + "red/" + part + ".tga\n";
  }
  pak.push_back({modelPath.empty() ? look.folder + part + ".md3" : modelPath, md3::Write(file)});
  pak.push_back({skins + part + "_default.skin", testing::BytesOf(skin)});
  const auto [r, g, b] = look.tint;
  if (r == 1.0 && g == 1.0 && b == 1.0)
    pak.push_back({look.folder + part + ".jpg", testing::EncodeJpeg(image.width, image.height, 3, Samples(image))});
  else
    pak.push_back({look.folder + part + ".png", PngOf(image.width, image.height, Samples(image, r, g, b))});
  if (!look.red) return;
  pak.push_back({skins + part + "_red.skin", testing::BytesOf(red)});
  pak.push_back({look.folder + "red/" + part + ".png", PngOf(image.width, image.height, Samples(image, 1.6, 0.5, 0.5))});
}

// The file without the named tag, in every frame.
md3::File WithoutTag(md3::File file, const std::string& name) {
  for (auto& frame : file.tags)
    frame.erase(std::remove_if(frame.begin(), frame.end(), [&](const md3::Tag& t) { return t.name == name; }),
                frame.end());
  return file;
}

md3::File SingleFrame(md3::Surface surface, const std::vector<std::string>& tags) {
  md3::File file;
  file.surfaces = {std::move(surface)};
  std::vector<md3::Tag> frameTags;
  for (const std::string& tag : tags) frameTags.push_back(demo::TagFromPose(tag, demo::Pose{}));
  file.tags = {frameTags};
  file.frames = {md3::BoundsOf(file, 0)};
  return file;
}

// The blaster's body, with the barrel's place at its front and the muzzle further on.
md3::File Blaster() {
  using namespace demo;
  SurfaceBuilder b("w_blaster", "models/weapons2/blaster/blaster", 1);
  b.AddBox({-2.0, -1.0, -3.0}, {7.0, 1.0, 1.5}, {0.0f, 0.0f, 1.0f, 0.5f}, [](int) { return Pose{}; });
  md3::File file = SingleFrame(b.Build(), {"tag_weapon"});
  file.tags[0].push_back(TagFromPose("tag_barrel", Pose{{}, {7.0, 0, 0.5}}));
  file.tags[0].push_back(TagFromPose("tag_flash", Pose{{}, {17.5, 0, 0.5}}));
  return file;
}

// The barrel, a tube pointing forward from its origin.
md3::File BlasterBarrel() {
  using namespace demo;
  SurfaceBuilder b("w_barrel", "models/weapons2/blaster/blaster", 1);
  b.AddLathe({{0, 0, 0}, {0, 0.9, 0.9}, {-9, 0.9, 0.9}, {-10, 1.2, 1.2}, {-10.5, 0, 0}}, 10, {0.0f, 0.5f, 1.0f, 1.0f},
             [](int) { return Pose{Pitch(90), {}}; });
  return SingleFrame(b.Build(), {});
}

md3::File Crate() {
  using namespace demo;
  SurfaceBuilder b("crate", "models/powerups/crate/crate_shell", 1);
  b.AddBox({-7, 22, -26}, {7, 36, -12}, {0, 0, 1, 1}, [](int) { return Pose{}; });
  return SingleFrame(b.Build(), {});
}

bool Write(const std::filesystem::path& path, const std::vector<testing::ZipMember>& members) {
  try {
    testing::WriteZip(path.string(), members);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return false;
  }
  std::printf("%4zu files  %s\n", members.size(), path.string().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tessary_make_demo_game FOLDER\n");
    return 2;
  }
  const std::filesystem::path base = argv[1];
  std::vector<testing::ZipMember> players, weapons, items;
  const PlayerLook corvane{"models/players/corvane/"};
  AddPlayerPart(players, corvane, "lower", demo::MakeLower(), demo::MakeLowerPcx());
  AddPlayerPart(players, corvane, "upper", demo::MakeUpper(), demo::MakeUpperBmp());
  AddPlayerPart(players, corvane, "head", demo::MakeHead(), demo::MakeHeadTga());
  players.push_back({corvane.folder + "animation.cfg", testing::BytesOf(demo::MakeAnimationConfig())});

  const PlayerLook slate{"models/players/slate/", {0.55, 0.7, 0.95}, false};
  const std::string slateHead = "models/players/heads/slate/";
  AddPlayerPart(players, slate, "lower", demo::MakeLower(), demo::MakeLowerPcx());
  AddPlayerPart(players, slate, "upper", WithoutTag(demo::MakeUpper(), "tag_torso"), demo::MakeUpperBmp());
  AddPlayerPart(players, slate, "head", WithoutTag(demo::MakeHead(), "tag_head"), demo::MakeHeadTga(),
                slateHead + "slate.md3", slateHead);
  players.push_back({slate.folder + "animation.cfg", testing::BytesOf(demo::MakeAnimationConfig())});

  weapons.push_back({"models/weapons2/blaster/blaster.md3", md3::Write(Blaster())});
  weapons.push_back({"models/weapons2/blaster/blaster_barrel.md3", md3::Write(BlasterBarrel())});
  weapons.push_back({"models/weapons2/blaster/blaster.jpg",
                     testing::EncodeJpeg(64, 64, 3, Painted([](int x, int y) {
                       const bool stripe = (x / 8 + y / 8) % 2 == 0;
                       return std::tuple{stripe ? 70 : 200, stripe ? 80 : 200, stripe ? 90 : 210};
                     }))});
  items.push_back({"models/powerups/crate/crate.md3", md3::Write(Crate())});
  items.push_back({"scripts/crate.shader",
                   testing::BytesOf("models/powerups/crate/crate_shell\n{\n\t{\n\t\tmap $lightmap\n\t}\n"
                                    "\t{\n\t\tmap models/powerups/crate/crate_skin.tga\n\t\tblendFunc filter\n\t}\n}\n")});
  items.push_back({"models/powerups/crate/crate_skin.png", PngOf(64, 64, Painted([](int x, int y) {
                     const bool edge = x < 4 || y < 4 || x > 59 || y > 59 || std::abs(x - y) < 3 || std::abs(x + y - 63) < 3;
                     return edge ? std::tuple{60, 40, 20} : std::tuple{190, 140, 70};
                   }))});
  const bool ok = Write(base / "pak0.pk3", players) && Write(base / "pak1.pk3", weapons) && Write(base / "pak2.pk3", items);
  return ok ? 0 : 1;
}
