// Reads arbitrary bytes as a download image, in each of the reader's layouts. A refused image
// must say why; an accepted one must run: the panel starts on it, every key is pressed and
// released and the screen drawn, none of which may read outside the image's blocks.
#include "objects/NumberFont.h"
#include "sim/ImageReader.h"
#include "sim/PanelRuntime.h"
#include "sim/SimulatedPlc.h"

#include <cstdlib>

using namespace dispcraft;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static SimulatedPlc* plc = new SimulatedPlc;
    static const NumberFont* numbers = new NumberFont(NumberFont::builtIn());
    const std::span<const uint8_t> bytes(data, size);
    for (ImageReader::Layout layout :
         {ImageReader::Layout::Detect, ImageReader::Layout::DriverInFront, ImageReader::Layout::HeaderFirst}) {
        const ImageReader::Result r = ImageReader::read(bytes, layout);
        if (!r.ok()) {
            if (r.error.id == 0) {
                std::abort(); // a refusal without its reason
            }
            continue;
        }
        if (layout != ImageReader::Layout::Detect) {
            continue; // the same image as the detected one, or refused
        }
        plc->clear();
        PanelRuntime panel(r.image, *plc, *numbers);
        panel.start();
        panel.render();
        for (int f = 1; f <= PanelRuntime::kFunctionKeys; ++f) {
            panel.pressFunctionKey(f);
        }
        for (int k = 1; k <= PanelRuntime::kPanelKeys; ++k) {
            panel.pressKey(k);
            panel.releaseKey(k);
        }
        panel.advance(2 * PanelRuntime::kScanMs);
        panel.render();
    }
    return 0;
}
