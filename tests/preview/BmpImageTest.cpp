#include <gtest/gtest.h>

#include <string>

#include "preview/BmpImage.h"

namespace trellimux {
namespace {

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A bitmap file as ffmpeg's bmp encoder writes it: 54 header bytes, rows
// bottom-up, each pixel's bytes b, g, r (, 0) with b = x, g = y, r = bits.
std::string Bitmap(int width, int height, int bits) {
  const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
  const int rows = height < 0 ? -height : height;
  std::string bytes(54 + stride * rows, '\0');
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<std::uint32_t>(bytes.size()));
  Put32(bytes, 10, 54);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<std::uint32_t>(width));
  Put32(bytes, 22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = static_cast<char>(bits);
  for (int row = 0; row < rows; ++row) {
    const int y = height > 0 ? rows - 1 - row : row;
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 54 + row * stride + static_cast<std::size_t>(x) * bits / 8;
      bytes[at] = static_cast<char>(x);
      bytes[at + 1] = static_cast<char>(y);
      bytes[at + 2] = static_cast<char>(bits);
    }
  }
  return bytes;
}

TEST(BmpImage, ReadsTheRowsOfBottomUpAndTopDownPictures) {
  const struct {
    int width, height, bits;
    std::size_t stride;
  } cases[] = {{3, 2, 24, 12}, {4, 3, 24, 12}, {5, -2, 24, 16}, {3, 2, 32, 12}};
  for (const auto& c : cases) {
    const std::string file = Bitmap(c.width, c.height, c.bits);
    const std::optional<BmpImage> image = ParseBmp(file);
    ASSERT_TRUE(image) << c.width << "x" << c.height;
    EXPECT_EQ(image->width, c.width);
    EXPECT_EQ(image->height, c.height < 0 ? -c.height : c.height);
    EXPECT_EQ(image->bottomUp, c.height > 0);
    EXPECT_EQ(image->stride, c.stride);
    for (int y = 0; y < image->height; ++y)
      for (int x = 0; x < c.width; ++x) {
        const Bgr pixel = PixelAt(*image, x, y);
        EXPECT_EQ(pixel.blue, x);
        EXPECT_EQ(pixel.green, y);
        EXPECT_EQ(pixel.red, c.bits);
      }
  }
}

TEST(BmpImage, RefusesWhatIsNoWholeUncompressedPicture) {
  const std::string good = Bitmap(4, 3, 24);
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"nothing", ""},
      {"the header alone", good.substr(0, 54)},
      {"one byte short", good.substr(0, good.size() - 1)},
      {"not BM", "XY" + good.substr(2)},
      {"ffmpeg's error text", "[image2pipe @ 0x1] Could not find codec parameters\r\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(ParseBmp(c.bytes)) << c.what;

  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
  } fields[] = {
      {"8 bits per pixel", 28, 8},
      {"RLE compressed", 30, 1},
      {"no planes", 26, 0},
      {"an old 12-byte header", 14, 12},
      {"zero width", 18, 0},
      {"negative width", 18, 0xFFFFFFFF},
      {"a huge height", 22, 100000},
      {"zero height", 22, 0},
      {"pixels past the end", 10, 60},
      {"pixels inside the header", 10, 20},
      {"pixel offset past the end", 10, 0xFFFFFFF0},
  };
  for (const auto& c : fields) {
    std::string bytes = good;
    if (c.at == 26 || c.at == 28) {
      bytes[c.at] = static_cast<char>(c.value);
      bytes[c.at + 1] = 0;
    } else {
      Put32(bytes, c.at, c.value);
    }
    EXPECT_FALSE(ParseBmp(bytes)) << c.what;
  }
}

TEST(BmpImage, TellsAFilesSizeFromItsFirstBytes) {
  const std::string good = Bitmap(4, 3, 24);
  std::string huge = good.substr(0, kBmpSizePrefix);
  Put32(huge, 2, 0xFFFFFFF0u);  // a damaged header must not ask for 4 GB
  const struct {
    const char* what;
    std::string prefix;
    std::optional<std::size_t> size;
  } cases[] = {
      {"a bitmap", good.substr(0, kBmpSizePrefix), good.size()},
      {"too few bytes", good.substr(0, kBmpSizePrefix - 1), std::nullopt},
      {"not BM", "XY" + good.substr(2, kBmpSizePrefix - 2), std::nullopt},
      {"smaller than its headers", "BM" + std::string("\x35\0\0\0", 4), std::nullopt},
      {"beyond the largest picture", huge, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(BmpFileSize(c.prefix), c.size) << c.what;
}

}  // namespace
}  // namespace trellimux
