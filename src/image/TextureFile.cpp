// Loading an image file: read, decode, then give the image its texture object.
#include "image/TextureFile.h"

#include <new>

#include "app/FileIO.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// The file's decoded image, or the failure to report. A file that cannot be opened (or is
// not a regular file) is passed over in silence; one longer than any image the decoders
// take is not recognized. The size limits keep an image to 256 MB at most; should even
// that not be available, the file is treated as one that cannot be shown rather than let
// the failure escape the command.
DecodeResult ReadAndDecode(const std::string& path) {
  try {
    ReadFailure failure = ReadFailure::None;
    const auto bytes = ReadWholeFile(path, kMaxImageFileBytes, &failure);
    if (!bytes) return DecodeResult{std::nullopt, failure == ReadFailure::TooLarge ? kNotRecognizedMessage : ""};
    return DecodeImage(*bytes);
  } catch (const std::bad_alloc&) {
    return DecodeResult{std::nullopt, kNotRecognizedMessage};
  }
}

}  // namespace

std::unique_ptr<ImageRGBA> LoadTextureFile(const std::string& path, TextureDevice& textures,
                                           Desktop& desktop) {
  DecodeResult decoded = ReadAndDecode(path);
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
