// Loading an image file: read, decode, then give the image its texture object.
#include "image/TextureFile.h"

#include "app/FileIO.h"
#include "scene/SceneOps.h"

namespace tessary {

std::unique_ptr<ImageRGBA> LoadTextureFile(const std::string& path, TextureDevice& textures,
                                           Desktop& desktop) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return nullptr;
  DecodeResult decoded = DecodeImage(*bytes);
  if (!decoded.ok()) {
    if (!decoded.message.empty()) desktop.ShowMessage(decoded.message);
    return nullptr;
  }
  auto image = std::make_unique<ImageRGBA>(std::move(*decoded.image));
  image->textureName = textures.CreateTexture();
  image->device = &textures;
  textures.UploadTexture(*image);
  image->fileName = FileNameFromPath(path);
  return image;
}

}  // namespace tessary
