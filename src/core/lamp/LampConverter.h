#pragma once

#include "lamp/LampPicture.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// Turns a monochrome (1-bit) BMP into a lamp picture. The bitmap is expected to be 2 x S dots
// wide and S high with the first picture in its left half; with the usual colour table (black,
// then white) each set bit gives a dot byte 1, each clear bit 0, and a table listing the lighter
// colour first turns that round, so that black is always a dark dot. Other dimensions are
// cropped to the picture and padded with 0, rows are kept from the bottom of the image up, and
// nothing past the file's data is read. Information headers of 40 bytes and the longer ones
// (108 and 124 bytes, as GIMP and ImageMagick write) are read alike.
class LampConverter {
public:
    // In the order the checks are made; the first failing check wins.
    enum class Error {
        None,
        CannotOpen,    // the file cannot be opened or read
        NotBmp,        // does not start with "BM"
        Damaged,       // length differs from the header's file size, or a header is cut short
        NotMonochrome, // bit count is not 1
        HeaderFormat,  // the old 12-byte core header, or one shorter than 40 bytes
        Compressed,    // compression field is not 0
        BadSize,       // size asked for is neither 16 nor 32 (a caller's mistake)
    };

    struct Result {
        Error error = Error::None;
        LampPicture picture; // valid only when error is None
        int bitmapWidth = 0; // the bitmap's dots, when its header was read
        int bitmapHeight = 0;
        bool ok() const { return error == Error::None; }
        // The user's message of the error (UTF-8, Chinese), empty for None.
        std::string message() const { return LampConverter::message(error); }
    };

    // Reads the file and converts it; a file that cannot be read gives CannotOpen.
    static Result convertFile(const std::string& path, int size);
    // Converts the bytes of a whole .bmp file.
    static Result convert(const uint8_t* data, size_t length, int size);
    static Result convert(const std::vector<uint8_t>& bytes, int size) {
        return convert(bytes.data(), bytes.size(), size);
    }

    static const char* message(Error error);
};

} // namespace dispcraft
