// Loading an image file: read, decode, then give the image its texture object.
#include "image/TextureFile.h"

#include <new>

#include "app/FileIO.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// The size limits keep an image to 256 MB at most; should even that not be available, the
// file is treated as one that cannot be shown rather than let the failure escape the command.
DecodeResult Decode(std::span<const std::uint8_t> bytes) {
  try {
    return DecodeImage(bytes);
  } catch (const std::bad_alloc&) {
    return DecodeResult{std::nullopt, kNotRecognizedMessage};
  }
}

}  // namespace

std::string MessageAboutFile(const std::string& text, const std::string& path) { return text + "\n" + path; }

std::unique_ptr<ImageRGBA> LoadTextureBytes(std::span<const std::uint8_t> bytes, const std::string& path,
                                            TextureDevice& textures, Desktop& desktop) {
  DecodeResult decoded = Decode(bytes);
  if (!decoded.ok()) {
    if (!decoded.message.empty()) desktop.ShowMessage(MessageAboutFile(decoded.message, path));
    return nullptr;
  }
  auto image = std::make_unique<ImageRGBA>(std::move(*decoded.image));
  image->textureName = textures.CreateTexture();
  image->device = &textures;
  textures.UploadTexture(*image);
  image->fileName = FileNameFromPath(path);
  return image;
}

std::unique_ptr<ImageRGBA> LoadTextureFile(const std::string& path, TextureDevice& textures,
                                           Desktop& desktop) {
  // A file that cannot be opened (or is not a regular file) is passed over in silence; one
  // longer than any image the decoders take is not recognized, and is never read.
  std::optional<std::vector<std::uint8_t>> bytes;
  ReadFailure failure = ReadFailure::None;
  try {
    bytes = ReadWholeFile(path, kMaxImageFileBytes, &failure);
  } catch (const std::bad_alloc&) {
    failure = ReadFailure::TooLarge;
  }
  if (failure == ReadFailure::TooLarge) desktop.ShowMessage(MessageAboutFile(kNotRecognizedMessage, path));
  if (!bytes) return nullptr;
  return LoadTextureBytes(*bytes, path, textures, desktop);
}

}  // namespace tessary
