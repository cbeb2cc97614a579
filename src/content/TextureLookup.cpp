// Finding and loading the image of every surface of a model, the way the game does.
#include "content/TextureLookup.h"

#include <algorithm>

#include "content/GamePath.h"
#include "content/ShaderScript.h"
#include "image/TextureFile.h"
#include "scene/TextureResolution.h"

namespace tessary {

namespace {

// Where a model's skin files lie and what they are named after: beside the model, after
// its file ("lower_red.skin" for lower.md3). A head kept in the game's shared heads folder,
// models/players/heads/H/H.md3, is the one exception the game makes: its skins are named
// after "head", and are looked for in the player folder models/players/H/ first, then
// beside the head.
struct SkinPlace {
  std::string stem;
  std::vector<ContentFile> files;  // in the order they are searched
};

SkinPlace SkinPlaceOf(const Scene& scene, const ContentFile& model) {
  const std::string_view name = NameOf(model);
  const std::string stem(WithoutExtension(name));
  std::string path = LowerAscii(model.path);
  std::replace(path.begin(), path.end(), '\\', '/');
  const std::string inHeads = "models/players/heads/" + LowerAscii(stem) + "/" + LowerAscii(name);
  const std::size_t at = path.size() - std::min(path.size(), inHeads.size());
  if (!path.ends_with(inHeads) || (at > 0 && path[at - 1] != '/'))
    return {stem, FilesBeside(scene, model)};
  const ContentFile playerFolder{model.path.substr(0, at) + "models/players/" + stem + "/head.md3", model.inGame};
  SkinPlace place{"head", FilesBeside(scene, playerFolder)};
  for (ContentFile& file : FilesBeside(scene, model)) place.files.push_back(std::move(file));
  return place;
}

// The skin name a file beside the model stands for, or none when it is not one of its skins.
std::optional<std::string> SkinNameOf(std::string_view fileName, std::string_view stem) {
  const std::size_t prefix = stem.size() + 1;
  if (fileName.size() <= prefix + 5 || !EndsWithNoCase(fileName, ".skin") ||
      !EqualNoCase(fileName.substr(0, stem.size()), stem) || fileName[stem.size()] != '_')
    return std::nullopt;
  return std::string(fileName.substr(prefix, fileName.size() - prefix - 5));
}

std::optional<ContentFile> SkinFile(const SkinPlace& place, std::string_view skin) {
  for (const ContentFile& file : place.files) {
    const auto name = SkinNameOf(NameOf(file), place.stem);
    if (name && EqualNoCase(*name, skin)) return file;
  }
  return std::nullopt;
}

// The first decodable image may differ from the first found one, but the game stops at the
// first file found, and so does the viewer: a broken file is reported, not passed over.
std::unique_ptr<ImageRGBA> LoadImage(Workspace& ws, const ContentFile& file) {
  if (!file.inGame) return LoadTextureFile(file.path, ws.textures, ws.desktop);
  const auto bytes = ws.scene.gameFiles.Read(file.path);
  if (!bytes) {  // listed in an archive, but damaged there
    ws.desktop.ShowMessage(MessageAboutFile(kNotRecognizedMessage, file.path));
    return nullptr;
  }
  return LoadTextureBytes(*bytes, file.path, ws.textures, ws.desktop);
}

}  // namespace

bool IsImageExtension(std::string_view extension) {
  return std::any_of(std::begin(kImageExtensions), std::end(kImageExtensions),
                     [&](std::string_view known) { return EqualNoCase(known, extension); });
}

std::vector<std::string> SkinNames(const Scene& scene, const ContentFile& model) {
  const SkinPlace place = SkinPlaceOf(scene, model);
  std::vector<std::string> names;
  for (const ContentFile& file : place.files) {
    auto name = SkinNameOf(NameOf(file), place.stem);
    if (name && std::none_of(names.begin(), names.end(), [&](const std::string& n) { return EqualNoCase(n, *name); }))
      names.push_back(std::move(*name));
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const bool aDefault = EqualNoCase(a, kDefaultSkin), bDefault = EqualNoCase(b, kDefaultSkin);
    return aDefault != bDefault ? aDefault : LessNoCase(a, b);
  });
  return names;
}

std::optional<ModelSkin> FindModelSkin(const Scene& scene, const ContentFile& model, std::string_view skin,
                                       Desktop* desktop) {
  if (!scene.gameTextureLookup) return std::nullopt;
  const SkinPlace place = SkinPlaceOf(scene, model);
  for (std::string_view name : {skin, std::string_view(kDefaultSkin)}) {
    if (name.empty()) continue;
    auto file = SkinFile(place, name);
    if (!file) continue;
    const auto bytes = ReadContentFile(scene, *file);
    if (!bytes) {
      if (desktop != nullptr) desktop->ShowMessage(MessageAboutFile(kNotRecognizedMessage, file->path));
      continue;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    std::string stored = SkinNameOf(NameOf(*file), place.stem).value_or(std::string(name));
    return ModelSkin{std::move(stored), std::move(*file), ParseSkin(text)};
  }
  return std::nullopt;
}

// A shader that a script defines without any stage image still falls back to its own name,
// which often names the picture an editor would show for it.
std::optional<ContentFile> FindShaderImage(const Scene& scene, std::string_view shaderName) {
  std::string_view image = shaderName;
  if (const std::string* scripted = scene.gameFiles.Shaders().ImageFor(shaderName); scripted && !scripted->empty())
    image = *scripted;
  if (image.empty()) return std::nullopt;
  if (IsImageExtension(ExtensionOf(image)))
    if (auto found = LocateGameFile(scene, image)) return found;
  const std::string stem(WithoutExtension(image));
  for (std::string_view extension : kImageExtensions)
    if (auto found = LocateGameFile(scene, stem + std::string(extension))) return found;
  return std::nullopt;
}

std::optional<ContentFile> FindSurfaceImage(const Scene& scene, const ModelSkin* skin, std::string_view surfaceName,
                                            std::string_view shaderName) {
  if (!scene.gameTextureLookup) {
    std::string exact = ExactTexturePath(scene, std::string(shaderName));
    return exact.empty() ? std::nullopt : std::optional<ContentFile>(ContentFile{std::move(exact), false});
  }
  if (skin == nullptr) return FindShaderImage(scene, shaderName);
  const SkinEntry* entry = FindSkinEntry(skin->entries, surfaceName);
  return entry != nullptr ? FindShaderImage(scene, entry->shader) : std::nullopt;
}

void TextureRecords(Workspace& ws, std::span<ModelRecord* const> records, std::string_view skin) {
  if (records.empty()) return;
  const auto modelSkin = FindModelSkin(ws.scene, SourceOf(*records.front()), skin, &ws.desktop);
  for (ModelRecord* record : records) {
    record->skin = modelSkin ? modelSkin->name : std::string();
    const auto image = FindSurfaceImage(ws.scene, modelSkin ? &*modelSkin : nullptr, record->name, record->shaderName);
    record->textureMap = image ? LoadImage(ws, *image) : nullptr;
  }
}

int ApplySkin(Workspace& ws, const ContentFile& model, std::string_view skin) {
  if (!ws.scene.gameTextureLookup) return 0;
  std::vector<ModelRecord*> records;
  for (const auto& record : ws.scene.models)
    if (SourceOf(*record) == model) records.push_back(record.get());
  if (records.empty()) return 0;
  TextureRecords(ws, records, skin);
  ws.SceneChanged();
  return static_cast<int>(records.size());
}

}  // namespace tessary
