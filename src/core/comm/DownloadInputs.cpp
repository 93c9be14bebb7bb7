#include "comm/DownloadInputs.h"

#include "base/ProgramDirectory.h"

namespace dispcraft {

DownloadInputs DownloadInputs::forProject(const std::string& programDir, int cpuId,
                                          const std::string& imagePath,
                                          const std::string& modelTitle,
                                          const std::string& com1Name,
                                          const std::string& com2Name) {
    ProgramDirectory dir(programDir);
    DownloadInputs in;
    in.cpuId = cpuId;
    in.imagePath = imagePath;
    in.modelTitle = modelTitle;
    // "120\comport1\" follows "\Protocol" without a separator: the directory is Protocol120.
    in.typeA.com1 = dir.file("Protocol120\\comport1\\" + com1Name + "_1.bin");
    in.typeA.com2 = dir.file("Protocol120\\comport2\\" + com2Name + "_2.bin");
    in.typeB.com1 = dir.file("Protocol120\\comport_B\\" + com1Name + "_1.bin");
    in.typeB.com2 = dir.file("Protocol120\\comport_B\\" + com2Name + "_2.bin");
    return in;
}

} // namespace dispcraft
