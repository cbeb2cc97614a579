// Speed of game content: indexing a base folder of 10 archives holding 20,000 files in all
// (target: under 100 ms), and finding the images of a 20-surface player part through skin,
// shader script and extension fallback (target: under 1 ms before decoding), then the same
// with its 20 images decoded and given texture objects.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/ConsoleDesktop.h"
#include "content/TextureLookup.h"
#include "scene/TextureResolution.h"
#include "testdata/ContentWriters.h"
#include "testdata/Md3Writer.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
constexpr int kArchives = 10, kFilesPerArchive = 2000, kSurfaces = 20;

// The folders are written once per run and removed when the program ends.
struct BenchFolders {
  fs::path root = fs::temp_directory_path() / ("tessary-bench-content-" + std::to_string(::getpid()));
  fs::path wide = root / "wide";  // 10 archives of 2,000 files
  fs::path player = root / "player";

  BenchFolders() {
    const testing::Bytes small = testing::BytesOf("a small file, much like a short shader script");
    for (int a = 0; a < kArchives; ++a) {
      std::vector<testing::ZipMember> members;
      for (int f = 0; f < kFilesPerArchive; ++f)
        members.push_back({"textures/set" + std::to_string(f % 50) + "/Image" + std::to_string(a) + "_" +
                               std::to_string(f) + ".jpg",
                           small});
      testing::WriteZip((wide / ("pak" + std::to_string(a) + ".pk3")).string(), members);
    }
    // A player part whose skin names .tga images stored as .jpg, half of them through a script.
    std::string skin, script;
    std::vector<testing::ZipMember> members;
    md3::File part;
    part.frames.resize(1);
    part.tags.resize(1);
    const testing::Bytes jpeg = testing::EncodeJpeg(64, 64, 3, testing::Bytes(64 * 64 * 3, 120));
    for (int s = 0; s < kSurfaces; ++s) {
      const std::string name = "u_part" + std::to_string(s), image = "models/players/bench/" + name;
      md3::Surface surface;
      surface.name = name;
      surface.shaders = {"nothing"};
      surface.st = {{0, 0}, {1, 0}, {0, 1}};
      surface.triangles = {{0, 1, 2}};
      surface.frames = {{{0, 0, 0, 0}, {64, 0, 0, 0}, {0, 64, 0, 0}}};
      part.surfaces.push_back(surface);
      skin += name + "," + image + ".tga\n";
      if (s % 2 == 0) script += image + "\n{\n { map $lightmap }\n { map " + image + "_skin.tga }\n}\n";
      members.push_back({image + (s % 2 == 0 ? "_skin.jpg" : ".jpg"), jpeg});
    }
    members.push_back({"models/players/bench/upper.md3", md3::Write(part)});
    members.push_back({"models/players/bench/upper_default.skin", testing::BytesOf(skin)});
    members.push_back({"scripts/bench.shader", testing::BytesOf(script)});
    testing::WriteZip((player / "pak0.pk3").string(), members);
  }
  ~BenchFolders() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

const BenchFolders& Folders() {
  static const BenchFolders folders;
  return folders;
}

void BM_IndexTenArchivesOf20000Files(benchmark::State& state) {
  const std::string wide = Folders().wide.string();
  for (auto _ : state) {
    auto files = GameFileSystem::Open(wide);
    if (!files || files->FileCount() != kArchives * kFilesPerArchive) state.SkipWithError("indexing failed");
    benchmark::DoNotOptimize(files);
  }
}
BENCHMARK(BM_IndexTenArchivesOf20000Files)->Unit(benchmark::kMillisecond);

// A scene with the player's folder as its base and the shader scripts already read.
struct PlayerScene {
  Scene scene;
  ContentFile model{"models/players/bench/upper.md3", true};
  std::vector<std::string> surfaces;
  PlayerScene() {
    UseBaseFolder(scene, Folders().player.string());
    scene.gameFiles.Shaders();
    for (int s = 0; s < kSurfaces; ++s) surfaces.push_back("u_part" + std::to_string(s));
  }
};

void BM_FindImagesOf20SurfacePart(benchmark::State& state) {
  PlayerScene player;
  for (auto _ : state) {
    const auto skin = FindModelSkin(player.scene, player.model, kDefaultSkin, nullptr);
    int found = 0;
    for (const std::string& surface : player.surfaces)
      found += FindSurfaceImage(player.scene, skin ? &*skin : nullptr, surface, "nothing").has_value();
    if (found != kSurfaces) state.SkipWithError("an image was not found");
  }
}
BENCHMARK(BM_FindImagesOf20SurfacePart)->Unit(benchmark::kMicrosecond);

void BM_TexturePlayerPartWith20Decodes(benchmark::State& state) {
  PlayerScene player;
  TrackballState trackball;
  std::ostringstream messages;
  ConsoleDesktop desktop(messages);
  NullTextureDevice textures;
  Workspace ws{player.scene, trackball, desktop, textures};
  std::vector<std::unique_ptr<ModelRecord>> records;
  std::vector<ModelRecord*> pointers;
  for (const std::string& surface : player.surfaces) {
    records.push_back(std::make_unique<ModelRecord>());
    records.back()->name = surface;
    records.back()->sourceFile = player.model.path;
    records.back()->sourceInGame = true;
    pointers.push_back(records.back().get());
  }
  for (auto _ : state) TextureRecords(ws, pointers, kDefaultSkin);
  if (!messages.str().empty() || records.back()->textureMap == nullptr) state.SkipWithError("texturing failed");
}
BENCHMARK(BM_TexturePlayerPartWith20Decodes)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessary
