// Reading and writing single lights as .lgt files.
#include "light/LightFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>

#include "app/FileIO.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// The reader keeps a name in a 4096-byte area with two terminating zeros.
constexpr std::size_t kMaxNameLength = 4094;
constexpr std::size_t kFixedSize = 106;
constexpr std::uint8_t kMagic[4] = {'L', 'G', 'T', '0'};

void PutFloat(std::vector<std::uint8_t>& out, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void PutFloats(std::vector<std::uint8_t>& out, const std::array<float, 4>& values) {
  for (float v : values) PutFloat(out, v);
}

float GetFloat(const std::uint8_t* p) {
  std::uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return std::bit_cast<float>(bits);
}

void GetFloats(const std::uint8_t*& p, std::array<float, 4>& values) {
  for (float& v : values) {
    v = GetFloat(p);
    p += 4;
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeLightFile(const LightRecord& light) {
  // A longer name cannot be read back, so it is cut.
  const std::size_t n = std::min(light.name.size(), kMaxNameLength);
  std::vector<std::uint8_t> out;
  out.reserve(kFixedSize + n);
  out.insert(out.end(), std::begin(kMagic), std::end(kMagic));
  out.push_back(static_cast<std::uint8_t>(n & 0xFF));
  out.push_back(static_cast<std::uint8_t>(n >> 8));
  out.insert(out.end(), light.name.begin(), light.name.begin() + static_cast<std::ptrdiff_t>(n));
  PutFloats(out, light.ambient);
  PutFloats(out, light.diffuse);
  PutFloats(out, light.specular);
  PutFloats(out, light.position);
  PutFloats(out, light.direction);
  PutFloat(out, light.constantAttenuation);
  PutFloat(out, light.linearAttenuation);
  PutFloat(out, light.quadraticAttenuation);
  PutFloat(out, light.spotExponent);
  PutFloat(out, light.spotCutoff);
  return out;
}

std::optional<LightRecord> DecodeLightFile(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 6 || std::memcmp(bytes.data(), kMagic, 4) != 0) return std::nullopt;
  const auto length = static_cast<std::int16_t>(bytes[4] | (bytes[5] << 8));
  if (length < 0 || static_cast<std::size_t>(length) > kMaxNameLength) return std::nullopt;
  const auto n = static_cast<std::size_t>(length);
  // A file shorter than its name length promises is refused like a foreign one; bytes
  // after the last field are ignored.
  if (bytes.size() < kFixedSize + n) return std::nullopt;

  LightRecord light;
  const std::uint8_t* p = bytes.data() + 6;
  const auto* nameEnd = static_cast<const std::uint8_t*>(std::memchr(p, 0, n));
  light.name.assign(reinterpret_cast<const char*>(p), nameEnd != nullptr ? static_cast<std::size_t>(nameEnd - p) : n);
  p += n;
  GetFloats(p, light.ambient);
  GetFloats(p, light.diffuse);
  GetFloats(p, light.specular);
  GetFloats(p, light.position);
  GetFloats(p, light.direction);
  light.constantAttenuation = GetFloat(p);
  light.linearAttenuation = GetFloat(p + 4);
  light.quadraticAttenuation = GetFloat(p + 8);
  light.spotExponent = GetFloat(p + 12);
  light.spotCutoff = GetFloat(p + 16);
  light.enabled = 1;
  return light;
}

namespace {

std::string WithDefaultExtension(std::string path) {
  if (!PathHasDot(path)) path += ".lgt";
  return path;
}

// The name the save dialog offers: the light's name as a file name. A name with no
// characters offers none rather than a hidden ".lgt".
std::string SuggestedFileName(const LightRecord& light) {
  if (light.name.empty()) return {};
  std::string name = light.name;
  for (char& c : name) {
    if (c == '/') c = '_';  // a slash would make the name a path
  }
  return name + ".lgt";
}

}  // namespace

void ExportLight(Workspace& ws) {
  const LightRecord* light = ws.scene.CurrentLight();
  if (light == nullptr) return;
  auto choice = ws.desktop.ChooseFileToSave(kLightFileFilter, SuggestedFileName(*light));
  if (!choice) return;
  const std::string path = WithDefaultExtension(choice->path);
  if (WriteFileReplacing(path, EncodeLightFile(*light)) != 0)
    ws.desktop.ShowMessage(kUnableToCreateLightMessage);
}

void ImportLight(Workspace& ws) {
  auto choice = ws.desktop.ChooseFileToOpen(kLightFileFilter, "*.lgt");
  if (!choice) return;
  const std::string path = WithDefaultExtension(choice->path);
  auto bytes = ReadFileStart(path, kLightFileReadLimit);
  if (!bytes) {
    ws.desktop.ShowMessage(kUnableToOpenLightMessage);
    return;
  }
  auto light = DecodeLightFile(*bytes);
  if (!light) {
    ws.desktop.ShowMessage(kNotALightFileMessage);
    return;
  }
  ws.scene.lights.push_back(std::make_unique<LightRecord>(std::move(*light)));
  ws.desktop.RefreshPanel();
  ws.desktop.RequestSceneRedraw();
}

}  // namespace tessary
