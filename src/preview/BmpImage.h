// A Windows bitmap file as ffmpeg's bmp encoder writes it, read from bytes
// that come from a child's pipe and so are checked before anything is drawn.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace trellimux {

struct BmpImage {
  int width = 0;
  int height = 0;           // rows, always positive here
  bool bottomUp = true;     // the file's first row is the picture's last
  int bitsPerPixel = 0;     // 24 or 32
  std::size_t stride = 0;   // bytes per row, padded to 4
  std::string_view pixels;  // stride * height bytes inside the file
};

// The largest picture taken: far beyond any preview, small enough that a
// damaged header cannot ask for gigabytes.
inline constexpr int kMaxBmpSide = 8192;

// How many first bytes of a bitmap file tell its whole size: "BM" and a
// 32-bit size.
inline constexpr std::size_t kBmpSizePrefix = 6;

// The whole size of the bitmap file that begins with `prefix` (its first
// kBmpSizePrefix bytes, as read from a pipe); nothing when they are not a
// bitmap's, or the size is below the headers' or beyond the largest
// picture's.
std::optional<std::size_t> BmpFileSize(std::string_view prefix);

// The picture of a bitmap file: "BM", a BITMAPINFOHEADER (or a larger
// header), uncompressed 24 or 32 bits per pixel, and all its rows inside
// `file`. Nothing for anything else. `pixels` points into `file`.
std::optional<BmpImage> ParseBmp(std::string_view file);

// The blue, green and red bytes of a pixel, counted from the picture's top
// left corner; x and y must lie inside the picture.
struct Bgr {
  std::uint8_t blue = 0, green = 0, red = 0;
};
Bgr PixelAt(const BmpImage& image, int x, int y);

}  // namespace trellimux
