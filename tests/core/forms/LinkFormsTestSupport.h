#pragma once

#include "SettingsFormSupport.h"

#include <string>

namespace dispcraft::test {

inline std::string protocolText(const std::string& bdrt, const std::string& data,
                                const std::string& stop, const std::string& parity,
                                const std::string& plcId, const std::string& linkName) {
    std::string t = "[Comsetting]\r\n";
    if (!bdrt.empty()) {
        t += "bdrt=" + bdrt + "\r\n";
    }
    if (!data.empty()) {
        t += "datalen=" + data + "\r\n";
    }
    if (!stop.empty()) {
        t += "stopbit=" + stop + "\r\n";
    }
    if (!parity.empty()) {
        t += "parity=" + parity + "\r\n";
    }
    t += "[LinkProtocol]\r\n";
    if (!plcId.empty()) {
        t += "PLCID=" + plcId + "\r\n";
    }
    t += "LinkName=" + linkName + "\r\n";
    t += "[Changword]\r\nreg0=D\r\nreg0rang=7999\r\nreg0format=9999\r\n";
    t += "[Changebit]\r\nrelay0=M\r\nrelay0rang=1777\r\nrelay0format=7777\r\n";
    t += "[station]\r\nstation=15\r\n[Station]\r\nDefaultstation=3\r\n";
    return t;
}

// A program directory with a one-port model, two two-port models and their protocol files.
inline void writeLinkProgramDir(const SettingsScratch& d) {
    d.write("qelsys.ini",
            "[TYPE]\r\nT1=Single\r\nT2=Dual\r\nT3=Dual plus\r\nT4=none\r\nT5=Hidden\r\n"
            "[T1]\r\ncom=1\r\nCOM1=\\Protocol\r\nCOM1_default=fx\r\nID_STR=TR - A\r\n"
            "[T2]\r\ncom=2\r\nCOM1=\\Protocol120\\comport1\r\nCOM2=\\Protocol120\\comport2\r\n"
            "COM1_default=KV\r\nCOM2_default=FX_CPU\r\nID_STR=TR - B\r\n"
            "[T3]\r\ncom=2\r\nCOM1=\\Protocol120\\comport1\r\nCOM2=\\Protocol120\\comport2\r\n"
            "ID_STR=TR - C\r\n"
            "[TR - A]\r\nLCD_X=100\r\nLCD_Y=60\r\nCPU_ID=1\r\n"
            "[TR - B]\r\nLCD_X=100\r\nLCD_Y=60\r\nCPU_ID=2\r\n");
    d.write("Protocol/FX_CPU.ini", protocolText("9600", "7", "1", "e", "001", "FX serial"));
    d.write("Protocol/AB.INI", protocolText("115200", "8", "1", "n", "", "AB link"));
    d.write("Protocol/EMPTY.ini", "[LinkProtocol]\r\nLinkName=Nothing\r\n");
    d.write("Protocol120/comport1/FX_CPU.ini",
            protocolText("19200", "8", "1", "o", "002", "FX on port 1"));
    d.write("Protocol120/comport1/KV_MODE.ini",
            protocolText("14400", "8", "2", "n", "009", "KV upper link"));
    d.write("Protocol120/comport2/FX_CPU.ini",
            protocolText("14400", "8", "2", "n", "250", "FX on port 2"));
    d.write("Protocol120/comport2/MB.ini", protocolText("19200", "7", "2", "e", "009", "Modbus"));
    d.write("Protocol120/comport2/BADPAR.ini", protocolText("9600", "9", "3", "E", "009", "Bad"));
}

} // namespace dispcraft::test
