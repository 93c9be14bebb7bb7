#include "cli/CliProject.h"
#include "cli/Commands.h"

#include "config/PanelModelFile.h"
#include "model/TrnWriter.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace dispcraft::cli {

namespace {

int usage(const char* problem = nullptr) {
    if (problem) {
        std::fprintf(stderr, "dispcraft-cli new: %s\n", problem);
    } else {
        std::fputs("dispcraft-cli new: usage: dispcraft-cli new OUT.trn --model N --com1 NAME "
                   "[--com2 NAME]\n",
                   stderr);
    }
    return 1;
}

// A positive decimal number, nothing else.
bool parseModel(const std::string& s, int& n) {
    if (s.empty() || s.size() > 4) {
        return false;
    }
    n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') {
            return false;
        }
        n = n * 10 + (c - '0');
    }
    return n >= 1;
}

} // namespace

// A new project as the new-project command makes it, for the N-th model of the model list and
// the named protocols, with the protocol files' serial settings and no screens.
int runNew(const CliContext& ctx) {
    std::string out;
    std::string modelText;
    std::string com1;
    std::string com2;
    bool haveCom2 = false;
    const auto& args = ctx.args;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                return false;
            }
            into = args[++i];
            return true;
        };
        if (a == "--model") {
            if (!value(modelText)) {
                return usage();
            }
        } else if (a == "--com1") {
            if (!value(com1)) {
                return usage();
            }
        } else if (a == "--com2") {
            if (!value(com2)) {
                return usage();
            }
            haveCom2 = true;
        } else if (!a.empty() && a[0] != '-' && out.empty()) {
            out = a;
        } else {
            return usage();
        }
    }
    int model = 0;
    if (out.empty() || modelText.empty() || com1.empty()) {
        return usage();
    }
    if (!parseModel(modelText, model)) {
        return usage("--model needs a model number from 1 on");
    }

    ProgramDirectory dir = programDirectory(ctx);
    PanelModelFile models(dir.modelFile());
    if (model <= static_cast<int>(models.modelNames().size()) && haveCom2 &&
        !models.type(model).twoPort) {
        return usage("--com2 is given, but this panel model has one serial port");
    }
    NewProjectChoice choice;
    std::vector<Message> warnings;
    if (auto error = ProjectSetup::defaultChoice(dir, model, com1, com2, choice, &warnings)) {
        printError("new", "", *error);
        return 1;
    }
    for (const Message& w : warnings) {
        std::fprintf(stderr, "dispcraft-cli new: warning: %s\n", messageLine(w).c_str());
    }
    auto store = std::make_unique<ProjectStore>();
    ProjectSetup::newProject(*store, dir, choice);
    TrnWriter::Result r = TrnWriter::save(*store, out);
    if (!r.ok) {
        printError("new", out, r.message, r.detail);
        return 1;
    }
    return 0;
}

} // namespace dispcraft::cli
