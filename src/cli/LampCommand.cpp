#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include "lamp/LampConverter.h"
#include "lamp/LampFile.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace dispcraft::cli {

namespace {

struct LampArguments {
    std::string in;
    std::string out;
    int size = 0;
};

// Converts a monochrome BMP into a lamp picture file, as Bulbsmith's convert buttons do.
int runLamp(const LampArguments& args) {
    LampConverter::Result r = LampConverter::convertFile(args.in, args.size);
    if (!r.ok()) {
        std::fprintf(stderr, "%s\n", r.message().c_str());
        return kExitFailed;
    }
    std::string error;
    if (!LampFile::write(args.out, r.picture, &error)) {
        std::fprintf(stderr, "%s\n", LampFile::writeFailureMessage(args.out, error).c_str());
        return kExitFailed;
    }
    return kExitDone;
}

} // namespace

CommandRunner addLamp(CLI::App& app, const CliContext&) {
    auto args = std::make_shared<LampArguments>();
    CLI::App* lamp =
        app.add_subcommand("lamp", "Converts a monochrome BMP into a lamp picture file");
    lamp->add_option("IN.bmp", args->in, "A monochrome, uncompressed BMP")
        ->required()
        ->type_name("");
    lamp->add_option("OUT.lmp", args->out, "The lamp picture file to write")
        ->required()
        ->type_name("");
    lamp->add_option("--size", args->size, "The lamp's size in dots")
        ->required()
        ->check(CLI::IsMember({16, 32}).description(""))
        ->type_name("16|32");
    lamp->footer(
        "Exit status: 0 written; 1 nothing written (the reason on stderr); 2 wrong arguments.");
    return [args] { return runLamp(*args); };
}

} // namespace dispcraft::cli
