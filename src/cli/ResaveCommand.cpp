#include "cli/CliProject.h"
#include "cli/Commands.h"

#include "model/TrnWriter.h"

#include <cstdio>
#include <memory>

namespace dispcraft::cli {

// Opens a project as the open command does (every upgrade of older formats) and saves it in the
// current format. OUT is replaced only by a complete file. Exit status 0; 3 when IN ends early
// (OUT holds what IN had, the missing parts empty, as saving after opening it would write);
// 1 when nothing was written.
int runResave(const CliContext& ctx) {
    if (ctx.args.size() != 2 || ctx.args[0].empty() || ctx.args[1].empty() ||
        ctx.args[0][0] == '-' || ctx.args[1][0] == '-') {
        std::fputs("dispcraft-cli resave: usage: dispcraft-cli resave IN.trn OUT.trn\n", stderr);
        return 1;
    }
    auto store = std::make_unique<ProjectStore>();
    TrnReader::Result loaded;
    if (!openProject("resave", ctx, ctx.args[0], *store, &loaded)) {
        return 1;
    }
    TrnWriter::Result r = TrnWriter::save(*store, ctx.args[1]);
    if (!r.ok) {
        printError("resave", ctx.args[1], r.message, r.detail);
        return 1;
    }
    return loaded.endsEarly ? kEndsEarlyStatus : 0;
}

} // namespace dispcraft::cli
