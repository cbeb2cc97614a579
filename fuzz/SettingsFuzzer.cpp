// Fuzzes the settings reader: any bytes give settings or a refusal, and settings read back
// from their own text are written out the same way again.
#include <cstdlib>
#include <string_view>

#include "app/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  const auto settings = ParseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!settings) return 0;
  if (settings->recentModels.size() > kRecentModelLimit) std::abort();
  const std::string text = FormatSettings(*settings);
  const auto again = ParseSettings(text);
  if (!again || FormatSettings(*again) != text) std::abort();
  return 0;
}
