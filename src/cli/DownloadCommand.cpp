#include "cli/Commands.h"

#include <cstdio>

namespace dispcraft::cli {

int runDownload(const CliContext&) {
    std::fprintf(stderr, "dispcraft-cli: 'download' is not available in this build\n");
    return 2;
}

} // namespace dispcraft::cli
