// Writes the seed corpora of the fuzz targets with the same writers the tests use: valid
// files of every kind the readers accept, plus the edge cases the readers special-case.
//   MakeSeeds fuzz/corpus
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "light/LightFile.h"
#include "testdata/ContentWriters.h"
#include "testdata/ImageWriters.h"
#include "testdata/Md3Writer.h"

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Save(const fs::path& dir, const std::string& name, const Bytes& bytes) {
  fs::create_directories(dir);
  std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
}

tessary::md3::Surface Quad(const std::string& name, int frames, bool duplicate) {
  using namespace tessary::md3;
  Surface s;
  s.name = name;
  s.shaders = {"models/seed/" + name + ".tga", "second.pcx"};
  s.st = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
  s.triangles = {{0, 1, 2}, {0, 2, 3}, {4, 1, 2}};
  for (int f = 0; f < frames; ++f) {
    const auto d = static_cast<std::int16_t>(64 * f);
    std::vector<Vertex> v = {{0, 0, d}, {64, 0, d}, {64, 64, d}, {0, 64, d}, {0, 0, d}};
    if (!duplicate) v[4].z = static_cast<std::int16_t>(d + 1);
    s.frames.push_back(v);
  }
  return s;
}

tessary::md3::File Model(int frames, int tags, int surfaces) {
  using namespace tessary::md3;
  File file;
  for (int f = 0; f < frames; ++f) {
    std::vector<Tag> frameTags;
    for (int t = 0; t < tags; ++t) {
      Tag tag;
      tag.name = t == 0 ? "tag_torso" : "tag_head_long_name";
      tag.origin = {static_cast<float>(t), 0.5f * static_cast<float>(f), 2.0f};
      frameTags.push_back(tag);
    }
    file.tags.push_back(frameTags);
  }
  for (int s = 0; s < surfaces; ++s) file.surfaces.push_back(Quad("part" + std::to_string(s), frames, s == 0));
  for (int f = 0; f < frames; ++f) file.frames.push_back(BoundsOf(file, static_cast<std::size_t>(f)));
  return file;
}

void Md3Seeds(const fs::path& dir) {
  using namespace tessary::md3;
  Save(dir, "one-surface", Write(Model(1, 1, 1)));
  Save(dir, "two-surfaces-two-frames", Write(Model(2, 2, 2)));
  Save(dir, "no-surfaces", Write(Model(3, 1, 0)));
  File damaged = Model(2, 1, 2);
  damaged.surfaces[1].ident = "IDPX";
  Save(dir, "damaged-second-surface", Write(damaged));
  File version = Model(1, 0, 1);
  version.version = 1000;
  Save(dir, "version-1000", Write(version));
  File noFrames = Model(1, 1, 1);
  noFrames.numFrames = 0;
  Save(dir, "no-frames", Write(noFrames));
}

void ImageSeeds(const fs::path& dir) {
  using namespace tessary::testing;
  PcxImage pcx;
  pcx.width = 5;
  pcx.height = 3;
  pcx.indices = {1, 1, 1, 1, 200, 2, 2, 3, 3, 3, 0, 0, 0, 0, 255};
  for (int i = 0; i < 256; ++i) pcx.palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), 7, 200};
  Save(dir, "pcx-runs", WritePcx(pcx));
  pcx.bytesPerLine = 6;
  pcx.runsCrossLines = true;
  Save(dir, "pcx-padded-lines", WritePcx(pcx));

  BmpImage bmp8;
  bmp8.width = 3;
  bmp8.height = 2;
  bmp8.bitCount = 8;
  bmp8.data = {0, 1, 2, 2, 1, 0};
  bmp8.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  bmp8.coloursUsed = 3;
  Save(dir, "bmp-8bit", WriteBmp(bmp8));
  bmp8.palette.resize(256);
  bmp8.coloursUsed = 0;
  bmp8.infoHeaderSize = 108;
  Save(dir, "bmp-8bit-v4-header", WriteBmp(bmp8));
  BmpImage bmp24;
  bmp24.width = 5;
  bmp24.height = 3;
  for (int i = 0; i < 15; ++i)
    bmp24.data.insert(bmp24.data.end(), {static_cast<std::uint8_t>(i * 17), 128, static_cast<std::uint8_t>(255 - i)});
  Save(dir, "bmp-24bit-padded", WriteBmp(bmp24));

  TgaImage tga;
  tga.width = 4;
  tga.height = 3;
  tga.pixels = {0xFF0000, 0xFF0000, 0xFF0000, 0x00FF00, 0x00FF00, 0x0000FF, 0x0000FF, 0x0000FF,
                0x123456, 0x123456, 0x654321, 0xABCDEF};
  Save(dir, "tga-2-24", WriteTga(tga));
  tga.imageType = 10;
  tga.descriptor = 0;
  Save(dir, "tga-10-24-bottom-up", WriteTga(tga));
  tga.depth = 32;
  tga.id = {'s', 'e', 'e', 'd'};
  tga.colourMapType = 1;
  tga.colourMapLength = 2;
  tga.colourMapEntryBits = 24;
  Save(dir, "tga-10-32-id-colourmap", WriteTga(tga));
  TgaImage tga16;
  tga16.width = 2;
  tga16.height = 2;
  tga16.depth = 16;
  tga16.pixels = {0x7FFF, 0x8000, 0x001F, 0x03E0};
  Save(dir, "tga-2-16", WriteTga(tga16));

  Bytes rgb;
  for (int i = 0; i < 16 * 16; ++i) rgb.insert(rgb.end(), {static_cast<std::uint8_t>(i), 90, static_cast<std::uint8_t>(255 - i)});
  Save(dir, "jpeg-baseline-colour", EncodeJpeg(16, 16, 3, rgb));
  Save(dir, "jpeg-progressive-grey", EncodeJpeg(8, 8, 1, Bytes(64, 77), true));
  Save(dir, "jpeg-cmyk", EncodeJpeg(8, 8, 4, Bytes(256, 200)));
  Save(dir, "png-palette-2bit-transparent", EncodePng({5, 2, 2, 3, {{0x1B, 0x40}, {0xE4, 0x00}}, {255, 0, 0, 0, 255, 0, 0, 0, 255, 9, 9, 9}, {0, 128}}));
  Save(dir, "png-rgba-16bit", EncodePng({2, 1, 16, 6, {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}}, {}, {}}));
  Save(dir, "png-grey-alpha", EncodePng({2, 2, 8, 4, {{10, 255, 20, 0}, {30, 128, 40, 64}}, {}, {}}));
}

void ScriptSeeds(const fs::path& dir) {
  const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
  Save(dir, "skin", text("tag_head,\nh_head,models/players/x/head.tga\r\n\"h_visor\" \"a b.tga\" // note\nu_torso_1 x\n"));
  Save(dir, "shader", text("models/items/box\n{\n  surfaceparm nolightmap /* c */\n  { map $lightmap }\n"
                           "  { clampMap models/items/box.tga\n    blendFunc add }\n}\n"
                           "textures/anim { { animMap 5 a.tga b.tga } } \"q.tga\" { { MAP *white } }\n"));
  Save(dir, "shader-unbalanced", text("} { a { { map x.tga } stray\nname { { animmap\n"));
}

void LightSeeds(const fs::path& dir) {
  tessary::LightRecord light;
  Save(dir, "default", tessary::EncodeLightFile(light));
  light.name = "";
  light.spotCutoff = 45.0f;
  light.position = {0, 0, 1, 1};
  Save(dir, "empty-name", tessary::EncodeLightFile(light));
  light.name = std::string(300, 'L');
  Save(dir, "long-name", tessary::EncodeLightFile(light));
}

void SettingsSeeds(const fs::path& dir) {
  tessary::Settings settings;
  settings.baseFolder = "/games/quake3/baseq3";
  settings.folders = {{"open-md3", "/models"}, {"save-png", "/pictures"}};
  settings.window = tessary::WindowPlace{-8, 30, 1024, 700, true};
  for (int i = 0; i < 8; ++i) settings.recentModels.push_back("/models/part" + std::to_string(i) + ".md3");
  const std::string text = tessary::FormatSettings(settings);
  Save(dir, "full", Bytes(text.begin(), text.end()));
  const std::string empty = tessary::FormatSettings({});
  Save(dir, "empty", Bytes(empty.begin(), empty.end()));
}

}  // namespace

// animation.cfg texts: every keyword, a sequence split over lines, backwards and looping
// sequences, team sequences present and absent, and files cut short.
void AnimationConfigSeeds(const fs::path& dir) {
  std::string lines;
  for (int i = 0; i < 25; ++i)
    lines += std::to_string(i * 7) + (i % 5 == 1 ? " -6 6 " : " 6 0 ") + (i % 7 == 3 ? "0" : "15") + "  // seq\n";
  const std::string header = "sex f\nfootsteps boot\nheadoffset 0 1.5 -2\nfixedlegs\nfixedtorso\n/* note\n */\n";
  const std::pair<const char*, std::string> seeds[] = {
      {"required", header + lines},
      {"team", header + lines + "200 4 4 10\n204 2 0 20\n"},
      {"split", "sex m\r\n" + lines.substr(0, 20) + "\n\n" + lines.substr(20)},
      {"short", header + lines.substr(0, lines.size() / 2)},
  };
  for (const auto& [name, text] : seeds) Save(dir, name, Bytes(text.begin(), text.end()));
}

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: MakeSeeds CORPUS_FOLDER\n");
    return 2;
  }
  const fs::path root = argv[1];
  Md3Seeds(root / "md3");
  ImageSeeds(root / "image");
  LightSeeds(root / "light");
  AnimationConfigSeeds(root / "animcfg");
  SettingsSeeds(root / "settings");
  ScriptSeeds(root / "scripts");
  return 0;
}
