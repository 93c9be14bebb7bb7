#pragma once

#include "base/Message.h"
#include "objects/PlcUse.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dispcraft {

struct ProjectStore;

// One use of a PLC address: the screen (0 for the project-wide records: keys every screen
// shares, alarm groups, data exchange records, panel settings), the kind of the object or record
// as the code names it, its 1-based index in its list there, and whether the panel reads or
// writes the address.
struct AddressUse {
    int screen = 0;
    const char* kind = "";
    int index = 0;
    PlcUse::Access access = PlcUse::Access::Read;

    bool operator==(const AddressUse&) const = default;
};

// One PLC address the project uses, in the notation of its port's protocol file, with its uses.
// A bit of a bit area always has its bit number (0 where the protocol takes none); a word has
// none.
struct AddressEntry {
    int port = 0; // 0 = COM1, 1 = COM2
    bool bit = false;
    int area = 0;
    uint32_t address = 0; // the device number
    int bitNumber = 0;
    std::string areaName;    // as the protocol file names it (UTF-8), "?" outside its list
    std::string addressText; // as the address keypad writes it
    std::vector<AddressUse> uses;

    std::string portName() const { return port == 1 ? "COM2" : "COM1"; }
    // "COM1 DM 0078", or "COM1 IR 0001.3" for a bit: what the simulator's memory table takes.
    std::string label() const;
};

// The cross-reference of a project's PLC addresses: every address a screen object, a key, an
// alarm group, a data exchange record or the panel settings read or write, sorted by port,
// area (word areas before bit areas, each in the protocol file's order) and device number. A
// value of several devices (a 32-bit value, an alarm group's bits, a data exchange block) uses
// each of them.
class AddressXref {
public:
    // Kinds of the project-wide records, after the object kinds.
    static constexpr const char* kKey = "Key";
    static constexpr const char* kFunctionKey = "FunctionKey"; // show screens only: never here
    static constexpr const char* kAlarmGroup = "AlarmGroup";
    static constexpr const char* kChangeRecord = "ChangeRecord";
    static constexpr const char* kPanelSettings = "PanelSettings";

    static std::vector<AddressEntry> build(const ProjectStore& store);
    // The entry (without uses) of device i of a use (0 for its first).
    static AddressEntry entryOf(const ProjectStore& store, const PlcUse& use, int i = 0);

    // "read", "write" or "read-write".
    static const char* accessName(PlcUse::Access access);
    // [{"port": "COM1", "area": "D", "address": "0100", "bit": null, "uses": [{"screen": 3,
    // "kind": "NumDisp", "index": 2, "access": "read"}]}]
    static std::string json(const std::vector<AddressEntry>& entries);
    // One line per use, the address on the first of its lines; "project" for screen 0.
    static std::string text(const std::vector<AddressEntry>& entries);

    // The entries a typed address names: "COM1 DM 0078", "DM 0078" or "DM0078" (either port),
    // with ".3" after the address for a bit (or a bit of a word, which names the word). Either
    // the indexes of the matching entries (none when the address is valid but unused), or why
    // the text names no address of the project's links.
    struct Found {
        bool valid = false;
        std::vector<size_t> entries;
        std::string label; // the address as it should be written, once valid
        Message error;
    };
    static Found find(const std::vector<AddressEntry>& entries, const ProjectStore& store,
                      std::string_view typed);
};

} // namespace dispcraft
