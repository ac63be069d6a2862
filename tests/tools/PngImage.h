#pragma once

#include <png.h>

#include <string>
#include <vector>

// A PNG file's pixels as 8-bit RGB, read with libpng; empty when the file cannot be read.
struct PngImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  explicit PngImage(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
      rgb.clear();
      return;
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
  }

  // The sum of the three channels: 765 is white.
  int Brightness(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 765;
    const size_t at = 3 * (static_cast<size_t>(y) * width + x);
    return rgb[at] + rgb[at + 1] + rgb[at + 2];
  }
};
