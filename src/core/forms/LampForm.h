#pragma once

#include "forms/FormOutcome.h"
#include "forms/FormMessages.h"
#include "forms/ListColumn.h"
#include "forms/ObjectAddress.h"
#include "forms/ObjectFormMessages.h"
#include "lamp/LampPicture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

// The lamp property dialog (template 152): the PLC bit that drives the lamp (the address group
// with relay types) and the lamp picture file of the lamp directory that it shows.
class LampForm {
public:
    enum Control {
        kPortList = 1009,
        kTypeList = 1080,
        kAddress = 1081,
        kKeypad = 1136,
        kBitNumber = 1119,
        kBitSpin = 1130,
        kFileList = 1083,
        kOrderClear = 1034,
        kOrderSet = 1014,
        kPreview = 1246,
    };
    static constexpr int kTimerId = 1;
    static constexpr int kTimerMs = 20;
    static constexpr int kPreviewWidth = 90;
    static constexpr int kPreviewHeight = 160;
    static constexpr int kDotPixels = 2; // a preview dot is a 2 x 2 square
    static constexpr int kNameLimit = 19; // what a stored lamp record keeps of the name

    struct Preset {
        std::string lampName;
        uint8_t attr = 0; // bit 2 COM2, bit 6 32-dot lamp, bit 7 picture order
        int portCount = 1;
        std::array<std::string, 2> protocolNames; // passed through
        int lampSize = 0; // 16 or 32, 0 when not known
        long long addressNumber = 0;
        std::array<PlcPortAreas, 2> ports; // relay types and bit-number settings
        uint8_t areaAndBit = 0;
    };
    struct Row {
        std::string id;    // "%d" from 1
        std::string title; // the file name without ".lmp"
    };
    // One picture of the preview: its top-left corner in the preview area (pixels) and its dots
    // upright (y = 0 the top row); each dark dot is a black 2 x 2 square on green (0, 255, 0).
    struct PreviewPicture {
        int left = 0;
        int top = 0;
        int size = 0;
        std::vector<uint8_t> dark; // size x size, top row first
        bool at(int x, int y) const { return dark[static_cast<size_t>(y * size + x)] != 0; }
    };
    struct Preview {
        bool drawn = false;    // false: the area stays empty (no file or the message below)
        Message message;       // 61625 cannot open, 61626 not a lamp picture
        std::array<PreviewPicture, 2> pictures;
        bool filled = false; // the area is green: a file is chosen (drawn or not)
        // Show the message now: true only at the first repaint of a file choice, since a box
        // raised on every repaint would raise itself again whenever it uncovers the dialog.
        bool notify = false;
    };
    struct Values {
        std::string lampName;
        uint8_t attr = 0;
        int lampSize = 16;
        long long addressNumber = 0;
        uint8_t areaAndBit = 0;
        std::array<std::string, 2> protocolNames;
    };

    // lampDir: the lamp directory of the program directory ("lampdata").
    LampForm(const Preset& preset, std::string lampDir);

    PlcAddressGroup& address() { return m_group; }
    const PlcAddressGroup& address() const { return m_group; }

    // Opening.
    const std::vector<Row>& rows() const { return m_rows; }
    static std::vector<Message> columnTitles() { return {Message::text("ID"), Message::string(formmsg::kNameColumn)}; }
    // The list's columns with their widths in pixels.
    static std::vector<ListColumn> columns() {
        return {{Message::text("ID"), 30}, {Message::string(formmsg::kNameColumn), 100}};
    }
    // The 0-based row of the preset lamp, -1 when it is not in the directory (no timer then).
    int rememberedRow() const { return m_remembered; }
    // A preset lamp whose picture file is not in the directory: the dialog says so (61558) once
    // it is shown; OK keeps the name and the lamp's size unless another file is chosen.
    std::optional<Message> missingFile() const;
    // The one-shot timer: the list takes the focus and the remembered row becomes the chosen
    // file. Returns that row (-1: nothing to do).
    int timerFired();

    // Events.
    void selectPort(int port) { objectaddress::selectPort(m_group, port); }
    void chooseRow(int row); // a click on a row, or a change of the selected row
    void setPictureOrder(bool set) { m_order = set; }
    bool pictureOrder() const { return m_order; }

    const std::string& lampName() const { return m_name; }
    const std::string& lampPath() const { return m_path; }
    int lampSize() const { return m_size; }
    int selectedRow() const { return m_selected; }

    // The preview of the chosen file (reads it, as every repaint does).
    Preview preview();

    FormOutcome<Values> ok();

    // The "*.lmp" files of a directory, without the extension, sorted by name.
    static std::vector<std::string> lampTitles(const std::string& lampDir);
    // A lamp name that is a plain file title (no directory parts).
    static bool plainName(const std::string& name);

private:
    std::string pathOf(const std::string& name) const;

    PlcAddressGroup m_group;
    std::string m_dir;
    std::string m_name;
    std::string m_path;
    int m_size = 0;
    bool m_order = false;
    std::array<std::string, 2> m_protocols;
    std::vector<Row> m_rows;
    int m_remembered = -1;
    int m_selected = -1;
    std::string m_missingName; // the preset name, when its file is not in the directory
    int m_missingSize = 16;
    bool m_notified = false; // the failure of the chosen file was reported
};

} // namespace dispcraft
