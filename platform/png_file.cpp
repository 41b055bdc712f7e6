// PNG files through libpng's simplified API.
#include "platform/png_file.h"

#include <png.h>

#include <cstring>

namespace platform {

bool write_png(const std::string &path, const uint32_t *pixels, int width, int height, int stride,
               std::string &error) {
    if (width <= 0 || height <= 0) {
        error = "empty image";
        return false;
    }
    std::vector<uint8_t> rgb(size_t(width) * size_t(height) * 3);
    for (int y = 0; y < height; y++) {
        const uint32_t *row = pixels + size_t(y) * size_t(stride);
        uint8_t *out = rgb.data() + size_t(y) * size_t(width) * 3;
        for (int x = 0; x < width; x++) {
            out[3 * x] = uint8_t(row[x] >> 16);
            out[3 * x + 1] = uint8_t(row[x] >> 8);
            out[3 * x + 2] = uint8_t(row[x]);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
        error = std::string("cannot write ") + path + ": " + image.message;
        return false;
    }
    return true;
}

bool read_png(const std::string &path, std::vector<uint32_t> &pixels, int &width, int &height,
              std::string &error) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = std::string("cannot read ") + path + ": " + image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
        error = std::string("cannot decode ") + path + ": " + image.message;
        png_image_free(&image);
        return false;
    }
    width = int(image.width);
    height = int(image.height);
    pixels.resize(size_t(width) * size_t(height));
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = (uint32_t(rgb[3 * i]) << 16) | (uint32_t(rgb[3 * i + 1]) << 8) | rgb[3 * i + 2];
    return true;
}

} // namespace platform
