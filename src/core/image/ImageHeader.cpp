#include "image/ImageHeader.h"

namespace dispcraft {

void ImageHeader::write(ByteWriter& w) const {
    w.u16(format);
    w.u8(com1Baud);
    w.u8(com1DataBits);
    w.u8(com1StopBits);
    w.u8(com1Parity);
    w.u16(screenTextsAt);
    w.u16(glyphsAt);
    w.u16(picturesAt);
    w.u16(lampsAt);
    w.u8(firstPairCell);
    w.u8(com2Baud);
    w.u8(com2DataBits);
    w.u8(com2StopBits);
    w.u8(com2Parity);
    w.u8(startScreen);
    w.u8(controlOptions);
    w.u8(panelSetting1);
    w.u16(controlAddress2);
    w.u16(controlAddress1);
    w.u8(panelSetting2);
    w.u8(panelSetting4Low);
    w.u8(controlAreaBit2);
    w.u8(com1LinkKind);
    w.u8(controlAreaBit1);
    w.u8(com2LinkKind);
    w.u16(com1PortNumber);
    w.u16(com2PortNumber);
    w.u16(alarmTextsAt);
    w.u16(panelSetting3);
}

ImageHeader ImageHeader::read(ByteReader& r) {
    ImageHeader h;
    h.format = r.u16();
    h.com1Baud = r.u8();
    h.com1DataBits = r.u8();
    h.com1StopBits = r.u8();
    h.com1Parity = r.u8();
    h.screenTextsAt = r.u16();
    h.glyphsAt = r.u16();
    h.picturesAt = r.u16();
    h.lampsAt = r.u16();
    h.firstPairCell = r.u8();
    h.com2Baud = r.u8();
    h.com2DataBits = r.u8();
    h.com2StopBits = r.u8();
    h.com2Parity = r.u8();
    h.startScreen = r.u8();
    h.controlOptions = r.u8();
    h.panelSetting1 = r.u8();
    h.controlAddress2 = r.u16();
    h.controlAddress1 = r.u16();
    h.panelSetting2 = r.u8();
    h.panelSetting4Low = r.u8();
    h.controlAreaBit2 = r.u8();
    h.com1LinkKind = r.u8();
    h.controlAreaBit1 = r.u8();
    h.com2LinkKind = r.u8();
    h.com1PortNumber = r.u16();
    h.com2PortNumber = r.u16();
    h.alarmTextsAt = r.u16();
    h.panelSetting3 = r.u16();
    return h;
}

} // namespace dispcraft
