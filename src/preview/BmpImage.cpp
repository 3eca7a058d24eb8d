#include "preview/BmpImage.h"

namespace trellimux {
namespace {

// Little-endian fields, read byte by byte: the file's bytes need no
// alignment and the reader no particular byte order.
std::uint32_t U32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

std::uint16_t U16(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kUncompressed = 0;     // BI_RGB

}  // namespace

std::optional<std::size_t> BmpFileSize(std::string_view prefix) {
  constexpr std::size_t kLargest =
      kFileHeaderSize + kInfoHeaderSize + std::size_t{kMaxBmpSide} * kMaxBmpSide * 4;
  if (prefix.size() < kBmpSizePrefix || prefix.substr(0, 2) != "BM") return std::nullopt;
  const std::size_t size = U32(prefix, 2);
  if (size < kFileHeaderSize + kInfoHeaderSize || size > kLargest) return std::nullopt;
  return size;
}

std::optional<BmpImage> ParseBmp(std::string_view file) {
  if (file.size() < kFileHeaderSize + kInfoHeaderSize || file.substr(0, 2) != "BM")
    return std::nullopt;
  const std::uint32_t pixelOffset = U32(file, 10);
  const std::uint32_t headerSize = U32(file, 14);
  const std::int32_t width = static_cast<std::int32_t>(U32(file, 18));
  const std::int32_t height = static_cast<std::int32_t>(U32(file, 22));
  const std::uint16_t planes = U16(file, 26);
  const std::uint16_t bits = U16(file, 28);
  const std::uint32_t compression = U32(file, 30);
  if (headerSize < kInfoHeaderSize || planes != 1 || (bits != 24 && bits != 32) ||
      compression != kUncompressed)
    return std::nullopt;
  if (width <= 0 || width > kMaxBmpSide || height == 0 || height < -kMaxBmpSide ||
      height > kMaxBmpSide)
    return std::nullopt;
  BmpImage image;
  image.width = width;
  image.height = height < 0 ? -height : height;
  image.bottomUp = height > 0;
  image.bitsPerPixel = bits;
  image.stride = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
  const std::size_t size = image.stride * image.height;
  if (pixelOffset < kFileHeaderSize + headerSize || pixelOffset > file.size() ||
      file.size() - pixelOffset < size)
    return std::nullopt;
  image.pixels = file.substr(pixelOffset, size);
  return image;
}

Bgr PixelAt(const BmpImage& image, int x, int y) {
  const std::size_t row = image.bottomUp ? image.height - 1 - y : y;
  const std::size_t at = row * image.stride + static_cast<std::size_t>(x) * image.bitsPerPixel / 8;
  return {static_cast<std::uint8_t>(image.pixels[at]),
          static_cast<std::uint8_t>(image.pixels[at + 1]),
          static_cast<std::uint8_t>(image.pixels[at + 2])};
}

}  // namespace trellimux
