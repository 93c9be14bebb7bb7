#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runLamp(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'lamp' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
