#pragma once

#include "base/ScratchDirectory.h"
#include "forms/AreaTable.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace dispcraft::test {

// Builds a 1-bit BMP of w x h dots; dark(x, y) with y = 0 the top row gives a clear bit.
inline std::vector<uint8_t> makeMonoBmp(int w, int h, const std::function<bool(int, int)>& dark,
                                        uint32_t pixelOffset = 62, uint16_t bitCount = 1) {
    const uint32_t rowLength = static_cast<uint32_t>((w + 31) / 32 * 4);
    const uint32_t dataSize = rowLength * static_cast<uint32_t>(h);
    const uint32_t fileSize = pixelOffset + dataSize;
    std::vector<uint8_t> b(fileSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        }
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, fileSize);
    put32(10, pixelOffset);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    b[26] = 1;
    b[28] = static_cast<uint8_t>(bitCount);
    b[29] = static_cast<uint8_t>(bitCount >> 8);
    // Colour table: index 0 black, index 1 white.
    b[58] = b[59] = b[60] = 0xFF;
    for (int row = 0; row < h; ++row) {
        const int y = h - 1 - row; // stored bottom-up
        for (int x = 0; x < w; ++x) {
            if (!dark(x, y)) {
                b[pixelOffset + static_cast<size_t>(row) * rowLength + static_cast<size_t>(x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }
    return b;
}

// A scratch directory removed at the end of the test.
class FormScratchDir : public ScratchDirectory {
public:
    explicit FormScratchDir(const std::string& name = "form") : ScratchDirectory(name) {}
    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        ScratchDirectory::write(name, bytes);
        return file(name);
    }
};

// Two ports for the address group: COM1 with six device types (octal, decimal, hexadecimal with
// bit number, ...) and bit numbers; COM2 with three types and no bit numbers.
// The same lists serve as register and relay types.
inline std::array<PlcPortAreas, 2> testPorts() {
    std::array<PlcPortAreas, 2> ports;
    for (auto& port : ports) {
        for (auto& t : port.wordAreas.areas) {
            t = {"end", "end", "end"};
        }
    }
    auto& com1 = ports[0].wordAreas.areas;
    com1[0] = {"X", "1777", "7777"};
    com1[1] = {"D", "9999", "9999"};
    com1[2] = {"W", "FFFF", "FFFF"};
    com1[3] = {"M", "0377", "3777"};
    com1[4] = {"R", "FF15", "FF19"};
    com1[5] = {"T", "0255", "2999"};
    auto& com2 = ports[1].wordAreas.areas;
    com2[0] = {"DM", "9999", "9999"};
    com2[1] = {"HR", "0511", "9999"};
    com2[2] = {"LR", "0199", "9999"};
    ports[0].bitNumberSetting = "15";
    ports[1].bitNumberSetting = "NO";
    for (auto& port : ports) {
        port.bitAreas = port.wordAreas;
    }
    return ports;
}

} // namespace dispcraft::test
