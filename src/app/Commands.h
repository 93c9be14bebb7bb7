#pragma once

#include "editor/EditorSession.h"

namespace dispcraft::command {

// Main window commands (the view's are in editor/EditorSession.h). Each command's texts are the
// language string of the same number: "caption\ntip".
constexpr int kNewProject = 32796;
constexpr int kOpenProject = 32798;
constexpr int kRecent1 = 32841;
constexpr int kRecent2 = 32842;
constexpr int kRecent3 = 32845;
constexpr int kRecent4 = 32844;
constexpr int kCloseProject = 32797;
constexpr int kSaveProject = 32820;
constexpr int kSaveProjectAs = 32806;
constexpr int kScreenList = kOpen; // 57601: the view passes it to the main window
constexpr int kNewScreen = kNew;   // 57600
constexpr int kPreviousScreen = 32824;
constexpr int kNextScreen = 32823;
constexpr int kObjectToolbar = 32827;
constexpr int kWorkspaceBar = 103;
constexpr int kControlBar = 105;
constexpr int kDocument1 = 32840;
constexpr int kDocument2 = 32838;
constexpr int kChinese = 32851;
constexpr int kEnglish = 32852;
// Our own commands, numbered in the application's range of language strings.
constexpr int kExit = 65720;
constexpr int kAbout = 65721;
constexpr int kCascade = 65722;
constexpr int kTile = 65723;
constexpr int kSimulate = 65820; // the simulator's range
// The project tools (66000-66099): address usage, texts for translation, the report.
constexpr int kFindAddressUsage = 66000;
constexpr int kExportTexts = 66001;
constexpr int kImportTexts = 66002;
constexpr int kExportReport = 66003;
constexpr int kShowOtherUses = 66004; // the project tree's menu on an object
// The history's commands (the history's range of language strings).
constexpr int kUndo = 66200;
constexpr int kRedo = 66201;

// The recent-file commands in list order (entry 1..4).
constexpr int kRecent[4] = {kRecent1, kRecent2, kRecent3, kRecent4};

} // namespace dispcraft::command

namespace dispcraft::appmsg {

// The application's own texts (range 65700-65799; menu titles 65700-65719).
constexpr int kMenuFile = 65700;
constexpr int kMenuEdit = 65701;
constexpr int kMenuView = 65702;
constexpr int kMenuObjects = 65703;
constexpr int kMenuScreen = 65704;
constexpr int kMenuProject = 65705;
constexpr int kMenuLanguage = 65706;
constexpr int kMenuWindow = 65707;
constexpr int kMenuHelp = 65708;
constexpr int kMenuRecent = 65709;
constexpr int kMenuToolbars = 65710;
constexpr int kBuilt = 65740;          // %s image path, %d bytes
constexpr int kBuildWarnings = 65741;  // heading of the build's warnings
constexpr int kStatusReady = 65744;    // the status bar's idle text
constexpr int kSettingsNotWritten = 65745; // %s settings file
constexpr int kNoSuchScreen = 66215;       // %s screen number given on the command line

// Labels and captions of the dialogs.
constexpr int kTextLabel = 65750;
constexpr int kFontLabel = 65751;
constexpr int kDisplayGroup = 65752;
constexpr int kNormal = 65753;
constexpr int kReverse = 65754;
constexpr int kModelLabel = 65755;
constexpr int kCom1Label = 65756;
constexpr int kCom2Label = 65757;
constexpr int kParameters = 65758;
constexpr int kLinks = 65759;
constexpr int kProtocolLabel = 65760;
constexpr int kBaudLabel = 65761;
constexpr int kDataBitsLabel = 65762;
constexpr int kParityLabel = 65763;
constexpr int kStopBitsLabel = 65764;
constexpr int kOdd = 65765;
constexpr int kEven = 65766;
constexpr int kNone = 65767;
constexpr int kFixedRate = 65768;
constexpr int kStation = 65769;
constexpr int kDefaults = 65770;
constexpr int kScreenNumberLabel = 65771;
constexpr int kScreenNameLabel = 65772;
constexpr int kExistingScreens = 65773;
constexpr int kCopyScreen = 65774;
constexpr int kDeleteScreen = 65775;
constexpr int kRenumber = 65776;
constexpr int kOpenScreen = 65777;
constexpr int kNumberLabel = 65778;
constexpr int kValueLabel = 65779;
constexpr int kNewProjectTitle = 65780;
constexpr int kPortTitle = 65781; // %d port number
constexpr int kTextStringTitle = 65782;
constexpr int kValueTitle = 65783;
constexpr int kAboutVersion = 65784;

// The shell's texts of the start pane, the port list, the restart and the build (65900-65999).
constexpr int kNewScreenTip = 65900;
constexpr int kNoticeCaption = 65901; // the caption of the language question
constexpr int kSaveBeforeRestart = 65902;
constexpr int kStartSubtitle = 65903;
constexpr int kStartRecent = 65904;
constexpr int kStartExamples = 65905;
constexpr int kStartNoRecent = 65906;
constexpr int kStartExampleTip = 65907;
constexpr int kStartNoExamples = 65908;
constexpr int kBuildSummary = 65909; // %s image file, %s bytes, %s screens, %s warnings
// Tooltips of panel options whose meaning the panel's manual gives: the bits they store.
constexpr int kTipControlBit = 65910; // %s bit of the control byte
constexpr int kTipSetting = 65911;    // %s project bytes, %s image header bytes
constexpr int kTipNumDispBit7 = 65912;
constexpr int kTipNumDispBit1 = 65913;
constexpr int kTipNumDispBit2 = 65914;
constexpr int kTipFourthAction = 65915;
constexpr int kTipExtraOption = 65916;

} // namespace dispcraft::appmsg
