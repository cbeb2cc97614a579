// Loading an image file into an ImageRGBA with its texture object.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "app/Desktop.h"
#include "image/ImageDecoder.h"
#include "image/ImageRGBA.h"
#include "image/TextureDevice.h"

namespace tessary {

// Reads and decodes the file (format recognised by its first bytes only), creates and
// uploads its texture object and names it after the file. No image on failure: messages
// for unrecognised or invalid files go through the desktop, the format's fixed text with
// the path on a second line; an unreadable file is silent. No texture name is taken unless
// the file decodes.
std::unique_ptr<ImageRGBA> LoadTextureFile(const std::string& path, TextureDevice& textures,
                                           Desktop& desktop);

// The same for a file already read (from a game archive, for example); path names it in
// the image and in any message.
std::unique_ptr<ImageRGBA> LoadTextureBytes(std::span<const std::uint8_t> bytes, const std::string& path,
                                            TextureDevice& textures, Desktop& desktop);

// A message about a file: the fixed text, then the file's path on a second line.
std::string MessageAboutFile(const std::string& text, const std::string& path);

}  // namespace tessary
