// Fuzzes the two text formats of game content, skin files and shader scripts, with the
// same bytes: both readers must take anything, and what they give must be usable for the
// look-ups that follow (every parsed surface finds an entry; every shader is found again).
#include <cstdlib>
#include <string_view>

#include "content/ShaderScript.h"
#include "content/SkinFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const std::vector<SkinEntry> skin = ParseSkin(text);
  for (const SkinEntry& entry : skin) {
    if (entry.surface.find("tag_") != std::string::npos) std::abort();
    // A surface named as an entry finds an entry (maybe an earlier one of the same name),
    // unless its name looks like a level-of-detail copy of another.
    const bool lodName = entry.surface.size() > 2 && entry.surface[entry.surface.size() - 2] == '_';
    if (!lodName && FindSkinEntry(skin, entry.surface) == nullptr) std::abort();
  }

  const std::vector<ShaderDefinition> shaders = ParseShaderScript(text);
  ShaderIndex index;
  index.AddScript(shaders);
  for (const ShaderDefinition& shader : shaders) {
    if (!shader.image.empty() && (shader.image[0] == '$' || shader.image[0] == '*')) std::abort();
    if (index.ImageFor(shader.name) == nullptr) std::abort();
  }
  return 0;
}
