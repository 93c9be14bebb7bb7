#pragma once

#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "forms/FormOutcome.h"
#include "forms/FormRunner.h"
#include "forms/PortParamForm.h"
#include "base/MessageSink.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// The panel model and link selection dialog that starts every new project: the panel model,
// one protocol file per port, and through the parameters buttons each port's line settings.
class ModelLinkForm {
public:
    enum Control {
        kModelList = 1027,
        kCom1List = 1028,
        kCom2List = 1014,
        kCom1Params = 1029,
        kCom2Params = 1003,
        kSummary = 1162,
    };

    // Line settings chosen in the port parameter dialog, which replace the protocol file's.
    struct PortOverride {
        uint8_t dataBits = 0; // 0 = no override yet
        uint8_t stopBits = 0;
        char parity = 0;
        std::string baudText;
    };
    // What the dialog keeps per port.
    struct Link {
        std::string settings;  // "9600,8,1,n": the rate and each present Comsetting value
        std::string rateText;  // the rate part of settings
        int32_t portNumber = 0;
        uint16_t baud = 0;     // the rate's low 16 bits
        uint8_t dataBits = 0;
        uint8_t stopBits = 0;
        char parity = 0;
        uint8_t plcId = 0;
        std::string linkName;  // GB2312, as the protocol file gives it
        PortOverride override;
    };
    struct Fields {
        int model = 0;
        std::array<std::string, 2> protocols; // COM1, COM2: titles of the chosen files
    };
    struct Values {
        NewProjectChoice choice;
        std::array<std::string, 2> linkSettings;
        std::array<uint8_t, 2> plcIds{};
    };

    // modelFile: the panel model file (normally dir.modelFile()).
    ModelLinkForm(ProgramDirectory dir, std::string modelFile);

    // Opening: the model list, model 0, its protocols (messages through the sink).
    void open(MessageSink& sink);

    Fields& fields() { return m_fields; }
    const Fields& fields() const { return m_fields; }
    const std::vector<std::string>& modelEntries() const { return m_models; }
    const std::vector<std::string>& protocolEntries(int port) const { return m_lists[port == 1]; }
    // The list entry of a port's protocol name, -1 when it is not one.
    int protocolSelection(int port) const;
    bool enabled(int control) const;
    bool twoPort() const { return m_twoPort; }
    const Link& link(int port) const { return m_links[port == 1]; }
    // "COM1:" CR LF, the COM1 link name, CR LF CR LF, "COM2:" CR LF, the COM2 link name (UTF-8).
    std::string summary() const;

    // Events.
    void modelChanged(MessageSink& sink);
    void protocolChanged(int port, MessageSink& sink);
    // The parameters button of a port: the port parameter dialog preset from the port's
    // override or from its protocol file; its result becomes the override, then the port's
    // protocol is read again whatever the dialog's result.
    void portParameters(int port, MessageSink& sink, const FormRunner<PortParamForm>& run);
    PortParamForm portParamForm(int port, MessageSink& sink) const;
    void portParametersDone(int port, const std::optional<PortParamForm::Values>& result,
                            MessageSink& sink);

    FormOutcome<Values> ok(MessageSink& sink);

private:
    void com1Changed(MessageSink& sink);
    void com2Changed(MessageSink& sink);
    void readComsetting(int port, const std::string& path, MessageSink& sink);
    ModelType currentType() const;

    ProgramDirectory m_dir;
    PanelModelFile m_modelFile;
    Fields m_fields;
    std::vector<std::string> m_models;
    std::array<std::vector<std::string>, 2> m_lists;
    std::array<Link, 2> m_links;
    bool m_twoPort = false;
};

} // namespace dispcraft
