// Reading MD3 files into model records: a bounds-checked parser over a byte buffer, the
// vertex weld and normal computation run on every new record, and LoadModelFile, which
// reads the file, reports failures, resolves textures and appends the records.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Workspace.h"
#include "content/ContentFiles.h"
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

// Merges vertices whose positions are equal in every frame: a vertex takes the new index of
// the first earlier vertex equal to it, or else the next unused one, in order of first
// appearance. Triangle corners are renumbered. Linear in vertices x frames.
void WeldVertices(ModelRecord& model);
// Smooth normals per frame: the unit normals of the faces around each vertex, each face with
// weight 1, summed and normalised; degenerate faces add nothing; a vertex with no usable
// face keeps (0, 0, 0).
void ComputeNormals(ModelRecord& model);
// True when every frame holds numVertices positions and normals and every triangle corner
// indexes them. The weld and the normals leave a record that fails this untouched.
bool HasConsistentGeometry(const ModelRecord& model);

// Opens the file at path and appends its records to the scene, each surface given its
// texture map (TextureRecords, with the named skin or the default one); the last record
// becomes current. A path that is not a file on disk is looked up in the base folder's file
// system. Failures are shown through the desktop and leave the scene as it was. Ends with a
// redraw and a panel refresh.
void LoadModelFile(Workspace& ws, const std::string& path, std::string_view skin = "default");
// The same for a file already located (a game path picked from the game's own list).
void LoadModelContent(Workspace& ws, const ContentFile& file, std::string_view skin = "default");

}  // namespace tessary
