// Reading shader scripts and indexing the shaders of a game.
#include "content/ShaderScript.h"

#include <algorithm>
#include <unordered_set>

#include "content/GameFileSystem.h"
#include "content/GamePath.h"
#include "content/ScriptText.h"

namespace tessary {

namespace {

struct Token {
  std::string_view text;
  bool startsLine = false;  // a line break came before it
};

// Splits a script into words, quoted strings and braces; stage keywords take their values
// from the rest of their line, so each token says whether a new line began before it.
class Tokenizer {
 public:
  explicit Tokenizer(std::string_view text) : text_(text) {}

  bool Next(Token& token) {
    const bool newLine = SkipBlanksAndComments(text_, pos_) > 0;
    if (pos_ >= text_.size()) return false;
    token.startsLine = newLine;
    const char c = text_[pos_];
    if (c == '{' || c == '}') {
      token.text = text_.substr(pos_++, 1);
    } else if (c == '"') {
      std::size_t end = pos_ + 1;
      while (end < text_.size() && text_[end] != '"' && text_[end] != '\n') ++end;
      token.text = text_.substr(pos_ + 1, end - pos_ - 1);
      pos_ = end < text_.size() && text_[end] == '"' ? end + 1 : end;
    } else {
      std::size_t end = pos_;
      while (end < text_.size() && !IsScriptBlank(text_[end]) && text_[end] != '{' && text_[end] != '}' &&
             !StartsComment(text_, end))
        ++end;
      token.text = text_.substr(pos_, end - pos_);
      pos_ = end;
    }
    return true;
  }

  // The next token when it is on the current line; the tokenizer does not move otherwise.
  bool NextOnLine(Token& token) {
    const std::size_t saved = pos_;
    if (Next(token) && !token.startsLine) return true;
    pos_ = saved;
    return false;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool IsRealImage(std::string_view name) { return !name.empty() && name[0] != '$' && name[0] != '*'; }

// The image a stage line names, if its keyword is one that draws an image.
std::string_view StageImage(std::string_view keyword, Tokenizer& tokens) {
  Token value;
  const std::string lower = LowerAscii(keyword);
  if (lower == "animmap" && !tokens.NextOnLine(value)) return {};  // the frequency comes first
  if ((lower == "map" || lower == "clampmap" || lower == "animmap") && tokens.NextOnLine(value) &&
      IsRealImage(value.text))
    return value.text;
  return {};
}

}  // namespace

std::vector<ShaderDefinition> ParseShaderScript(std::string_view text) {
  std::vector<ShaderDefinition> shaders;
  Tokenizer tokens(text);
  Token token;
  bool pending = tokens.Next(token);
  while (pending) {
    if (token.text == "{" || token.text == "}") {  // a block without a name: skipped as a whole
      int depth = token.text == "{" ? 1 : 0;
      while (depth > 0 && tokens.Next(token)) depth += token.text == "{" ? 1 : token.text == "}" ? -1 : 0;
      pending = tokens.Next(token);
      continue;
    }
    const std::string_view name = token.text;
    if (!tokens.Next(token)) break;
    if (token.text != "{") continue;  // a name without a body: the token after it starts anew
    ShaderDefinition shader{std::string(name), {}};
    int depth = 1;
    while (depth > 0 && tokens.Next(token)) {
      if (token.text == "{") {
        ++depth;
      } else if (token.text == "}") {
        --depth;
      } else if (depth == 2 && shader.image.empty()) {
        shader.image = std::string(StageImage(token.text, tokens));
      }
    }
    shaders.push_back(std::move(shader));
    pending = tokens.Next(token);
  }
  return shaders;
}

std::string ShaderKey(std::string_view shaderName) {
  std::string key = LowerAscii(shaderName);
  std::replace(key.begin(), key.end(), '\\', '/');
  key.resize(WithoutExtension(key).size());
  return key;
}

void ShaderIndex::AddScript(const std::vector<ShaderDefinition>& shaders) {
  std::unordered_set<std::string> seen;
  for (const ShaderDefinition& shader : shaders) {
    std::string key = ShaderKey(shader.name);
    if (!seen.insert(key).second) continue;
    images_[std::move(key)] = shader.image;
  }
}

const std::string* ShaderIndex::ImageFor(std::string_view shaderName) const {
  const auto found = images_.find(ShaderKey(shaderName));
  return found == images_.end() ? nullptr : &found->second;
}

ShaderIndex BuildShaderIndex(const GameFileSystem& files) {
  ShaderIndex index;
  for (const std::string& path : files.ListFiles("scripts")) {
    if (!EqualNoCase(ExtensionOf(path), ".shader")) continue;
    if (const auto bytes = files.Read(path))
      index.AddScript(ParseShaderScript(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())));
  }
  return index;
}

}  // namespace tessary
