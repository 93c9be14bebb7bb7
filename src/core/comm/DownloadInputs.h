#pragma once

#include "model/PanelCpu.h"

#include <string>

namespace dispcraft {

// The two link driver files of one panel type.
struct DriverPaths {
    std::string com1;
    std::string com2;
    bool operator==(const DriverPaths&) const = default;
};

// What the build hands to the download: the panel model's CPU kind (2 = generation 2, anything
// else generation 1), the compiled image, the model title, and the link drivers of both panel
// types.
struct DownloadInputs {
    int cpuId = 0;
    std::string imagePath;
    std::string modelTitle;
    DriverPaths typeA;
    DriverPaths typeB;

    int generation() const { return PanelCpu(cpuId).downloadGeneration(); }

    // The driver paths the build forms from the program directory and the link protocol names
    // of COM1 and COM2: "Protocol120\comport1\NAME_1.bin", "Protocol120\comport2\NAME_2.bin"
    // for type A and "Protocol120\comport_B\NAME_1.bin" / "..._2.bin" for type B.
    static DownloadInputs forProject(const std::string& programDir, int cpuId,
                                     const std::string& imagePath, const std::string& modelTitle,
                                     const std::string& com1Name, const std::string& com2Name);
};

} // namespace dispcraft
