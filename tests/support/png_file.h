#pragma once

// PNG pictures for the display tests: an RGB image written as an
// uncompressed PNG file (stored deflate blocks), which any viewer opens.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace tarvex_test {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // row by row from the top, three bytes a pixel
};

// Writes `image` to `file`; false when the file cannot be written or the
// image is empty or inconsistent.
bool write_png(const std::filesystem::path& file, const RgbImage& image);

}  // namespace tarvex_test
