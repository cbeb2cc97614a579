// The one look-up for every file the viewer reads by name (models, textures, skins): a file
// is either a path on disk or a game path in the base folder's file system, and this says
// which one a name stands for, reads it, and finds the files that lie beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FileIO.h"
#include "scene/Scene.h"

namespace tessary {

struct ContentFile {
  std::string path;     // a disk path, or a game path as stored (original letter case)
  bool inGame = false;  // true: path is a game path of scene.gameFiles

  bool operator==(const ContentFile&) const = default;
};

// A name the user gave (a model on the command line): a path that exists on disk is used as
// it is; otherwise it is looked up in the base folder's file system. None when neither has it.
std::optional<ContentFile> LocateFile(const Scene& scene, const std::string& name);

// A name written inside game data (a shader or skin entry): an absolute path that exists on
// disk is used as it is; any other name is a game path. Relative names are never taken from
// the current directory, which has nothing to do with the game.
std::optional<ContentFile> LocateGameFile(const Scene& scene, std::string_view name);

// The file's bytes; none when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadContentFile(const Scene& scene, const ContentFile& file);
// The same for a reader that takes at most maxBytes: a longer file is refused (TooLarge in
// *failure), and a file on disk is refused before it is read.
std::optional<std::vector<std::uint8_t>> ReadContentFile(const Scene& scene, const ContentFile& file,
                                                         std::uint64_t maxBytes, ReadFailure* failure);

// The file a record was loaded from.
ContentFile SourceOf(const ModelRecord& record);

// The files in the same folder as file: on disk beside a disk file, in the game's file
// system (every archive and the loose files) beside a game file.
std::vector<ContentFile> FilesBeside(const Scene& scene, const ContentFile& file);

// The bare name of a content file (after its last '/').
std::string_view NameOf(const ContentFile& file);

}  // namespace tessary
