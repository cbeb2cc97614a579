// Loading an image file into an ImageRGBA with its texture object.
#pragma once

#include <memory>
#include <string>

#include "app/Desktop.h"
#include "image/ImageDecoder.h"
#include "image/ImageRGBA.h"
#include "image/TextureDevice.h"

namespace tessary {

// Reads and decodes the file (format recognised by its first bytes only), creates and
// uploads its texture object and names it after the file. No image on failure: messages
// for unrecognised or invalid files go through the desktop; an unreadable file is silent.
// No texture name is taken unless the file decodes.
std::unique_ptr<ImageRGBA> LoadTextureFile(const std::string& path, TextureDevice& textures,
                                           Desktop& desktop);

}  // namespace tessary
