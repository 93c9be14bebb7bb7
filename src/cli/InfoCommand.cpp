#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runInfo(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'info' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
