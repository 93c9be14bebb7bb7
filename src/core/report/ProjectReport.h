#pragma once

#include <string>
#include <vector>

namespace dispcraft {

class LanguageStrings;
class ReportPictures;
struct ProjectStore;

// The whole project as one HTML page to print or hand over, in the language of the strings
// given: the summary (model, links, start screen), every stored screen with its picture, its
// objects and its keys, then the alarm groups, the data exchange records, the panel settings and
// the cross-reference of PLC addresses. The page holds everything it shows (pictures as data:
// URIs) and a print style sheet that starts each screen on a page of its own.
class ProjectReport {
public:
    // Language strings of the report.
    static constexpr int kTitle = 66032;          // "Project report: %s"
    static constexpr int kFile = 66033;
    static constexpr int kModel = 66034;
    static constexpr int kStartScreen = 66035;
    static constexpr int kScreens = 66036;
    static constexpr int kLinkColumns = 66037;    // lines: port, protocol, link, serial, station
    static constexpr int kObjectColumns = 66038;  // lines: kind, no., position, text, address, format
    static constexpr int kKeyColumns = 66039;     // lines: key, function
    static constexpr int kAlarmColumns = 66040;   // lines: no., bit, message
    static constexpr int kChangeColumns = 66041;  // lines: no., COM1, COM2, count, direction
    static constexpr int kSettingColumns = 66042; // lines: setting, value
    static constexpr int kXrefColumns = 66043;    // lines: address, screen, object, access
    static constexpr int kScreenHeading = 66044;  // "Screen %s: %s"
    static constexpr int kObjects = 66045;
    static constexpr int kPanelKeys = 66046;
    static constexpr int kFunctionKeys = 66047;
    static constexpr int kAlarmGroups = 66048;
    static constexpr int kAlarmGroup = 66049; // "Alarm group %s: %s messages from %s"
    static constexpr int kDataExchange = 66050;
    static constexpr int kPanelSettings = 66051;
    static constexpr int kXref = 66052;
    static constexpr int kNotes = 66053;
    static constexpr int kSharedKeys = 66054;
    static constexpr int kNone = 66055;
    static constexpr int kNewestOnLcd = 66056;
    static constexpr int kOption2 = 66057;
    static constexpr int kSettingNames = 66058; // lines: the panel settings
    static constexpr int kNotInUse = 66059;
    static constexpr int kDirections = 66060; // lines: COM1 -> COM2, COM2 -> COM1
    static constexpr int kProject = 66061;
    static constexpr int kShowScreen = 66090;   // "show screen %s"
    static constexpr int kFirstBitMode = 66091; // set, reset, invert, set while held
    static constexpr int kWriteWord = 66095;    // "write %s into %s"
    static constexpr int kFourthAction = 66096;
    static constexpr int kTarget = 66097;         // "screen %s"
    static constexpr int kPreviousTarget = 66098; // "screen %s (previous)"
    static constexpr int kNextTarget = 66099;     // "screen %s (next)"
    // Access names of the cross-reference: read, write, read and write.
    static constexpr int kFirstAccess = 66009;

    // pictures: where the screens' pictures come from; null for a report without them.
    // notes: texts listed under Notes at the end (what could not be drawn), UTF-8.
    static std::string html(const ProjectStore& store, const LanguageStrings& strings,
                            const std::string& fileName, ReportPictures* pictures,
                            const std::vector<std::string>& notes = {});
};

} // namespace dispcraft
