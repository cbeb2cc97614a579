// The --info summary of MD3 files: parsed exactly as the viewer would load them, without
// textures, and printed as a table for people or as JSON lines for scripts.
#include "scene/ModelInfo.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>

#include <map>

#include "anim/PlayerLoading.h"
#include "app/ConsoleDesktop.h"
#include "content/TextureLookup.h"
#include "image/ImageDecoder.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {
namespace {

// Length of the valid UTF-8 sequence starting at text[i], or 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not valid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  struct Lead {
    std::size_t length;
    std::uint32_t min;    // smallest value this length may encode
    unsigned char bits;   // value bits of the lead byte
  };
  Lead lead{};
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    lead = {2, 0x80, 0x1F};
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    lead = {3, 0x800, 0x0F};
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    lead = {4, 0x10000, 0x07};
  } else {
    return 0;
  }
  const std::size_t length = lead.length;
  const std::uint32_t min = lead.min;
  std::uint32_t value = b0 & lead.bits;
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i + k) & 0x3Fu);
  }
  if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return length;
}

void AppendEscapedByte(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u00";
  out += kHex[c >> 4];
  out += kHex[c & 0xF];
}

// What one file gave: the parse with the image of each record and the skin that applied,
// or the loader's message.
struct FileInfo {
  std::optional<Md3Parse> parse;
  std::string error;
  std::vector<std::optional<std::string>> textures;  // per record
  std::optional<std::string> skin;
};

// The path of the image a surface shows: the file found, if it decodes.
std::optional<std::string> ShownImage(const Scene& scene, const std::optional<ContentFile>& file,
                                      std::map<std::string, bool>& decodes) {
  if (!file) return std::nullopt;
  auto [known, added] = decodes.try_emplace(file->path, false);
  if (added) {
    const auto bytes = ReadContentFile(scene, *file);
    known->second = bytes && DecodeImage(*bytes).ok();
  }
  return known->second ? std::optional<std::string>(file->path) : std::nullopt;
}

FileInfo Inspect(const Scene& scene, const std::string& path, std::string_view skin) {
  FileInfo info;
  const auto file = LocateFile(scene, path);
  if (!file) {
    info.error = kLoadErrorMessage;
    return info;
  }
  Md3Parse parse;
  try {
    parse = ReadMd3File(scene, *file);
  } catch (const std::bad_alloc&) {
    info.error = kLoadErrorMessage;
    return info;
  }
  if (!parse.ok) {
    info.error = parse.error;
    return info;
  }
  std::map<std::string, bool> decodes;
  const auto modelSkin = FindModelSkin(scene, *file, skin, nullptr);
  if (modelSkin) info.skin = modelSkin->file.path;
  for (std::size_t i = 0; i < parse.records.size(); ++i) {
    const auto image =
        FindSurfaceImage(scene, modelSkin ? &*modelSkin : nullptr, parse.records[i]->name, parse.shaderNames[i]);
    info.textures.push_back(ShownImage(scene, image, decodes));
  }
  info.parse = std::move(parse);
  return info;
}

std::string JsonPathOrNull(const std::optional<std::string>& path) { return path ? JsonString(*path) : "null"; }

void PrintJson(const std::string& path, const FileInfo& info, std::ostream& out) {
  out << "{\"file\": " << JsonString(path);
  if (!info.parse) {
    out << ", \"error\": " << JsonString(info.error) << "}\n";
    return;
  }
  const Md3Parse& p = *info.parse;
  out << ", \"frames\": " << p.numFrames << ", \"tags\": [";
  for (std::size_t i = 0; i < p.tagNames.size(); ++i) out << (i ? ", " : "") << JsonString(p.tagNames[i]);
  out << "], \"records\": [";
  for (std::size_t i = 0; i < p.records.size(); ++i) {
    const ModelRecord& m = *p.records[i];
    out << (i ? ", " : "") << "{\"name\": " << JsonString(m.name) << ", \"vertices\": " << m.numVertices
        << ", \"triangles\": " << m.numTriangles << ", \"frames\": " << m.FrameCount()
        << ", \"shader\": " << JsonString(p.shaderNames[i]) << ", \"texture\": " << JsonPathOrNull(info.textures[i])
        << "}";
  }
  out << "], \"skin\": " << JsonPathOrNull(info.skin) << "}\n";
}

// Names may hold any bytes; control characters would break the table (or the terminal),
// so they are shown as '?'.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = '?';
  }
  return out;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}
std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void PrintTable(const std::string& path, const FileInfo& info, std::ostream& out) {
  if (!info.parse) {
    out << Printable(path) << ": " << info.error << "\n";
    return;
  }
  const Md3Parse& p = *info.parse;
  out << Printable(path) << "\n";
  out << "  frames: " << p.numFrames << "\n";
  out << "  tags:  ";
  if (p.tagNames.empty()) out << " (none)";
  for (const auto& tag : p.tagNames) out << " " << Printable(tag);
  out << "\n";

  const std::vector<std::string> headers{"record", "vertices", "triangles", "frames", "shader"};
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < p.records.size(); ++i) {
    const ModelRecord& m = *p.records[i];
    rows.push_back({Printable(m.name), std::to_string(m.numVertices), std::to_string(m.numTriangles),
                    std::to_string(m.FrameCount()), p.shaderNames[i].empty() ? "-" : Printable(p.shaderNames[i])});
  }
  std::vector<std::size_t> width(headers.size());
  for (std::size_t c = 0; c < headers.size(); ++c) {
    width[c] = headers[c].size();
    for (const auto& row : rows) width[c] = std::max(width[c], row[c].size());
  }
  // Names and shaders read left to right; the counts line up on their last digit.
  auto printRow = [&](const std::vector<std::string>& row) {
    std::string line = "  " + PadRight(row[0], width[0]);
    for (std::size_t c = 1; c < 4; ++c) line += "  " + PadLeft(row[c], width[c]);
    line += "  " + row[4];
    out << line << "\n";
  };
  printRow(headers);
  for (const auto& row : rows) printRow(row);
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
          if (c < 0x20) {
            AppendEscapedByte(out, c);
          } else {
            out += static_cast<char>(c);
          }
      }
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      AppendEscapedByte(out, c);
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out += "\"";
  return out;
}

int PrintModelInfo(const std::vector<std::string>& files, bool json, std::ostream& out) {
  const Scene scene;
  return PrintModelInfo(files, json, out, scene, kDefaultSkin);
}

int ModelInfoCommandLine(const CommandLine& cl, std::ostream& out, std::ostream& err) {
  Scene scene;
  TrackballState trackball;
  ConsoleDesktop desktop(err);
  NullTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
  if (cl.baseFolder && !UseBaseFolderAndReport(ws, *cl.baseFolder)) return 1;
  if (cl.player.empty()) return PrintModelInfo(cl.files, cl.json, out, scene, cl.skin);
  const std::optional<NamedPlayer> named = FindNamedPlayer(scene, desktop, cl.player, cl.weapon);
  if (!named) return 1;
  std::vector<std::string> files{named->player.lower, named->player.upper, named->player.head};
  if (named->weapon) files.push_back(named->weapon->model);
  if (named->weapon && !named->weapon->barrel.empty()) files.push_back(named->weapon->barrel);
  return PrintModelInfo(files, cl.json, out, scene, cl.skin);
}

int PrintModelInfo(const std::vector<std::string>& files, bool json, std::ostream& out, const Scene& scene,
                   std::string_view skin) {
  int result = 0;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const FileInfo info = Inspect(scene, files[i], skin);
    if (!info.parse) result = 1;
    if (json) {
      PrintJson(files[i], info, out);
    } else {
      if (i > 0) out << "\n";
      PrintTable(files[i], info, out);
    }
  }
  return result;
}

}  // namespace tessary
