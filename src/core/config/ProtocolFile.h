#pragma once

#include "config/IniFile.h"
#include "model/AddressArea.h"
#include "model/Capacity.h"
#include "model/PortProtocol.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

class ProgramDirectory;
struct ProjectStore;

// One PLC protocol file ("<name>.ini" beside the protocol's link drivers). Every text key is read
// with a 100-byte buffer; "end" marks a missing text key.
class ProtocolFile {
public:
    static constexpr const char* kMissing = "end";
    static constexpr int kMaxExchangeLimit = 100;

    ProtocolFile() = default;
    explicit ProtocolFile(const std::string& path);
    explicit ProtocolFile(IniFile ini) : m_ini(std::move(ini)) {}

    bool found() const { return m_found; }

    // Comsetting: the port's default line settings as written, "end" when missing.
    std::string baudText() const;
    std::string dataBitsText() const;
    std::string stopBitsText() const;
    std::string parityText() const;

    // LinkProtocol: the protocol identifier (three-digit rule, kept in one byte; "000" when
    // missing) and the link's display name ("000" when missing).
    uint8_t plcId() const;
    std::string linkName() const;

    // Changword / Changebit: the 10 word and bit areas (name, range and format texts).
    std::array<AddressArea, capacity::kAreas> wordAreas() const;
    std::array<AddressArea, capacity::kAreas> bitAreas() const;
    // Section "station", key "station".
    std::string stationText() const;
    // Section "Station": default, largest and smallest station (default 1 each).
    int defaultStation() const;
    int maxStation() const;
    int minStation() const;
    // Changdata: largest length and number of exchange records (three-digit rule, defaults
    // "016" and "010").
    int changePerLen() const;
    int changeMaxNum() const;

    // What the project keeps of the file for one port.
    PortProtocol portProtocol() const;

    // The first three characters read as decimal digits without any check, as the panel
    // tools always have: "016" gives 16. Missing characters count as a terminating NUL.
    static int threeDigits(const std::string& text);

    // Titles (file names without ".ini", any case of the extension) of the protocol files of a
    // directory, sorted by name so that every run lists them alike. A missing directory gives
    // an empty list.
    static std::vector<std::string> list(const std::string& directory);

    // Where a port's protocol file lies. The project reader puts the COM1 file of a CPU_ID 2
    // model in "Protocol120\comport1", other models' in "Protocol"; COM2's is always in
    // "Protocol120\comport2".
    static std::string projectPath(const ProgramDirectory& dir, int cpuId, int port,
                                   const std::string& name);
    // The build's rule: COM1 in "Protocol" only for CPU_ID 1, else in "Protocol120\comport1".
    static std::string buildPath(const ProgramDirectory& dir, int cpuId, int port,
                                 const std::string& name);
    // A port's directory for the new-project dialog, by the model's port count.
    static std::string dialogPath(const ProgramDirectory& dir, bool twoPort, int port,
                                  const std::string& name);

    // Link drivers. The COM1 driver whose first 4096 bytes open the image of a CPU_ID 1 model:
    // "Protocol\<name>.bin".
    static std::string imageDriverPath(const ProgramDirectory& dir, const std::string& com1Name);
    // The drivers the download sends: "Protocol120\comport1\<name>_1.bin" and
    // "Protocol120\comport2\<name>_2.bin", or both in "Protocol120\comport_B" for type B.
    static std::string downloadDriverPath(const ProgramDirectory& dir, int port,
                                          const std::string& name, bool typeB);

    // Reads both ports' files named in the store into it: areas, station text and exchange
    // limits of each port, the three station numbers from COM1, and the effective exchange
    // limits (1 each unless both ports have a protocol; then the smaller of the two, at most
    // 100). A port without a protocol name gets the defaults of a missing file.
    static void readIntoStore(ProjectStore& store, const ProgramDirectory& dir);
    // The link kind of a port for the image header: PLCID modulo 256 of the file the build uses.
    static uint8_t readLinkKind(const ProjectStore& store, const ProgramDirectory& dir, int port);

    const IniFile& ini() const { return m_ini; }

private:
    std::string text(const char* section, const std::string& key, const char* def) const;
    std::array<AddressArea, capacity::kAreas> areas(const char* section, const char* prefix) const;

    IniFile m_ini;
    bool m_found = true;
};

} // namespace dispcraft
