// Turning a surface's first shader name into its texture, and choosing the folder that
// relative names are resolved against.
#pragma once

#include <memory>
#include <string>

#include "app/Workspace.h"
#include "image/ImageRGBA.h"

namespace tessary {

// The shader name up to its first zero byte, '\' read as '/', joined to baseFolder when
// relative; no other extension is tried. No image when the file is missing or unreadable.
std::unique_ptr<ImageRGBA> ResolveSurfaceTexture(Workspace& ws, const std::string& shaderName);

// The "Set Base Folder..." command.
void SetBaseFolder(Workspace& ws);

// Makes path the base folder when it can serve as one and returns true; returns false and
// changes nothing otherwise. Every way of choosing the base folder (the command, the command
// line, and whatever else names a folder) goes through here.
bool UseBaseFolder(Scene& scene, const std::string& path);

}  // namespace tessary
