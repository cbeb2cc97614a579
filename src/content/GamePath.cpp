// Game path normalisation and the case-blind string helpers.
#include "content/GamePath.h"

#include <algorithm>

namespace tessary {

namespace {
char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::optional<std::string> NormalizeGamePath(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && name[end] != '/' && name[end] != '\\') ++end;
    const std::string_view part = name.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") {
      if (!out.empty()) out += '/';
      out.append(part);
    } else if (end == name.size() && !out.empty()) {
      return std::nullopt;  // a trailing '/' names a folder, not a file
    }
    start = end + 1;
  }
  if (out.empty()) return std::nullopt;
  return out;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar(c);
  return out;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerChar(x) == LowerChar(y);
         });
}

bool LessNoCase(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerChar(x)) < static_cast<unsigned char>(LowerChar(y));
  });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string_view LastPart(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FolderPart(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view last = LastPart(path);
  const std::size_t dot = last.find_last_of('.');
  return dot == std::string_view::npos ? std::string_view() : last.substr(dot);
}

std::string_view WithoutExtension(std::string_view path) {
  return path.substr(0, path.size() - ExtensionOf(path).size());
}

}  // namespace tessary
