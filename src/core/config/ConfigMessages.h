#pragma once

namespace dispcraft::configmsg {

// Language strings about the panel model and protocol files.
constexpr int kUnsupportedBaud =
    63519; // "The protocol file's baud rate is not one the panel supports; it was..."
constexpr int kNotUsedLinkName = 61594;   // "Not used"
constexpr int kCom1NoBaudRate = 61595;    // "The COM1 protocol file gives no baud rate."
constexpr int kPortNoBaudRate = 61599;    // "The protocol file of this port gives no baud rate."
constexpr int kNoDataBits = 61596;        // "The protocol file gives no data bits."
constexpr int kNoStopBits = 61597;        // "The protocol file gives no stop bits."
constexpr int kNoParity = 61598;          // "The protocol file gives no parity."
constexpr int kNoDefaultBaudRate = 61600; // "The protocol file gives no default baud rate."
constexpr int kBaudRateUnsupported =
    63521; // "The protocol file's baud rate is not one the panel supports."

} // namespace dispcraft::configmsg
