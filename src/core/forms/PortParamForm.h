#pragma once

#include "base/ProgramDirectory.h"
#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/NumberForm.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// The port parameter dialog (template 158): the protocol file of one serial port and the line
// settings that differ from the file's defaults.
class PortParamForm {
public:
    enum Control {
        kProtocolList = 1109,
        kBaudList = 1013,
        kDataBitsList = 1031,
        kParityList = 1032,
        kStopBitsList = 1022,
        kFixedRateNote = 1172,
        kValueButton = 1167,
        kDefaultsButton = 3,
    };
    static constexpr uint8_t kFixedRatePlcId = 250;
    static constexpr uint8_t kValuePlcId = 2;

    // The four line settings as the lists choose them.
    struct Choices {
        std::string baudText;  // one of the eight rates
        int dataBits = 1;      // 0 = 7 bits, 1 = 8 bits
        int parity = 2;        // 0 odd, 1 even, 2 none
        int stopBits = 0;      // 0 = 1 bit, 1 = 2 bits
    };
    struct Preset {
        ProgramDirectory dir;
        int directoryMode = 0; // 0 = one-port model ("Protocol"), 1 = two-port model
        int portIndex = 0;     // 0 = COM1, 1 = COM2
        long long portNumber = 0;
        std::string protocolName;
        // The port's override when it has one; otherwise the caller runs protocolChanged() on
        // the unopened form to take the protocol file's defaults.
        std::optional<Choices> choices;
    };
    struct Fields {
        std::string protocolName;
        Choices choices;
        long long portNumber = 0;
    };
    struct Values {
        long long portNumber = 0;
        Choices choices;
        std::string protocolName;
    };

    explicit PortParamForm(Preset preset);

    // Opening: the directory (63517 / 63518 for a mode and port that do not fit), the lists,
    // the PLC ID and what it shows.
    void open(MessageSink& sink);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }

    const std::vector<std::string>& protocolEntries() const { return m_protocols; }
    static const std::vector<std::string>& baudEntries();
    // The list entries chosen: the first that begins with the field's text (any case), -1 none.
    int protocolSelection() const;
    int baudSelection() const;
    bool visible(int control) const;
    int plcId() const { return m_plcId; }
    // The directory the protocol files are listed from and read in.
    const std::string& protocolDirectory() const { return m_directory; }

    // Events.
    void protocolChanged(MessageSink& sink);
    void defaults(MessageSink& sink);
    void valueButton(const FormRunner<NumberForm>& run);

    FormOutcome<Values> ok() const;

    // The line settings of a choice, as the project keeps them.
    static uint8_t dataBitsOf(int choice) { return choice != 0 ? 8 : 7; }
    static uint8_t stopBitsOf(int choice) { return choice != 0 ? 2 : 1; }
    static char parityOf(int choice) { return choice == 0 ? 'o' : choice == 1 ? 'e' : 'n'; }
    static int parityChoice(char letter);
    // The decimal value of a rate text's digits (blanks skipped), in 16 bits.
    static uint16_t baudNumber(const std::string& text);

private:
    enum class Source { Changed, Defaults };
    void readComsetting(const std::string& path, Source source, MessageSink& sink);
    void selectProtocol();
    std::string protocolPath(const std::string& directory) const;

    Preset m_preset;
    Fields m_fields;
    std::string m_directory;    // relative to the program directory, Windows style
    std::string m_directoryPath; // resolved
    std::vector<std::string> m_protocols;
    int m_plcId = 0;
};

} // namespace dispcraft
