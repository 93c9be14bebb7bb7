// Writes the example projects with the core API, so that they always match the current writer:
//   make_examples --seeds DIR        the seed corpus of the project file fuzzer
#include "FuzzSeeds.h"

#include <cstdio>
#include <string>

using namespace dispcraft;

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--seeds") {
        if (!examples::writeFuzzSeeds(argv[2])) {
            std::fprintf(stderr, "make_examples: cannot write the seeds into %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: make_examples --seeds DIR\n");
    return 2;
}
