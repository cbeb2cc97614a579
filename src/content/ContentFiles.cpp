// Locating and reading the files the viewer reads by name, on disk or in the game.
#include "content/ContentFiles.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "app/FileIO.h"
#include "content/GamePath.h"

namespace tessary {

namespace {
bool ExistsOnDisk(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}
}  // namespace

std::optional<ContentFile> LocateFile(const Scene& scene, const std::string& name) {
  if (ExistsOnDisk(name)) return ContentFile{name, false};
  if (auto stored = scene.gameFiles.Find(name)) return ContentFile{std::move(*stored), true};
  return std::nullopt;
}

std::optional<ContentFile> LocateGameFile(const Scene& scene, std::string_view name) {
  if (!name.empty() && name.front() == '/' && IsRegularFile(std::string(name)))
    return ContentFile{std::string(name), false};
  if (auto stored = scene.gameFiles.Find(name)) return ContentFile{std::move(*stored), true};
  // A base folder stored without UseBaseFolder has no index; its loose files named exactly
  // are still found, as they always were.
  if (scene.baseFolder != scene.gameFiles.Root()) {
    if (const auto path = NormalizeGamePath(name)) {
      std::string joined = JoinPath(scene.baseFolder, *path);
      if (IsRegularFile(joined)) return ContentFile{std::move(joined), false};
    }
  }
  return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadContentFile(const Scene& scene, const ContentFile& file) {
  return file.inGame ? scene.gameFiles.Read(file.path) : ReadWholeFile(file.path);
}

std::optional<std::vector<std::uint8_t>> ReadContentFile(const Scene& scene, const ContentFile& file,
                                                         std::uint64_t maxBytes, ReadFailure* failure) {
  if (!file.inGame) return ReadWholeFile(file.path, maxBytes, failure);
  // The game's file system has a limit of its own; a file within it may still be longer
  // than this reader takes.
  auto bytes = scene.gameFiles.Read(file.path);
  const ReadFailure why = !bytes ? ReadFailure::CannotOpen : bytes->size() > maxBytes ? ReadFailure::TooLarge : ReadFailure::None;
  if (failure != nullptr) *failure = why;
  if (why != ReadFailure::None) return std::nullopt;
  return bytes;
}

ContentFile SourceOf(const ModelRecord& record) { return ContentFile{record.sourceFile, record.sourceInGame}; }

std::vector<ContentFile> FilesBeside(const Scene& scene, const ContentFile& file) {
  std::vector<ContentFile> files;
  if (file.inGame) {
    for (std::string& path : scene.gameFiles.ListFiles(FolderPart(file.path))) files.push_back({std::move(path), true});
    return files;
  }
  namespace fs = std::filesystem;
  fs::path folder = fs::path(file.path).parent_path();
  if (folder.empty()) folder = ".";
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::error_code typeError;
    if (it->is_regular_file(typeError)) files.push_back({(folder / it->path().filename()).string(), false});
  }
  return files;
}

std::string_view NameOf(const ContentFile& file) { return LastPart(file.path); }

}  // namespace tessary
