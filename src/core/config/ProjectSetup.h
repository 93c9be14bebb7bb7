#pragma once

#include "model/SerialSettings.h"
#include "base/Message.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class ProgramDirectory;
struct ProjectStore;

// What the new-project dialog hands back: the model and, per port, the protocol, the link name,
// the port number value and the line settings.
struct NewProjectChoice {
    std::string modelTitle; // ID_STR of the model, e.g. "TR - A"
    std::string com1ProtocolName;
    std::string com2ProtocolName; // empty for a one-port model
    std::string com1LinkName;
    std::string com2LinkName;
    int32_t com1PortNumber = 0;
    int32_t com2PortNumber = 0;
    SerialSettings com1;
    SerialSettings com2;
};

// The steps that tie a project to its panel model and protocol files. Window work (titles,
// workspace tree, closing editor windows) stays with the caller.
class ProjectSetup {
public:
    // Our own message numbers.
    static constexpr int kNoSuchModel = 65101;    // %d model number, %s model file
    static constexpr int kNoSuchProtocol = 65102; // %s protocol, %s directory, %s port name
    static constexpr int kNoProtocols = 65103;    // %s directory, %s port name

    // New project: reset the store, take the choice, read the model section and the protocol
    // files, then initialise the store's blocks for a new project.
    static void newProject(ProjectStore& store, const ProgramDirectory& dir,
                           const NewProjectChoice& choice);

    // After a project file is read: protocol names from the ProjectBlock into the store, the
    // model title from the header's model code, then the model section and the protocol files.
    // The link names, which the file does not hold, come from the protocol files.
    static void afterLoad(ProjectStore& store, const ProgramDirectory& dir);

    // Another model for the open project: read its section and move every object of every
    // screen by half the change of the LCD origin (truncating), so that objects keep their
    // place on the LCD; then read the protocol files again, whose directory depends on the
    // new model's CPU_ID. The caller closes the editor windows first.
    static void changeModel(ProjectStore& store, const ProgramDirectory& dir,
                            const std::string& newTitle);

    // The links changed (port parameter dialog): read the protocol files again.
    static void linksChanged(ProjectStore& store, const ProgramDirectory& dir);

    // Moves every object of every existing screen by (dx, dy) dots; 16-bit coordinates wrap.
    static void moveObjects(ProjectStore& store, int dx, int dy);

    // The choice the new-project dialog makes without any override, for a model given by its
    // 1-based place in the model list and protocols given by name (empty = the model's
    // preselected protocol). Serial settings come from the protocol files; a missing or
    // refused value keeps the default and adds the dialog's message to warnings. Returns the
    // error when the model or a protocol does not exist.
    static std::optional<Message> defaultChoice(const ProgramDirectory& dir, int modelNumber,
                                                const std::string& com1, const std::string& com2,
                                                NewProjectChoice& out,
                                                std::vector<Message>* warnings = nullptr);
};

} // namespace dispcraft
