// Shader scripts (scripts/*.shader): a game names most of its surfaces' looks there, each
// shader a name followed by a block of stages. The viewer needs one thing from a shader:
// the image its first real stage draws.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessary {

class GameFileSystem;

struct ShaderDefinition {
  std::string name;   // as written
  std::string image;  // the first stage image that is a real file; "" when there is none
};

// Every shader defined in a script text, in order. A stage's image is its "map",
// "clampmap" or the first frame of its "animMap" (keywords in any letter case); names
// starting with '$' or '*' ($lightmap, $whiteimage, *white) are made by the game, not read
// from a file, and do not count. "//" and "/* */" comments are skipped; a damaged script
// gives the shaders that could be read.
std::vector<ShaderDefinition> ParseShaderScript(std::string_view text);

// Shader names to images over all the scripts of a game. Names are looked up without their
// extension and ignoring letter case.
class ShaderIndex {
 public:
  // Adds the shaders of one script; a name the same script defines twice keeps its first
  // definition, and a later script replaces what an earlier one defined.
  void AddScript(const std::vector<ShaderDefinition>& shaders);
  // The image of the shader the name stands for ("" when it draws none), or none when no
  // script defines it.
  const std::string* ImageFor(std::string_view shaderName) const;
  std::size_t size() const { return images_.size(); }

 private:
  std::unordered_map<std::string, std::string> images_;
};

// The index over the game's scripts/*.shader files, read in the order of their names
// compared without letter case. Scripts that cannot be read are left out.
ShaderIndex BuildShaderIndex(const GameFileSystem& files);

// The key a shader name is filed under: lower case, '\' as '/', no extension.
std::string ShaderKey(std::string_view shaderName);

}  // namespace tessary
