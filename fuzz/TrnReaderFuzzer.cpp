// Feeds arbitrary bytes to the project file reader and saves what it opens. Nothing may read
// outside the input or the store; a refused file must say why and leave the store reset; an
// opened one must save to bytes that open again and save again to the very same bytes. A whole
// file of the current layout must save back to exactly its own bytes (only the format word
// becomes 51): saving a project that nobody edited changes nothing.
#include "model/ProjectStore.h"
#include "model/TrnFormat.h"
#include "model/TrnReader.h"
#include "model/TrnWriter.h"

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Set up once: the stores are large and only their contents change from input to input.
    static auto* first = new ProjectStore;
    static auto* second = new ProjectStore;
    TrnReader::Result r = TrnReader::read(*first, data, size);
    if (!r.ok) {
        if (r.message.empty() || first->projectOpen || first->screenExists(1) || first->fileForm) {
            std::abort();
        }
        return 0;
    }
    if (!TrnWriter::prepare(*first).ok) {
        std::abort();
    }
    const std::string saved = TrnWriter::serialise(*first);
    if (r.fileFormat >= trn::kWrittenFormat && !r.endsEarly) {
        std::string expected(reinterpret_cast<const char*>(data), size);
        const uint16_t format = trn::kWrittenFormat;
        std::memcpy(expected.data() + 4, &format, sizeof format);
        if (saved != expected) {
            std::abort();
        }
    }
    TrnReader::Result again =
        TrnReader::read(*second, reinterpret_cast<const uint8_t*>(saved.data()), saved.size());
    if (!again.ok || again.endsEarly || !TrnWriter::prepare(*second).ok ||
        TrnWriter::serialise(*second) != saved) {
        std::abort();
    }
    return 0;
}
