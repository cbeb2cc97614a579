// Reading MD3 files into model records: a bounds-checked parser over a byte buffer, the
// vertex weld and normal computation run on every new record, and LoadModelFile, which
// reads the file, reports failures, resolves textures and appends the records.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "scene/ModelRecord.h"

namespace tessary {

// The message for any file that is not a well-formed MD3.
inline constexpr const char* kNotAnMd3Message = "This is not a MD3!";
inline constexpr const char* kLoadErrorMessage = "There was an error loading the specified file!";

struct Md3Parse {
  bool ok = false;
  std::string error;  // kNotAnMd3Message when !ok
  std::int32_t numFrames = 0;
  std::vector<std::string> tagNames;
  // One record per surface read (or the "Dummy" record), welded and with normals, tags,
  // boxes and work buffers in place; textures not resolved.
  std::vector<std::unique_ptr<ModelRecord>> records;
  // The first shader name of each record's surface ("" when it has none), same order.
  std::vector<std::string> shaderNames;
};

Md3Parse ParseMd3(std::span<const std::uint8_t> bytes);

void WeldVertices(ModelRecord& model);
void ComputeNormals(ModelRecord& model);

// Opens the file at path and appends its records to the scene, each surface's first shader
// resolved to its texture map; the last record becomes current. Failures are shown through
// the desktop and leave the scene as it was. Ends with a redraw and a panel refresh.
void LoadModelFile(Workspace& ws, const std::string& path);

}  // namespace tessary
