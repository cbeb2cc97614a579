// Reading skin files and shader scripts: what each line or block yields, with the quirks of
// the game's own files (commas or blanks, quotes, comments, tag lines, level-of-detail
// surface names, "$" and "*" images, animMap frames, damaged braces).
#include <gtest/gtest.h>

#include <optional>

#include "content/ShaderScript.h"
#include "content/SkinFile.h"

namespace tessary {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(SkinFile, LinesGiveSurfaceAndShaderAndSurfacesFindTheirEntry) {
  const std::string text =
      "// made by hand\r\n"
      "tag_head,\n"
      "H_Head,models/players/visor/Head.tga\r\n"
      "  \"h_visor\" \"models/players/visor/visor glass.tga\"  // quoted, with blanks\n"
      "\n"
      "u_torso models/players/visor/body.tga,extra\n"
      "l_legs,\n"
      "h_head,models/players/visor/second.tga\n";
  const auto skin = ParseSkin(text);
  Pairs entries;
  for (const SkinEntry& e : skin) entries.push_back({e.surface, e.shader});
  EXPECT_EQ(entries, (Pairs{{"h_head", "models/players/visor/Head.tga"}, {"h_visor", "models/players/visor/visor glass.tga"},
                            {"u_torso", "models/players/visor/body.tga"}, {"l_legs", ""},
                            {"h_head", "models/players/visor/second.tga"}}));
  const std::pair<const char*, std::optional<std::string>> lookups[] = {
      {"h_head", "models/players/visor/Head.tga"},     // the first of two lines wins
      {"u_torso_1", "models/players/visor/body.tga"},  // level of detail 1 of u_torso
      {"H_VISOR_2", "models/players/visor/visor glass.tga"},
      {"u_torsox", std::nullopt}, {"tag_head", std::nullopt},
      {"_1", std::nullopt},  // too short to be a copy of anything
  };
  for (const auto& [surface, shader] : lookups) {
    const SkinEntry* entry = FindSkinEntry(skin, surface);
    EXPECT_EQ(entry ? std::optional<std::string>(entry->shader) : std::nullopt, shader) << surface;
  }
}

TEST(ShaderScript, EachShaderGivesTheImageOfItsFirstStageThatDrawsARealFile) {
  const std::string script =
      "// items\n"
      "models/items/Box\n"
      "{\n"
      "  surfaceparm nolightmap /* a { brace in a comment */\n"
      "  { map $lightmap\n    rgbGen identity }\n"
      "  {\n    clampMap models/items/box_skin.tga\n    blendFunc GL_DST_COLOR GL_ZERO\n  }\n"
      "  { map models/items/second.tga }\n"
      "}\n"
      "textures/anim { { animMap 10 textures/anim1.tga textures/anim2.tga } }\n"
      "textures/white { { map *white } { map $whiteimage } }\n"
      "textures/noparam { { map\n models/elsewhere.tga } }\n"
      "\"textures/quoted.tga\" { { MAP \"textures/q.tga\" } }\n"
      "textures/unclosed { { map textures/u.tga }\n";
  Pairs shaders;
  for (const ShaderDefinition& s : ParseShaderScript(script)) shaders.push_back({s.name, s.image});
  EXPECT_EQ(shaders, (Pairs{{"models/items/Box", "models/items/box_skin.tga"},
                            {"textures/anim", "textures/anim1.tga"},
                            {"textures/white", ""},
                            {"textures/noparam", ""},  // the image must be on the keyword's line
                            {"textures/quoted.tga", "textures/q.tga"},
                            {"textures/unclosed", "textures/u.tga"}}));

  // Looked up without extension and case; within a script the first definition counts, a
  // later script replaces it.
  ShaderIndex index;
  index.AddScript(ParseShaderScript(script + "models/items/box { { map first/again.tga } }"));
  index.AddScript(ParseShaderScript("textures/anim { { map later.jpg } }"));
  const std::pair<const char*, std::optional<std::string>> images[] = {
      {"MODELS\\ITEMS\\BOX.TGA", "models/items/box_skin.tga"}, {"textures/anim", "later.jpg"},
      {"textures/quoted", "textures/q.tga"}, {"textures/white.jpg", ""}, {"models/items", std::nullopt}};
  for (const auto& [name, image] : images) {
    const std::string* found = index.ImageFor(name);
    EXPECT_EQ(found ? std::optional<std::string>(*found) : std::nullopt, image) << name;
  }
}

}  // namespace
}  // namespace tessary
