#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runResave(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'resave' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
