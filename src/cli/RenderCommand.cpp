#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runRender(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'render' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
