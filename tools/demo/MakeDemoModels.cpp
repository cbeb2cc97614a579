// Writes the demo figure into a folder laid out like a game's data folder:
//   FOLDER/models/corvane/{lower,upper,head}.md3, their three textures and animation.cfg.
// Usage: tessary_make_demo [FOLDER]   (default: samples)
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "CorvaneFigure.h"
#include "CorvaneTextures.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    return false;
  }
  std::printf("%8zu  %s\n", bytes.size(), path.string().c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tessary;
  const std::filesystem::path base = argc > 1 ? argv[1] : "samples";
  const std::filesystem::path folder = base / "models" / "corvane";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::fprintf(stderr, "cannot create %s: %s\n", folder.string().c_str(), error.message().c_str());
    return 1;
  }
  bool ok = true;
  ok = WriteFile(folder / "lower.md3", md3::Write(demo::MakeLower())) && ok;
  ok = WriteFile(folder / "upper.md3", md3::Write(demo::MakeUpper())) && ok;
  ok = WriteFile(folder / "head.md3", md3::Write(demo::MakeHead())) && ok;
  ok = WriteFile(folder / "lower.pcx", demo::MakeLowerPcx()) && ok;
  ok = WriteFile(folder / "upper.bmp", demo::MakeUpperBmp()) && ok;
  ok = WriteFile(folder / "head.tga", demo::MakeHeadTga()) && ok;
  const std::string config = demo::MakeAnimationConfig();
  ok = WriteFile(folder / "animation.cfg", std::vector<std::uint8_t>(config.begin(), config.end())) && ok;
  return ok ? 0 : 1;
}
