// Writes the example projects with the core API, so that they always match the current writer:
//   make_examples --program-dir DIR OUTDIR   one-port-demo.trn and two-port-demo.trn for the
//                                            first one-port and two-port models of DIR
//   make_examples --seeds DIR                the seed corpus of the project file fuzzer
#include "DemoScreens.h"
#include "FuzzSeeds.h"

#include "config/PanelModelFile.h"
#include "base/ProgramDirectory.h"
#include "config/ProjectSetup.h"
#include "model/TrnWriter.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

using namespace dispcraft;

namespace {

// A new project for the model as `dispcraft-cli new` makes it, with the demo content. The
// two-port demo takes a model with two alarm groups when there is one, so that both are shown.
bool writeDemo(const ProgramDirectory& dir, bool twoPort, const std::string& path) {
    PanelModelFile models(dir.modelFile());
    int number = 0;
    for (const ModelType& t : models.types()) {
        if (t.twoPort != twoPort) {
            continue;
        }
        if (number == 0) {
            number = t.number;
        }
        if (twoPort && models.section(t.idStr).alarmGroupCount > 1) {
            number = t.number;
            break;
        }
    }
    if (number == 0) {
        std::fprintf(stderr, "make_examples: %s lists no %s model\n", dir.modelFile().c_str(),
                     twoPort ? "two-port" : "one-port");
        return false;
    }
    NewProjectChoice choice;
    if (ProjectSetup::defaultChoice(dir, number, "", "", choice)) {
        std::fprintf(stderr, "make_examples: model %d has no protocol files\n", number);
        return false;
    }
    auto store = std::make_unique<ProjectStore>();
    ProjectSetup::newProject(*store, dir, choice);
    examples::addDemoContent(*store, {store->lcdX, store->lcdY}, twoPort);
    TrnWriter::Result r = TrnWriter::save(*store, path);
    if (!r.ok) {
        std::fprintf(stderr, "make_examples: cannot write %s: %s\n", path.c_str(), r.detail.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::string(argv[1]) == "--seeds") {
            if (!examples::writeFuzzSeeds(argv[2])) {
                std::fprintf(stderr, "make_examples: cannot write the seeds into %s\n", argv[2]);
                return 1;
            }
            return 0;
        }
        if (argc == 4 && std::string(argv[1]) == "--program-dir") {
            ProgramDirectory dir(argv[2]);
            std::string out = argv[3];
            bool ok = writeDemo(dir, false, out + "/one-port-demo.trn");
            ok = writeDemo(dir, true, out + "/two-port-demo.trn") && ok;
            return ok ? 0 : 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_examples: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: make_examples --program-dir DIR OUTDIR | --seeds DIR\n");
    return 2;
}
