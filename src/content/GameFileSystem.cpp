// Indexing a game folder's archives and loose files, and finding and reading files in it.
#include "content/GameFileSystem.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>

#include "app/FileIO.h"
#include "content/GamePath.h"
#include "content/ShaderScript.h"
#include "content/ZipArchive.h"

namespace tessary {

namespace fs = std::filesystem;

namespace {

// A folder with more files than this is not a game folder; indexing stops there rather
// than walk a whole disk.
constexpr std::size_t kMaxFolderFiles = 1000000;

}  // namespace

struct GameFileSystem::Source {
  std::string path;                     // the folder or the archive on disk
  std::unique_ptr<ZipArchive> archive;  // none for a folder
};

GameFileSystem::GameFileSystem() = default;
GameFileSystem::~GameFileSystem() = default;
GameFileSystem::GameFileSystem(GameFileSystem&&) noexcept = default;
GameFileSystem& GameFileSystem::operator=(GameFileSystem&&) noexcept = default;

std::optional<GameFileSystem> GameFileSystem::Open(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
  GameFileSystem files;
  if (S_ISREG(st.st_mode) && EndsWithNoCase(path, ".pk3")) {
    auto archive = ZipArchive::Open(path);
    if (!archive) return std::nullopt;
    files.root_.clear();
    files.index_.reserve(static_cast<std::size_t>(std::max<std::int64_t>(archive->MemberCount(), 0)));
    files.sources_.push_back(std::make_unique<Source>(Source{path, std::move(archive)}));
    files.IndexArchive(0);
    return files;
  }
  if (!S_ISDIR(st.st_mode) || ::access(path.c_str(), X_OK) != 0) return std::nullopt;
  files.root_ = path;

  // The archives and archive folders at the top, in search order.
  std::vector<fs::directory_entry> archives;
  std::error_code error;
  for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if ((EndsWithNoCase(name, ".pk3") && it->is_regular_file(error)) ||
        (EndsWithNoCase(name, ".pk3dir") && it->is_directory(error)))
      archives.push_back(*it);
  }
  std::sort(archives.begin(), archives.end(), [](const fs::directory_entry& a, const fs::directory_entry& b) {
    return LessNoCase(a.path().filename().string(), b.path().filename().string());
  });
  // All archives are opened before any is indexed, so that the index is sized once.
  std::size_t members = 0;
  for (const fs::directory_entry& entry : archives) {
    const std::string archivePath = entry.path().string();
    if (entry.is_directory(error)) {
      files.sources_.push_back(std::make_unique<Source>(Source{archivePath, nullptr}));
    } else if (auto archive = ZipArchive::Open(archivePath)) {
      members += static_cast<std::size_t>(std::max<std::int64_t>(archive->MemberCount(), 0));
      files.sources_.push_back(std::make_unique<Source>(Source{archivePath, std::move(archive)}));
    } else {
      files.skipped_.push_back(archivePath);
    }
  }
  files.index_.reserve(members);
  for (std::uint32_t source = 0; source < files.sources_.size(); ++source) {
    if (files.sources_[source]->archive) files.IndexArchive(source);
    else files.IndexFolderFiles(source, false);
  }
  // Loose files last, so that they win.
  files.sources_.push_back(std::make_unique<Source>(Source{path, nullptr}));
  files.IndexFolderFiles(static_cast<std::uint32_t>(files.sources_.size() - 1), true);
  return files;
}

void GameFileSystem::Add(std::uint32_t source, std::int64_t member, std::string_view name) {
  auto path = NormalizeGamePath(name);
  if (!path) return;
  std::string key = LowerAscii(*path);
  index_.insert_or_assign(std::move(key), Entry{source, member, std::move(*path)});
}

void GameFileSystem::IndexArchive(std::uint32_t source) {
  const ZipArchive& archive = *sources_[source]->archive;
  const std::int64_t count = archive.MemberCount();
  for (std::int64_t i = 0; i < count; ++i) {
    const std::string name = archive.MemberName(i);
    if (!name.empty() && name.back() != '/' && name.back() != '\\') Add(source, i, name);  // folders end in '/'
  }
}

void GameFileSystem::IndexFolderFiles(std::uint32_t source, bool skipArchives) {
  const std::string folder = sources_[source]->path;
  std::error_code error;
  std::size_t count = 0;
  // Links to folders are not followed, so a link back up cannot make the walk endless.
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
  for (; !error && it != end && count < kMaxFolderFiles; it.increment(error)) {
    const fs::path& path = it->path();
    if (skipArchives && it.depth() == 0) {
      const std::string name = path.filename().string();
      if (EndsWithNoCase(name, ".pk3dir") || EndsWithNoCase(name, ".pk3")) {
        it.disable_recursion_pending();
        continue;
      }
    }
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    Add(source, -1, path.lexically_relative(folder).generic_string());
    ++count;
  }
}

std::optional<std::string> GameFileSystem::LooseFile(const std::string& path) const {
  if (root_.empty() || !IsRegularFile(JoinPath(root_, path))) return std::nullopt;
  return path;
}

std::optional<std::string> GameFileSystem::Find(std::string_view name) const {
  const auto path = NormalizeGamePath(name);
  if (!path) return std::nullopt;
  // A loose file named exactly is found even when it came after the folder was indexed.
  if (auto loose = LooseFile(*path)) return loose;
  const auto found = index_.find(LowerAscii(*path));
  if (found == index_.end()) return std::nullopt;
  return found->second.stored;
}

std::optional<std::vector<std::uint8_t>> GameFileSystem::Read(std::string_view name) const {
  const auto path = NormalizeGamePath(name);
  if (!path) return std::nullopt;
  if (LooseFile(*path)) return ReadWholeFile(JoinPath(root_, *path));
  const auto found = index_.find(LowerAscii(*path));
  if (found == index_.end()) return std::nullopt;
  const Entry& entry = found->second;
  const Source& source = *sources_[entry.source];
  if (source.archive) return source.archive->ReadMember(entry.member, kMaxGameFileBytes);
  return ReadWholeFile(JoinPath(source.path, entry.stored));
}

std::vector<std::string> GameFileSystem::List(std::string_view folder, bool folders) const {
  std::string prefix;
  while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) folder.remove_suffix(1);
  if (!folder.empty()) {
    const auto normal = NormalizeGamePath(folder);
    if (!normal) return {};
    prefix = LowerAscii(*normal) + "/";
  }
  std::map<std::string, std::string> found;  // lower-case path to stored path
  for (const auto& [key, entry] : index_) {
    if (key.compare(0, prefix.size(), prefix) != 0) continue;
    const std::size_t slash = key.find('/', prefix.size());
    if (folders && slash != std::string::npos) found.emplace(key.substr(0, slash), entry.stored.substr(0, slash));
    if (!folders && slash == std::string::npos) found.emplace(key, entry.stored);
  }
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (auto& [key, stored] : found) paths.push_back(std::move(stored));
  return paths;
}

std::vector<std::string> GameFileSystem::ListFiles(std::string_view folder) const { return List(folder, false); }
std::vector<std::string> GameFileSystem::ListFolders(std::string_view folder) const { return List(folder, true); }

std::vector<std::string> GameFileSystem::FilesWithExtension(std::string_view extension) const {
  std::map<std::string, std::string> found;
  for (const auto& [key, entry] : index_)
    if (EndsWithNoCase(key, extension)) found.emplace(key, entry.stored);
  std::vector<std::string> paths;
  paths.reserve(found.size());
  for (auto& [key, stored] : found) paths.push_back(std::move(stored));
  return paths;
}

const ShaderIndex& GameFileSystem::Shaders() const {
  if (!shaders_) shaders_ = std::make_shared<const ShaderIndex>(BuildShaderIndex(*this));
  return *shaders_;
}

}  // namespace tessary
