// Feeds arbitrary bytes to the project file reader. Nothing may read outside the input or the
// store; a refused file must say why and leave the store reset; an accepted one must save to
// bytes that read back and save again to the very same bytes.
#include "model/ProjectStore.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <cstdlib>
#include <memory>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto* first = new ProjectStore;
    static auto* second = new ProjectStore;
    TrnReader::Result r = TrnReader::read(*first, data, size);
    if (!r.ok) {
        if (r.message.empty() || first->projectOpen || first->screenExists(1)) {
            std::abort();
        }
        return 0;
    }
    if (!TrnWriter::prepare(*first).ok) {
        std::abort();
    }
    std::string saved = TrnWriter::serialise(*first);
    TrnReader::Result again =
        TrnReader::read(*second, reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
    if (!again.ok || again.endsEarly || !TrnWriter::prepare(*second).ok ||
        TrnWriter::serialise(*second) != saved) {
        std::abort();
    }
    return 0;
}
