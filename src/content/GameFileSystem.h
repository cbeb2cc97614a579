// The game's file system: a base folder seen as the game sees it. Its *.pk3 archives and
// *.pk3dir folders are searched in the order of their names compared without letter case,
// a later one winning over an earlier one, and its loose files win over every archive. A
// single .pk3 may stand in for the whole folder. Names are game paths (GamePath.h): letter
// case does not matter and '\' reads as '/'.
//
// Archives are indexed once, names only, when the file system is opened; a file's bytes are
// read when asked for. Scene::gameFiles holds the one of the current base folder (set by
// UseBaseFolder), so commands, the command line and tests all reach it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessary {

class ShaderIndex;
class ZipArchive;

// Largest file read out of an archive: its header cannot make the viewer unpack more.
inline constexpr std::uint64_t kMaxGameFileBytes = std::uint64_t{256} * 1024 * 1024;

class GameFileSystem {
 public:
  // A file system with nothing indexed: only loose files under "." named in their exact
  // letter case are found (what the viewer sees before a base folder is chosen).
  GameFileSystem();
  ~GameFileSystem();
  GameFileSystem(GameFileSystem&&) noexcept;
  GameFileSystem& operator=(GameFileSystem&&) noexcept;

  // The file system of a game folder, or of a single archive when path names a .pk3 file.
  // None when path is neither a folder that can be searched nor an archive that opens.
  // Archives of a folder that cannot be read are skipped; SkippedArchives() lists them.
  static std::optional<GameFileSystem> Open(const std::string& path);

  // The path of every archive of the folder that could not be read, in search order.
  const std::vector<std::string>& SkippedArchives() const { return skipped_; }

  // The path of the file a name stands for, as stored (original letter case), or none when
  // there is no such file or the name could leave the game folder ("..").
  std::optional<std::string> Find(std::string_view name) const;
  // The file's bytes; none when it does not exist or cannot be read.
  std::optional<std::vector<std::uint8_t>> Read(std::string_view name) const;

  // The stored paths of the files directly in a folder ("" is the top), or of its folders,
  // sorted by name without letter case. Each folder is listed once whatever its case.
  std::vector<std::string> ListFiles(std::string_view folder) const;
  std::vector<std::string> ListFolders(std::string_view folder) const;
  // The stored paths of every file whose name ends with extension (".md3"), sorted.
  std::vector<std::string> FilesWithExtension(std::string_view extension) const;
  std::size_t FileCount() const { return index_.size(); }
  // The folder whose loose files are searched ("" when the base is a single archive).
  const std::string& Root() const { return root_; }

  // The shaders of the game's scripts/*.shader, read on first use.
  const ShaderIndex& Shaders() const;

 private:
  struct Source;
  struct Entry {
    std::uint32_t source = 0;
    std::int64_t member = -1;  // index in the source's archive; -1 for a file in a folder
    std::string stored;        // the game path in its stored letter case
  };

  void IndexFolderFiles(std::uint32_t source, bool skipArchives);
  void IndexArchive(std::uint32_t source);
  void Add(std::uint32_t source, std::int64_t member, std::string_view name);
  std::vector<std::string> List(std::string_view folder, bool folders) const;
  std::optional<std::string> LooseFile(const std::string& path) const;

  std::string root_ = ".";  // folder whose loose files win; "" when the base is one archive
  std::vector<std::unique_ptr<Source>> sources_;
  std::unordered_map<std::string, Entry> index_;  // by lower-case game path
  std::vector<std::string> skipped_;
  mutable std::shared_ptr<const ShaderIndex> shaders_;
};

}  // namespace tessary
