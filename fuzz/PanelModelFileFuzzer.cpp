// Feeds arbitrary bytes to the panel model file reader as the text of "qelsys.ini": the model
// list, every model's type section and model section must be read without reading outside the
// text, and the list never holds more models than the file may name.
#include "config/IniFile.h"
#include "config/PanelModelFile.h"

#include <cstdlib>
#include <string_view>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PanelModelFile file{IniFile(std::string_view(reinterpret_cast<const char*>(data), size))};
    const std::vector<std::string> names = file.modelNames();
    const std::vector<ModelType> types = file.types();
    if (names.size() > PanelModelFile::kMaxModels || types.size() != names.size()) {
        std::abort();
    }
    for (const ModelType& t : types) {
        if (t.number < 1 || t.number > PanelModelFile::kMaxModels) {
            std::abort();
        }
        // The model sections of the first two models: each is a hundred lookups, and every
        // model's is read alike.
        if (t.number <= 2) {
            (void)file.section(t.idStr);
            (void)file.treeName(t.idStr);
            (void)file.pictureFile(t.idStr);
        }
    }
    // A title that names no section gives the defaults.
    (void)file.section("TR - none");
    return 0;
}
