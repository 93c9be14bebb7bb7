#include "forms/NewProjectFlow.h"

#include "config/ProjectSetup.h"
#include "forms/FormMessages.h"
#include "model/ProjectStore.h"

namespace dispcraft {

ModelLinkForm::Values NewProjectFlow::run(ProjectStore& store, const ProgramDirectory& dir,
                                          MessageSink& sink,
                                          const FormRunner<ModelLinkForm>& showDialog) {
    store.reset();
    store.alarmPools[0].clear();
    store.alarmPools[1].clear();
    const std::string modelFile = store.modelFilePath.empty() ? dir.modelFile() : store.modelFilePath;
    for (;;) {
        ModelLinkForm form(dir, modelFile);
        form.open(sink);
        if (auto values = showDialog(form)) {
            ProjectSetup::newProject(store, dir, values->choice);
            return *values;
        }
        sink.show(Message::string(formmsg::kModelNeeded), Icon::Warning);
    }
}

} // namespace dispcraft
