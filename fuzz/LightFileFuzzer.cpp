// Fuzzes the .lgt reader: any bytes give a light or a refusal, and a light read back from
// its own encoding is the same light. The reader sees no more of a file than the import
// reads of it.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "light/LightFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  auto light = DecodeLightFile(std::span<const std::uint8_t>(data, std::min(size, kLightFileReadLimit)));
  if (!light) return 0;
  const auto bytes = EncodeLightFile(*light);
  if (bytes.size() != 106 + light->name.size()) std::abort();
  auto again = DecodeLightFile(bytes);
  if (!again || again->name != light->name) std::abort();
  // Compare the numbers bit for bit: NaNs must survive the round trip too.
  if (std::memcmp(again->ambient.data(), light->ambient.data(), sizeof light->ambient) != 0 ||
      std::memcmp(&again->spotCutoff, &light->spotCutoff, sizeof(float)) != 0)
    std::abort();
  return 0;
}
