#pragma once

#include "forms/BarGraphForm.h"
#include "forms/LampForm.h"
#include "forms/MsgDispForm.h"
#include "forms/NumDispForm.h"
#include "forms/PictureForm.h"
#include "forms/ShortNumDispForm.h"
#include "forms/TextStringForm.h"
#include "forms/TrendGraphForm.h"

#include <array>
#include <optional>
#include <string>

namespace dispcraft {

class EditorSession;
class ProgramDirectory;
struct ProjectStore;

// What the screen window hands to the object property forms and takes back: a placement command
// opens a form empty-handed and, once it is confirmed, fills the kind's template and arms the
// placement tool; a double-click opens it on an object and writes the confirmed values back.
//
// The working records name what the forms edit; where they differ: a NumDisp's side pair holds
// the high and low of its alarm range, the short form keeps its clock field in the address and
// its maximum and minimum in the side pair as well; a TrendGraph's point count is the form's count.
namespace objectediting {

// The project's PLC context that most forms receive.
struct PlcContext {
    int cpuId = 1;
    int portCount = 1; // 2 on a two-port model
    std::array<PlcPortAreas, 2> ports;
    std::array<int, 2> plcIds{};
    std::array<std::string, 2> protocolNames;

    static PlcContext of(const ProjectStore& store, const ProgramDirectory& dir);
};

// A placement command starts: everything is deselected; the text and numeric displays also put
// the tool back to select before their form opens.
void beginPlacement(EditorSession& session, int command);

// TextString.
TextStringForm textStringForObject(const EditorSession& session, int index);
void placeTextString(EditorSession& session, const TextStringForm::Values& v);
void applyTextString(EditorSession& session, int index, const TextStringForm::Values& v);
// The placement size of a text (GB2312 bytes) in a font.
std::pair<int, int> textStringSize(size_t bytes, int font);

// MsgDisp. emptyText: the text of language string 61453.
MsgDispForm msgDispForPlacement(const PlcContext& plc, const std::string& emptyText);
MsgDispForm msgDispForObject(const EditorSession& session, int index, const PlcContext& plc,
                             const std::string& emptyText);
void placeMsgDisp(EditorSession& session, const MsgDispForm::Values& v);
void applyMsgDisp(EditorSession& session, int index, const MsgDispForm::Values& v);

// NumDisp, normal form.
NumDispForm numDispForPlacement(const PlcContext& plc);
NumDispForm numDispForObject(const EditorSession& session, int index, const PlcContext& plc);
void placeNumDisp(EditorSession& session, const NumDispForm::Values& v);
void applyNumDisp(EditorSession& session, int index, const NumDispForm::Values& v);

// NumDisp, short form (the panel's clock); offered only where CPU_ID is not 1.
ShortNumDispForm shortNumDispForObject(const EditorSession& session, int index);
void placeShortNumDisp(EditorSession& session, const ShortNumDispForm::Values& v);
void applyShortNumDisp(EditorSession& session, int index, const ShortNumDispForm::Values& v);

// BarGraph.
BarGraphForm barGraphForPlacement(const PlcContext& plc);
BarGraphForm barGraphForObject(const EditorSession& session, int index, const PlcContext& plc);
void placeBarGraph(EditorSession& session, const BarGraphForm::Values& v);
void applyBarGraph(EditorSession& session, int index, const BarGraphForm::Values& v);

// TrendGraph: the placement command needs CPU_ID 2, else message 61502 and nothing else.
std::optional<Message> trendGraphRefused(const PlcContext& plc);
TrendGraphForm trendGraphForPlacement(const PlcContext& plc);
TrendGraphForm trendGraphForObject(const EditorSession& session, int index, const PlcContext& plc);
void placeTrendGraph(EditorSession& session, const TrendGraphForm::Values& v);
void applyTrendGraph(EditorSession& session, int index, const TrendGraphForm::Values& v);

// Lamp: the placement form gets the last lamp name (the template's).
LampForm lampForPlacement(EditorSession& session, const PlcContext& plc);
LampForm lampForObject(const EditorSession& session, int index, const PlcContext& plc);
void placeLamp(EditorSession& session, const LampForm::Values& v);
// Writes the values back, then reloads the lamp's dots once (63505 when the file does not open).
void applyLamp(EditorSession& session, int index, const LampForm::Values& v);

// Picture: the form edits a copy of the project's picture table; OK writes it back.
PictureForm pictureForPlacement(const EditorSession& session);
PictureForm pictureForObject(const EditorSession& session, int index);
void placePicture(EditorSession& session, const PictureForm::Values& v);
void applyPicture(EditorSession& session, int index, const PictureForm::Values& v);

// The preview text of a short NumDisp placed by the command, and renewed by a double-click.
std::string shortPreviewOnPlacement(int setting1, int setting2);
std::string shortPreviewOnEdit(int setting2, int setting4, int setting5);

} // namespace objectediting

} // namespace dispcraft
