#include "cli/Commands.h"

#include "lamp/LampConverter.h"
#include "lamp/LampFile.h"

#include <cstdio>
#include <string>

namespace dispcraft::cli {

namespace {

int usage() {
    std::fputs("usage: dispcraft-cli lamp IN.bmp OUT.lmp --size 16|32\n", stderr);
    return 2;
}

} // namespace

// Converts a monochrome BMP into a lamp picture file, as Bulbsmith's convert buttons do.
int runLamp(const CliContext& ctx) {
    std::string in;
    std::string out;
    int size = 0;
    for (size_t i = 0; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        std::string value;
        if (a == "--size") {
            if (i + 1 >= ctx.args.size()) {
                return usage();
            }
            value = ctx.args[++i];
        } else if (a.rfind("--size=", 0) == 0) {
            value = a.substr(7);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            std::fprintf(stderr, "dispcraft-cli lamp: unknown option '%s'\n", a.c_str());
            return usage();
        } else if (in.empty()) {
            in = a;
            continue;
        } else if (out.empty()) {
            out = a;
            continue;
        } else {
            return usage();
        }
        if (value == "16") {
            size = 16;
        } else if (value == "32") {
            size = 32;
        } else {
            std::fprintf(stderr, "dispcraft-cli lamp: --size must be 16 or 32\n");
            return usage();
        }
    }
    if (in.empty() || out.empty() || size == 0) {
        return usage();
    }
    LampConverter::Result r = LampConverter::convertFile(in, size);
    if (!r.ok()) {
        std::fprintf(stderr, "%s\n", r.message().c_str());
        return 1;
    }
    std::string error;
    if (!LampFile::write(out, r.picture, &error)) {
        std::fprintf(stderr, "%s\n", LampFile::writeFailureMessage(out, error).c_str());
        return 1;
    }
    return 0;
}

} // namespace dispcraft::cli
