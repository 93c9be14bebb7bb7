#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runBuild(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'build' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
