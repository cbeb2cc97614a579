// Which image a surface shows, found the way the game finds it:
//   1. a skin: the file "<model>_<skin>.skin" beside the model gives each surface its shader
//      (a surface the skin does not list shows nothing); a head in the game's shared heads
//      folder (models/players/heads/H/H.md3) wears "head_<skin>.skin" from the player
//      folder models/players/H/ or from beside it, as the game's heads do;
//   2. without a skin, the surface's first shader name;
//   3. a shader of that name (without extension, any letter case) in scripts/*.shader gives
//      the image of its first stage that draws a real image;
//   4. the image name as stored when that file exists and has a known extension, else the
//      name without its extension with .tga, .jpg, .jpeg, .png, .pcx, .bmp in turn.
// Turned off (Scene::gameTextureLookup), only the exact rule of ExactTexturePath applies.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Workspace.h"
#include "content/ContentFiles.h"
#include "content/SkinFile.h"

namespace tessary {

inline constexpr const char* kDefaultSkin = "default";

// The image extensions tried, in order.
inline constexpr std::string_view kImageExtensions[] = {".tga", ".jpg", ".jpeg", ".png", ".pcx", ".bmp"};
// Whether an extension (with its dot, any letter case) is one of those.
bool IsImageExtension(std::string_view extension);

struct ModelSkin {
  std::string name;  // "default", "red", ...
  ContentFile file;
  std::vector<SkinEntry> entries;
};

// The skins beside a model file: the <name> of every "<model>_<name>.skin" there (letter
// case ignored; for a head in the heads folder, see above), "default" first, then the others by name without letter case.
std::vector<std::string> SkinNames(const Scene& scene, const ContentFile& model);

// The skin that applies to a model file: the one asked for when its file exists, else the
// default skin, else none (always none with game texture lookup off). A skin file that cannot be read is reported through desktop
// (when given) and passed over.
std::optional<ModelSkin> FindModelSkin(const Scene& scene, const ContentFile& model, std::string_view skin,
                                       Desktop* desktop);

// Steps 3 and 4 for one shader name: the image file it leads to, or none.
std::optional<ContentFile> FindShaderImage(const Scene& scene, std::string_view shaderName);

// Steps 1 to 4 for one surface: the image file it shows, or none. With game texture lookup
// off, the file of the exact rule (ExactTexturePath) whatever the skin.
std::optional<ContentFile> FindSurfaceImage(const Scene& scene, const ModelSkin* skin, std::string_view surfaceName,
                                            std::string_view shaderName);

// Gives each record its texture map (replacing any it has): through steps 1 to 4 with the
// named skin when game texture lookup is on, by the exact rule when it is off. The records
// are of one model file, with sourceFile, sourceInGame, name and shaderName set; each
// record's skin field says which skin applied. Images that cannot be used are reported
// through the desktop, the fixed text and the file on a second line.
void TextureRecords(Workspace& ws, std::span<ModelRecord* const> records, std::string_view skin);

// Looks the textures of every record loaded from a model file (SourceOf(record) == model)
// up again with another skin (falling back as FindModelSkin does), then redraws and
// refreshes. Returns how many records were re-textured; with game texture lookup off
// nothing changes and it returns 0.
int ApplySkin(Workspace& ws, const ContentFile& model, std::string_view skin);

}  // namespace tessary
