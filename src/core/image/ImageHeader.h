#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"

#include <cstddef>
#include <cstdint>

namespace dispcraft {

// The 40-byte header of a download image: the serial settings of both ports, where the trailing
// blocks start (offsets from the header), the start screen and the panel control settings.
struct ImageHeader {
    static constexpr size_t kSize = 40;
    static constexpr uint16_t kFormat = 51;
    // Bits of the control options.
    static constexpr uint8_t kUseAddress1 = 0x01;
    static constexpr uint8_t kUseAddress2 = 0x02;
    static constexpr uint8_t kAddress1OnCom2 = 0x04;
    static constexpr uint8_t kAddress2OnCom2 = 0x08;

    uint16_t format = kFormat;
    uint8_t com1Baud = 0; // the panel's rate code
    uint8_t com1DataBits = 0;
    uint8_t com1StopBits = 0;
    uint8_t com1Parity = 0; // 'E', 'N' or 'O'
    uint16_t screenTextsAt = 0;
    uint16_t glyphsAt = 0;
    uint16_t picturesAt = 0;
    uint16_t lampsAt = 0;
    uint8_t firstPairCell = 1;
    uint8_t com2Baud = 0;
    uint8_t com2DataBits = 0;
    uint8_t com2StopBits = 0;
    uint8_t com2Parity = 0;
    uint8_t startScreen = 0;
    uint8_t controlOptions = 0; // bits above, then the four further options
    // The panel control dialog's numbered settings, whose meaning is the panel's own.
    uint8_t panelSetting1 = 0; // 0..255
    uint16_t controlAddress2 = 0;
    uint16_t controlAddress1 = 0;
    uint8_t panelSetting2 = 0;    // 0..10
    uint8_t panelSetting4Low = 0; // the low byte of 0..1999
    uint8_t controlAreaBit2 = 0; // word area x 16 + bit number of control address 2
    uint8_t com1LinkKind = 0;
    uint8_t controlAreaBit1 = 0;
    uint8_t com2LinkKind = 0;
    uint16_t com1PortNumber = 0;
    uint16_t com2PortNumber = 0;
    uint16_t alarmTextsAt = 0;
    uint16_t panelSetting3 = 0; // 0..9999

    void write(ByteWriter& w) const;
    static ImageHeader read(ByteReader& r);
};

} // namespace dispcraft
