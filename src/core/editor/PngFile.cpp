#include "editor/PngFile.h"

#include "base/FileIo.h"

#ifdef DISPCRAFT_HAVE_PNG
#include <png.h>
#endif

#include <cstdio>
#include <cstring>
#include <vector>

namespace dispcraft {

#ifdef DISPCRAFT_HAVE_PNG

bool PngFile::available() { return true; }

bool PngFile::write(const std::string& path, const RgbImage& image, std::string* error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, image.data(), 0, nullptr)) {
        if (error) {
            *error = png.message;
        }
        return false;
    }
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, image.data(), 0, nullptr)) {
        if (error) {
            *error = png.message;
        }
        png_image_free(&png);
        return false;
    }
    return FileIo::writeAtomic(path, bytes.data(), size, error);
}

std::optional<RgbImage> PngFile::read(const std::string& path, std::string* error) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        if (error) {
            *error = png.message;
        }
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGB;
    if (png.width > 16384 || png.height > 16384) {
        png_image_free(&png);
        if (error) {
            *error = "picture too large";
        }
        return std::nullopt;
    }
    RgbImage img(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, img.data(), 0, nullptr)) {
        if (error) {
            *error = png.message;
        }
        png_image_free(&png);
        return std::nullopt;
    }
    return img;
}

#else

bool PngFile::available() { return false; }

bool PngFile::write(const std::string&, const RgbImage&, std::string* error) {
    if (error) {
        *error = "built without libpng";
    }
    return false;
}

std::optional<RgbImage> PngFile::read(const std::string&, std::string* error) {
    if (error) {
        *error = "built without libpng";
    }
    return std::nullopt;
}

#endif

} // namespace dispcraft
