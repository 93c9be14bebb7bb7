#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runNew(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'new' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
