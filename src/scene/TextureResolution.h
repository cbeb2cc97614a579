// The file a surface's first shader name names by the exact rule, and choosing
// the base folder: the game folder (or single .pk3) that texture and model names are
// looked up in.
#pragma once

#include <string>

#include "app/Workspace.h"

namespace tessary {

inline constexpr const char* kFolderNotValidMessage = "That folder is not valid";

// The file the exact rule opens for a shader name, the rule used when game texture lookup
// is off: the name up to its first zero byte, '\' read as '/', joined to baseFolder when
// relative; no other extension is tried, letter case counts. "" for an empty name.
std::string ExactTexturePath(const Scene& scene, const std::string& shaderName);

// The "Set Base Folder..." command.
void SetBaseFolder(Workspace& ws);

// Makes path the base folder when it can serve as one and returns true; returns false and
// changes nothing otherwise. path is a game folder (its pk3 archives, .pk3dir folders and
// loose files) or a single .pk3 file; on success baseFolder holds it as an absolute path
// and gameFiles its newly built index. Archives that could not be read are skipped and
// listed in gameFiles.SkippedArchives(). Every way of choosing the base folder (the
// command, the command line, and whatever else names a folder) goes through here.
bool UseBaseFolder(Scene& scene, const std::string& path);

// UseBaseFolder, telling the user through the desktop: "That folder is not valid" (with
// the path) when it fails, one message per skipped archive when it succeeds.
bool UseBaseFolderAndReport(Workspace& ws, const std::string& path);

}  // namespace tessary
