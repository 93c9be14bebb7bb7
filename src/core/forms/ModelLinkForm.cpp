#include "forms/ModelLinkForm.h"

#include "config/ConfigMessages.h"
#include "config/ProtocolFile.h"
#include "forms/FormMessages.h"
#include "forms/FormText.h"
#include "model/ProjectBlock.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#include <strings.h>
#include <utility>

namespace dispcraft {

namespace {

bool missing(const std::string& v) { return strcasecmp(v.c_str(), ProtocolFile::kMissing) == 0; }

// A key that is present but empty has no first character to take.
bool absent(const std::string& v) { return v.empty() || missing(v); }

uint16_t leadingDigits(const std::string& text) {
    uint32_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        n = (n * 10 + static_cast<uint32_t>(c - '0')) & 0xFFFF;
    }
    return static_cast<uint16_t>(n);
}

std::string noCom2LinkName() {
    std::string text = LanguageStrings::current().text(configmsg::kNotUsedLinkName);
    Gb2312::Result gb = Gb2312::fromUtf8(text);
    return gb.ok ? gb.text : text;
}

int preselect(const std::vector<std::string>& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].size() >= name.size() &&
            strncasecmp(list[i].c_str(), name.c_str(), name.size()) == 0) {
            return static_cast<int>(i);
        }
    }
    return list.empty() ? -1 : 0;
}

} // namespace

ModelLinkForm::ModelLinkForm(ProgramDirectory dir, std::string modelFile)
    : m_dir(std::move(dir)), m_modelFile(modelFile) {}

ModelType ModelLinkForm::currentType() const { return m_modelFile.type(m_fields.model + 1); }

void ModelLinkForm::open(MessageSink& sink) {
    m_models.clear();
    for (const std::string& name : m_modelFile.modelNames()) {
        m_models.push_back(formtext::fromStore(name));
    }
    m_fields.model = 0;
    modelChanged(sink);
}

int ModelLinkForm::protocolSelection(int port) const {
    const auto& list = m_lists[port == 1];
    const std::string& name = m_fields.protocols[port == 1];
    for (size_t i = 0; i < list.size(); ++i) {
        if (strcasecmp(list[i].c_str(), name.c_str()) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ModelLinkForm::enabled(int control) const {
    if (control == kCom2List || control == kCom2Params) {
        return m_twoPort;
    }
    return true;
}

std::string ModelLinkForm::summary() const {
    return "COM1:\r\n" + formtext::fromStore(m_links[0].linkName) + "\r\n\r\nCOM2:\r\n" +
           formtext::fromStore(m_links[1].linkName);
}

void ModelLinkForm::modelChanged(MessageSink& sink) {
    ModelType type = currentType();
    m_lists[0].clear();
    m_lists[1].clear();
    m_twoPort = type.twoPort;
    m_lists[0] = ProtocolFile::list(m_dir.file(type.com1Directory));
    if (m_twoPort) {
        m_lists[1] = ProtocolFile::list(m_dir.file(type.com2Directory));
    } else {
        m_links[1].linkName = noCom2LinkName();
    }
    const std::array<std::string, 2> defaults{type.com1Default, type.com2Default};
    for (int p = 0; p < 2; ++p) {
        int sel = preselect(m_lists[p], defaults[p]);
        m_fields.protocols[p] = sel >= 0 ? m_lists[p][static_cast<size_t>(sel)] : std::string();
    }
    com1Changed(sink);
    com2Changed(sink);
}

void ModelLinkForm::protocolChanged(int port, MessageSink& sink) {
    if (port == 1) {
        com2Changed(sink);
    } else {
        com1Changed(sink);
    }
}

void ModelLinkForm::readComsetting(int port, const std::string& path, MessageSink& sink) {
    ProtocolFile file(path);
    Link& l = m_links[port];
    const std::string bdrt = file.baudText();
    if (missing(bdrt)) {
        sink.show(Message::string(port == 0 ? configmsg::kCom1NoBaudRate : configmsg::kPortNoBaudRate), Icon::Warning);
        return;
    }
    if (port == 0) {
        bool known = false;
        for (const std::string& rate : PortParamForm::baudEntries()) {
            if (strcasecmp(rate.c_str(), bdrt.c_str()) == 0) {
                l.rateText = rate;
                known = true;
            }
        }
        if (!known) {
            // The rate is not taken; the settings go on from the previous one.
            sink.show(Message::string(configmsg::kUnsupportedBaud), Icon::Warning);
        }
    } else {
        l.rateText = bdrt;
    }
    l.settings = l.rateText;
    l.baud = leadingDigits(l.rateText);
    const std::string data = file.dataBitsText();
    if (absent(data)) {
        sink.show(Message::string(configmsg::kNoDataBits), Icon::Warning);
    } else {
        l.settings += "," + data;
        l.dataBits = static_cast<uint8_t>(data[0] - '0');
    }
    const std::string stop = file.stopBitsText();
    if (absent(stop)) {
        sink.show(Message::string(configmsg::kNoStopBits), Icon::Warning);
    } else {
        l.settings += "," + stop;
        l.stopBits = static_cast<uint8_t>(stop[0] - '0');
    }
    const std::string parity = file.parityText();
    if (absent(parity)) {
        sink.show(Message::string(configmsg::kNoParity), Icon::Warning);
    } else {
        l.settings += "," + parity;
        l.parity = parity[0];
    }
    l.plcId = file.plcId();
    l.linkName = file.linkName();
}

void ModelLinkForm::com1Changed(MessageSink& sink) {
    readComsetting(0, ProtocolFile::dialogPath(m_dir, m_twoPort, 1, m_fields.protocols[0]), sink);
}

void ModelLinkForm::com2Changed(MessageSink& sink) {
    if (!m_twoPort) {
        return;
    }
    readComsetting(1, ProtocolFile::dialogPath(m_dir, true, 2, m_fields.protocols[1]), sink);
}

PortParamForm ModelLinkForm::portParamForm(int port, MessageSink& sink) const {
    const int p = port == 1 ? 1 : 0;
    const Link& l = m_links[p];
    PortParamForm::Preset preset;
    preset.dir = m_dir;
    preset.directoryMode = currentType().twoPort ? 1 : 0;
    preset.portIndex = p;
    preset.portNumber = l.portNumber;
    preset.protocolName = m_fields.protocols[p];
    if (l.override.dataBits != 0) {
        PortParamForm::Choices c;
        c.dataBits = l.override.dataBits - 7;
        c.stopBits = l.override.stopBits - 1;
        c.parity = PortParamForm::parityChoice(l.override.parity);
        c.baudText = l.override.baudText;
        preset.choices = c;
    }
    PortParamForm form(preset);
    if (!preset.choices) {
        form.protocolChanged(sink);
    }
    return form;
}

void ModelLinkForm::portParametersDone(int port, const std::optional<PortParamForm::Values>& result,
                                       MessageSink& sink) {
    const int p = port == 1 ? 1 : 0;
    if (result) {
        Link& l = m_links[p];
        l.portNumber = static_cast<int32_t>(result->portNumber);
        l.override.dataBits = PortParamForm::dataBitsOf(result->choices.dataBits);
        l.override.stopBits = PortParamForm::stopBitsOf(result->choices.stopBits);
        l.override.parity = PortParamForm::parityOf(result->choices.parity);
        l.override.baudText = result->choices.baudText;
        m_fields.protocols[p] = result->protocolName;
    }
    protocolChanged(p, sink);
}

void ModelLinkForm::portParameters(int port, MessageSink& sink,
                                   const FormRunner<PortParamForm>& run) {
    PortParamForm form = portParamForm(port, sink);
    form.open(sink);
    portParametersDone(port, run(form), sink);
}

FormOutcome<ModelLinkForm::Values> ModelLinkForm::ok(MessageSink& sink) {
    com1Changed(sink);
    com2Changed(sink);
    Values v;
    NewProjectChoice& c = v.choice;
    c.modelTitle = currentType().idStr;
    c.com1ProtocolName = m_fields.protocols[0];
    c.com2ProtocolName = m_twoPort ? m_fields.protocols[1] : std::string();
    c.com1LinkName = m_links[0].linkName;
    c.com2LinkName = m_links[1].linkName;
    c.com1PortNumber = m_links[0].portNumber;
    c.com2PortNumber = m_links[1].portNumber;
    for (int p = 0; p < 2; ++p) {
        const Link& l = m_links[p];
        SerialSettings s;
        uint16_t baud = l.baud;
        s.dataBits = l.dataBits;
        s.stopBits = l.stopBits;
        s.parity = l.parity;
        if (l.override.dataBits != 0) {
            baud = PortParamForm::baudNumber(l.override.baudText);
            s.dataBits = l.override.dataBits;
            s.stopBits = l.override.stopBits;
            s.parity = l.override.parity;
        }
        s.baud = baudFromStored(baud);
        (p == 0 ? c.com1 : c.com2) = s;
        v.linkSettings[p] = l.settings;
        v.plcIds[p] = l.plcId;
    }
    return FormOutcome<Values>::accept(std::move(v));
}

} // namespace dispcraft
