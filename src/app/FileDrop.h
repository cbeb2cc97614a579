// Files dropped on the main window: model files open as "+" opens them, a game folder or
// archive becomes the base folder, and an image dropped on the view becomes the current
// model's texture map, as the map row's "+" would load it.
#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"

namespace tessary {

enum class DropKind { Model, BaseFolder, Image, Other };

// What a dropped path is: a folder or a .pk3 archive names a base folder; .md3 is a model;
// .pcx, .bmp, .tga, .jpg, .jpeg and .png are images (extensions in any letter case).
DropKind KindOfDroppedPath(const std::string& path);

// Base folders first (so models dropped with their game folder find their textures), then
// the models in the order given, then, when dropped on the view, the last image. Anything
// else is passed over. A base folder that cannot serve says "That folder is not valid".
void OpenDroppedFiles(Workspace& ws, const std::vector<std::string>& paths, bool onView);

}  // namespace tessary
