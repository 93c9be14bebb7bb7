#include "forms/PortParamForm.h"

#include "config/ConfigMessages.h"
#include "config/ProtocolFile.h"
#include "forms/FormMessages.h"

#include <strings.h>
#include <utility>

namespace dispcraft {

namespace {

bool sameText(const std::string& a, const std::string& b) {
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

bool missing(const std::string& v) { return sameText(v, ProtocolFile::kMissing); }

bool beginsWith(const std::string& entry, const std::string& prefix) {
    return entry.size() >= prefix.size() && strncasecmp(entry.c_str(), prefix.c_str(), prefix.size()) == 0;
}

int firstBeginningWith(const std::vector<std::string>& list, const std::string& text) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (beginsWith(list[i], text)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

const std::vector<std::string>& PortParamForm::baudEntries() {
    static const std::vector<std::string> rates{"1200",  "2400",  "4800",  "9600",
                                                "19200", "38400", "57600", "115200"};
    return rates;
}

int PortParamForm::parityChoice(char letter) {
    switch (letter) {
    case 'o':
    case 'O':
        return 0;
    case 'e':
    case 'E':
        return 1;
    default:
        return 2;
    }
}

uint16_t PortParamForm::baudNumber(const std::string& text) {
    uint32_t n = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            n = (n * 10 + static_cast<uint32_t>(c - '0')) & 0xFFFF;
        }
    }
    return static_cast<uint16_t>(n);
}

PortParamForm::PortParamForm(Preset preset) : m_preset(std::move(preset)) {
    m_fields.protocolName = m_preset.protocolName;
    m_fields.portNumber = m_preset.portNumber;
    if (m_preset.choices) {
        m_fields.choices = *m_preset.choices;
    }
    m_directory = "\\Protocol";
    if (m_preset.directoryMode == 1 && (m_preset.portIndex == 0 || m_preset.portIndex == 1)) {
        m_directory += m_preset.portIndex == 0 ? "120\\comport1" : "120\\comport2";
    }
    m_directoryPath = m_preset.dir.file(m_directory);
}

std::string PortParamForm::protocolPath(const std::string& directory) const {
    return m_preset.dir.file(directory + "\\" + m_fields.protocolName + ".ini");
}

void PortParamForm::open(MessageSink& sink) {
    if (m_preset.directoryMode == 1 && m_preset.portIndex != 0 && m_preset.portIndex != 1) {
        sink.show(Message::string(formmsg::kNoPortProtocolDirectory), Icon::Warning);
    } else if (m_preset.directoryMode != 0 && m_preset.directoryMode != 1) {
        sink.show(Message::string(formmsg::kUnknownPanelKind), Icon::Warning);
    }
    m_protocols = ProtocolFile::list(m_directoryPath);
    selectProtocol();
    if (int b = baudSelection(); b >= 0) {
        m_fields.choices.baudText = baudEntries()[static_cast<size_t>(b)];
    }
    // The PLC ID of the file the list offers: the protocols of a two-port model lie in its
    // port's directory, not in "Protocol".
    m_plcId = ProtocolFile(protocolPath(m_directory)).plcId();
}

void PortParamForm::selectProtocol() {
    if (int p = protocolSelection(); p >= 0) {
        m_fields.protocolName = m_protocols[static_cast<size_t>(p)];
    }
}

int PortParamForm::protocolSelection() const {
    return firstBeginningWith(m_protocols, m_fields.protocolName);
}

int PortParamForm::baudSelection() const {
    return firstBeginningWith(baudEntries(), m_fields.choices.baudText);
}

bool PortParamForm::visible(int control) const {
    switch (control) {
    case kValueButton:
        return m_plcId == kValuePlcId;
    case kBaudList:
        return m_plcId != kFixedRatePlcId;
    case kFixedRateNote:
        return m_plcId == kFixedRatePlcId;
    default:
        return true;
    }
}

void PortParamForm::readComsetting(const std::string& path, Source source, MessageSink& sink) {
    ProtocolFile file(path);
    Choices& c = m_fields.choices;
    const std::string bdrt = file.baudText();
    if (missing(bdrt)) {
        sink.show(Message::string(source == Source::Defaults ? configmsg::kNoDefaultBaudRate : configmsg::kPortNoBaudRate), Icon::Warning);
    } else {
        bool known = false;
        for (const std::string& rate : baudEntries()) {
            if (sameText(rate, bdrt)) {
                c.baudText = rate;
                known = true;
                break;
            }
        }
        if (!known) {
            sink.show(Message::string(source == Source::Defaults ? configmsg::kUnsupportedBaud : configmsg::kBaudRateUnsupported), Icon::Warning);
        }
    }
    const std::string data = file.dataBitsText();
    if (missing(data)) {
        sink.show(Message::string(configmsg::kNoDataBits), Icon::Warning);
    } else if (data == "7" || data == "8") {
        c.dataBits = data == "8" ? 1 : 0;
    } else {
        sink.show(Message::string(formmsg::kBadDataBits), Icon::Warning);
    }
    const std::string stop = file.stopBitsText();
    if (missing(stop)) {
        sink.show(Message::string(configmsg::kNoStopBits), Icon::Warning);
    } else if (stop == "1" || stop == "2") {
        c.stopBits = stop == "2" ? 1 : 0;
    } else {
        sink.show(Message::string(formmsg::kBadStopBits), Icon::Warning);
    }
    const std::string parity = file.parityText();
    if (missing(parity)) {
        sink.show(Message::string(configmsg::kNoParity), Icon::Warning);
    } else if (parity == "n" || parity == "e" || parity == "o") {
        c.parity = parityChoice(parity[0]);
    } else {
        sink.show(Message::string(formmsg::kBadParity), Icon::Warning);
    }
    if (source == Source::Changed) {
        m_plcId = file.plcId();
    }
}

void PortParamForm::protocolChanged(MessageSink& sink) {
    readComsetting(protocolPath(m_directory), Source::Changed, sink);
}

void PortParamForm::defaults(MessageSink& sink) {
    std::string directory = "\\Protocol";
    if (m_preset.directoryMode != 0) {
        directory += m_preset.portIndex == 1 ? "120\\comport2" : "120\\comport1";
    }
    readComsetting(protocolPath(directory), Source::Defaults, sink);
}

void PortParamForm::valueButton(const FormRunner<NumberForm>& run) {
    NumberForm form(m_fields.portNumber);
    if (auto v = run(form)) {
        m_fields.portNumber = v->value;
    }
}

FormOutcome<PortParamForm::Values> PortParamForm::ok() const {
    Values v;
    v.portNumber = m_fields.portNumber;
    v.choices = m_fields.choices;
    v.protocolName = m_fields.protocolName;
    return FormOutcome<Values>::accept(std::move(v));
}

} // namespace dispcraft
