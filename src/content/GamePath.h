// Names of files inside the game's file system ("game paths"): how a name written by a
// model, skin or shader script is read, and the small string helpers every look-up shares.
// Game paths ignore letter case (ASCII only), read '\' as '/', and never leave the game
// folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessary {

// The name as a game path: '\' read as '/', leading '/' and "./" parts dropped, repeated
// '/' merged. None for an empty name, a name ending in '/', or one with a ".." part, which
// could reach outside the game folder. Letter case is kept.
std::optional<std::string> NormalizeGamePath(std::string_view name);

// ASCII letters lowered; other bytes unchanged (names in game data are plain bytes).
std::string LowerAscii(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
bool LessNoCase(std::string_view a, std::string_view b);
bool EndsWithNoCase(std::string_view text, std::string_view suffix);

// The extension of the last path part with its dot (".tga"), or "" when that part has none.
std::string_view ExtensionOf(std::string_view path);
// The path without the extension of its last part.
std::string_view WithoutExtension(std::string_view path);
// The part after the last '/' (game paths use '/' only).
std::string_view LastPart(std::string_view path);
// Everything before the last '/', "" for a name at the top.
std::string_view FolderPart(std::string_view path);
// The path of name inside a folder on disk: one '/' between them, none after an empty
// folder or one that ends in '/'.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tessary
