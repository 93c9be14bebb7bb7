#pragma once

#include "base/ScratchDirectory.h"
#include "forms/AreaTable.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include <unistd.h>

namespace dispcraft::test {

struct AreaSpec {
    const char* name;
    const char* range;
    const char* format;
};

// An area table holding the given areas, the rest "end" as a protocol file without them reads.
inline AreaTable makeAreas(std::initializer_list<AreaSpec> specs) {
    AreaTable t;
    for (auto& a : t.areas) {
        a = AddressArea{"end", "end", "end"};
    }
    size_t i = 0;
    for (const AreaSpec& s : specs) {
        t.areas[i++] = AddressArea{s.name, s.range, s.format};
    }
    return t;
}

// A port of a typical PLC: octal inputs and outputs, decimal relays, decimal data registers
// and a hexadecimal word area with bit numbers.
inline PlcPortAreas typicalPort(const std::string& bitSetting = "15") {
    PlcPortAreas p;
    p.bitAreas = makeAreas({{"X", "0377", "7777"},
                            {"Y", "0377", "7777"},
                            {"M", "3071", "9999"},
                            {"S", "0999", "9999"}});
    p.wordAreas = makeAreas({{"D", "7999", "9999"},
                             {"T", "0255", "9999"},
                             {"C", "0199", "9999"},
                             {"W", "FF15", "FF19"}});
    p.bitNumberSetting = bitSetting;
    return p;
}

// A scratch directory (a fake program directory) removed at the end of the test.
class SettingsScratch : public ScratchDirectory {
public:
    explicit SettingsScratch(const std::string& name) : ScratchDirectory(name) {}
    // Writes a file given relative with "/" and returns its path.
    std::string write(const std::string& relative, const std::string& text) const {
        ScratchDirectory::write(relative, text);
        return file(relative);
    }
};

} // namespace dispcraft::test
