#pragma once

#include "base/ProgramDirectory.h"
#include "forms/FormRunner.h"
#include "forms/ModelLinkForm.h"
#include "base/MessageSink.h"

namespace dispcraft {

struct ProjectStore;

// The store's side of the New project command once the open project is closed: the store is
// reset, the model and link dialog is shown until it is confirmed (61556 after every refusal,
// since a project needs a model), and the project is set up from its choice. The caller then
// opens the first screen window and fills the workspace tree.
class NewProjectFlow {
public:
    static ModelLinkForm::Values run(ProjectStore& store, const ProgramDirectory& dir,
                                     MessageSink& sink, const FormRunner<ModelLinkForm>& showDialog);
};

} // namespace dispcraft
