#include "cli/Commands.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace dispcraft;

namespace {

void usage(FILE* out) {
    std::fputs("usage: dispcraft-cli [--program-dir DIR] COMMAND [ARGS]\n"
               "\n"
               "commands:\n"
               "  new OUT.trn --model N --com1 NAME [--com2 NAME]\n"
               "  resave IN.trn OUT.trn\n"
               "  info IN.trn [--json]\n"
               "  build IN.trn -o OUT.qel [--glyph-font PATH]\n"
               "  download IN.trn --port DEVICE [--clock] [--system-program FILE]\n"
               "  lamp IN.bmp OUT.lmp --size 16|32\n"
               "  render IN.trn --screen N -o OUT.png\n"
               "\n"
               "exit status: 0 done; 3 done with a warning: the project file ends early, its\n"
               "missing parts left empty (info, resave), or the image lacks its start screen\n"
               "(build); 1 failed, the reason on stderr and no output file replaced; 2 unknown\n"
               "command or option\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    CliContext ctx;
    ctx.argv0 = argc > 0 ? argv[0] : "dispcraft-cli";
    int i = 1;
    for (; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--program-dir") {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "dispcraft-cli: --program-dir needs a directory\n");
                return 2;
            }
            ctx.programDirOption = argv[++i];
        } else if (a.rfind("--program-dir=", 0) == 0) {
            ctx.programDirOption = a.substr(14);
        } else if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        } else {
            break;
        }
    }
    if (i >= argc) {
        usage(stderr);
        return 2;
    }
    std::string command = argv[i++];
    for (; i < argc; ++i) {
        ctx.args.emplace_back(argv[i]);
    }
    struct Entry {
        const char* name;
        int (*run)(const CliContext&);
    };
    static const Entry table[] = {
        {"new", cli::runNew},         {"resave", cli::runResave},     {"info", cli::runInfo},
        {"build", cli::runBuild},     {"download", cli::runDownload}, {"lamp", cli::runLamp},
        {"render", cli::runRender},
    };
    for (const Entry& e : table) {
        if (command == e.name) {
            return e.run(ctx);
        }
    }
    std::fprintf(stderr, "dispcraft-cli: unknown command '%s'\n", command.c_str());
    usage(stderr);
    return 2;
}
