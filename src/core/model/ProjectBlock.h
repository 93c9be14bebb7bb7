#pragma once

#include "objects/PlcUse.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

namespace dispcraft {

#pragma pack(push, 1)
// Links, serial settings and panel control settings, written verbatim to the project file.
struct ProjectBlock {
    char com1Protocol[20]; // protocol file name without ".ini", NUL-terminated
    char com2Protocol[20];
    // The line settings, each field COM1's then COM2's.
    uint16_t baud[2]; // low 16 bits of the rate: 115200 is kept as 49664
    uint8_t dataBits[2];
    uint8_t stopBits[2];
    uint8_t parity[2]; // 'e', 'n' or 'o'
    // The panel control settings, offsets 50..64: what the settings dialog calls them.
    uint8_t startScreen;
    uint8_t panelOptions; // paneloption bits
    uint8_t panelSetting1; // 0..255
    uint8_t reserved53;
    uint16_t controlAddress1; // the two control addresses of the panel (low 16 bits)
    uint16_t controlAddress2;
    uint8_t controlAreaAndBit1; // of address 1; the image's COM2 station byte
    uint8_t controlAreaAndBit2; // of address 2; the image's COM1 station byte
    uint8_t panelSetting4;      // 0..1999: the low byte, which alone goes to the image
    uint8_t panelSetting4High;
    uint16_t panelSetting3; // 0..9999
    uint8_t panelSetting2;  // 0..10
    uint8_t reserved65[3];
    uint32_t portNumbers; // (COM1 port number << 16) | COM2 port number
    uint8_t reserved72[4];

    // The index of a port's fields (1 COM1, 2 COM2).
    static size_t portIndex(int port) { return port == 2 ? 1 : 0; }

    static std::string nameOf(const char (&field)[20]) {
        return std::string(field, strnlen(field, sizeof field));
    }
    // At most 19 characters, zero-filled.
    static void setName(char (&field)[20], const std::string& s) {
        std::memset(field, 0, sizeof field);
        std::memcpy(field, s.data(), s.size() < 19 ? s.size() : 19);
    }

    // Bits of panelOptions.
    static constexpr uint8_t kUseAddress1 = 0x01;
    static constexpr uint8_t kUseAddress2 = 0x02;
    static constexpr uint8_t kAddress1OnCom2 = 0x04;
    static constexpr uint8_t kAddress2OnCom2 = 0x08;

    // The control addresses, each while it is in use: the screen number word (address 1) and
    // the two words of screen bits (address 2). The panel and the PLC both write them.
    std::array<std::optional<PlcUse>, 2> controlUses() const {
        auto use = [&](uint8_t inUse, uint8_t onCom2, uint8_t areaAndBit, uint16_t address,
                       int words) -> std::optional<PlcUse> {
            if (!(panelOptions & inUse)) {
                return std::nullopt;
            }
            const int port = (panelOptions & onCom2) ? 1 : 0;
            return PlcUse{port, false, areaAndBit >> 4, address, 0, words, PlcUse::Access::ReadWrite};
        };
        return {use(kUseAddress1, kAddress1OnCom2, controlAreaAndBit1, controlAddress1, 1),
                use(kUseAddress2, kAddress2OnCom2, controlAreaAndBit2, controlAddress2, 2)};
    }
};
#pragma pack(pop)
static_assert(sizeof(ProjectBlock) == 76);

// Bits of the panel control settings' option byte.
namespace paneloption {
constexpr uint8_t kUseAddress1 = 0x01;
constexpr uint8_t kUseAddress2 = 0x02;
constexpr uint8_t kAddress1OnCom2 = 0x04;
constexpr uint8_t kAddress2OnCom2 = 0x08;
constexpr uint8_t kOptionA = 0x10;
constexpr uint8_t kOptionB = 0x20;
constexpr uint8_t kOptionC = 0x40;
constexpr uint8_t kOptionD = 0x80;
} // namespace paneloption

// The stored 16-bit baud field and the rate it stands for.
inline uint16_t storedBaud(uint32_t rate) { return static_cast<uint16_t>(rate & 0xFFFF); }
inline uint32_t baudFromStored(uint16_t stored) { return stored == 49664 ? 115200u : stored; }

} // namespace dispcraft
