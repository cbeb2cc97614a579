// Recognising an image format by the first bytes of the file.
#include "image/ImageDecoder.h"

#include <algorithm>

#include "image/DecodeSupport.h"

namespace tessary {

DecodeResult DecodeImage(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0x0A && bytes[1] == 0x05) return DecodePcx(bytes);
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return DecodeBmp(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return DecodeJpeg(bytes);
  static constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::equal(kPngSignature, kPngSignature + 8, bytes.begin())) return DecodePng(bytes);
  if (bytes.size() >= 3 && (bytes[2] == 2 || bytes[2] == 10)) return DecodeTga(bytes);
  return decode::NotRecognized();
}

}  // namespace tessary
