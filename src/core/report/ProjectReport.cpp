#include "report/ProjectReport.h"

#include "model/ProjectStore.h"
#include "report/AddressXref.h"
#include "report/ObjectRows.h"
#include "report/ReportPictures.h"
#include "text/Gb2312.h"
#include "text/LanguageStrings.h"

#include <algorithm>

namespace dispcraft {

namespace {

constexpr const char* kStyle = R"(
body { font-family: "Noto Sans", "DejaVu Sans", sans-serif; font-size: 10pt; margin: 2em; color: #111; }
h1 { font-size: 18pt; } h2 { font-size: 14pt; margin-top: 1.6em; border-bottom: 1px solid #888; }
h3 { font-size: 11pt; margin: 1em 0 0.3em; }
table { border-collapse: collapse; margin: 0.3em 0 0.8em; }
th, td { border: 1px solid #aaa; padding: 2px 6px; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
img.screen { display: block; width: 100%; max-width: 800px; height: auto; border: 1px solid #888; image-rendering: pixelated; }
@media print {
  body { margin: 0; font-size: 9pt; }
  section.screen { break-before: page; }
  table, img.screen { break-inside: avoid; }
  th { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
}
)";

std::string escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// An address keeps its port, area and number on one line of a narrow column.
std::string unbroken(std::string s) {
    std::string out;
    for (char c : s) {
        out += c == ' ' ? std::string("\xc2\xa0") : std::string(1, c);
    }
    return out;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t from = 0;
    for (;;) {
        const size_t nl = text.find('\n', from);
        out.push_back(text.substr(from, nl - from));
        if (nl == std::string::npos) {
            return out;
        }
        from = nl + 1;
    }
}

class Page {
public:
    Page(const ProjectStore& store, const LanguageStrings& strings) : m_store(store), m_strings(strings) {}

    std::string& out() { return m_out; }
    std::string text(int id) const { return m_strings.text(id); }
    std::string format(const Message& m) const { return m_strings.format(m); }
    std::string line(int id, size_t i) const {
        const std::vector<std::string> all = lines(text(id));
        return i < all.size() ? all[i] : std::string();
    }

    void heading(int level, const std::string& text, const std::string& id = {}) {
        const std::string tag = "h" + std::to_string(level);
        m_out += "<" + tag + (id.empty() ? "" : " id=\"" + id + "\"") + ">" + escape(text) + "</" + tag + ">\n";
    }
    // A table whose header is the lines of a language string; cells are UTF-8 texts.
    void table(int columns, const std::vector<std::vector<std::string>>& rows) {
        m_out += "<table><thead><tr>";
        for (const std::string& c : lines(text(columns))) {
            m_out += "<th>" + escape(c) + "</th>";
        }
        m_out += "</tr></thead><tbody>\n";
        for (const auto& row : rows) {
            m_out += "<tr>";
            for (const std::string& cell : row) {
                m_out += "<td>" + escape(cell) + "</td>";
            }
            m_out += "</tr>\n";
        }
        m_out += "</tbody></table>\n";
    }
    void paragraph(const std::string& text) { m_out += "<p>" + escape(text) + "</p>\n"; }

    // "COM1 D 0100", or the first and the last of several devices.
    std::string address(const PlcUse& use) const {
        std::string s = AddressXref::entryOf(m_store, use).label();
        if (use.count > 1) {
            const AddressEntry last = AddressXref::entryOf(m_store, use, use.count - 1);
            s += " \xe2\x80\x93 " + last.areaName + " " + last.addressText;
            if (last.bit) {
                s += "." + std::to_string(last.bitNumber);
            }
        }
        return unbroken(s);
    }

    std::string keyFunction(const KeyRecord& k) const {
        if (k.bitAction()) {
            return format(Message::string(ProjectReport::kFirstBitMode + (k.flags & KeyRecord::kMode),
                                          {address(*k.plcUse())}));
        }
        if (k.wordAction()) {
            const bool wide = (k.flags & KeyRecord::kMode) == KeyRecord::kWord32;
            const bool isSigned = (k.flags & KeyRecord::kSigned) != 0;
            const long long value = !isSigned ? static_cast<long long>(wide ? k.operand : k.operand & 0xFFFF)
                                    : wide    ? static_cast<long long>(static_cast<int32_t>(k.operand))
                                              : static_cast<long long>(static_cast<int16_t>(k.operand & 0xFFFF));
            return format(Message::string(ProjectReport::kWriteWord, {std::to_string(value), address(*k.plcUse())}));
        }
        if ((k.flags & KeyRecord::kMode) == KeyRecord::kFourthAction) {
            return text(ProjectReport::kFourthAction);
        }
        return format(Message::string(ProjectReport::kShowScreen, {std::to_string(k.screen)}));
    }

    void keys(const std::array<KeyRecord, kPanelKeys>& keys, bool shared) {
        std::vector<std::vector<std::string>> rows;
        for (size_t i = 0; i < keys.size(); ++i) {
            const bool own = (m_store.globalKeys[i].flags & KeyRecord::kScreenOption) != 0;
            if (own != shared && keys[i].hasFunction()) {
                rows.push_back({"K" + std::to_string(i + 1), keyFunction(keys[i])});
            }
        }
        if (!rows.empty()) {
            heading(3, text(shared ? ProjectReport::kSharedKeys : ProjectReport::kPanelKeys));
            table(ProjectReport::kKeyColumns, rows);
        }
    }

private:
    const ProjectStore& m_store;
    const LanguageStrings& m_strings;
    std::string m_out;
};

std::string utf8(const std::string& gb) { return Gb2312::toUtf8Lossy(gb); }

std::string serial(const SerialSettings& s) {
    return std::to_string(s.baud) + ", " + std::to_string(s.dataBits) + ", " +
           std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(s.parity ? s.parity : '?')))) +
           ", " + std::to_string(s.stopBits);
}

void summary(Page& p, const ProjectStore& st, const std::string& fileName) {
    int screens = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        screens += st.screenExists(s);
    }
    p.heading(2, p.text(ProjectReport::kProject), "project");
    p.table(ProjectReport::kSettingColumns,
            {{p.text(ProjectReport::kFile), fileName},
             {p.text(ProjectReport::kModel), utf8(st.modelTitle)},
             {p.text(ProjectReport::kStartScreen), std::to_string(st.projectBlock.startScreen)},
             {p.text(ProjectReport::kScreens), std::to_string(screens)}});
    std::vector<std::vector<std::string>> links;
    links.push_back({"COM1", utf8(st.com1ProtocolName), utf8(st.com1LinkName), serial(st.serial(1)),
                     std::to_string(st.com1PortNumber)});
    if (!st.com2ProtocolName.empty()) {
        links.push_back({"COM2", utf8(st.com2ProtocolName), utf8(st.com2LinkName), serial(st.serial(2)),
                         std::to_string(st.com2PortNumber)});
    }
    p.table(ProjectReport::kLinkColumns, links);
}

void screen(Page& p, const ProjectStore& st, int s, ReportPictures* pictures, std::vector<std::string>& notes) {
    const ScreenEntry& e = st.entries[static_cast<size_t>(s)];
    const ScreenBlock& b = st.screens[static_cast<size_t>(s)];
    p.out() += "<section class=\"screen\">\n";
    p.heading(2, p.format(Message::string(ProjectReport::kScreenHeading, {std::to_string(s), utf8(e.nameString())})),
              "screen-" + std::to_string(s));
    if (pictures) {
        const std::string uri = pictures->dataUri(s);
        if (uri.empty()) {
            notes.push_back(p.format(Message::string(ProjectReport::kScreenHeading, {std::to_string(s), "-"})));
        } else {
            p.out() += "<img class=\"screen\" alt=\"" + std::to_string(s) + "\" src=\"" + uri + "\">\n";
        }
    }
    std::vector<std::vector<std::string>> rows;
    for (const ObjectRow& r : ObjectRows::of(st, s)) {
        std::string format;
        for (const Message& m : r.cells.format) {
            format += (format.empty() ? "" : ", ") + p.format(m);
        }
        rows.push_back({r.kind, std::to_string(r.index), std::to_string(r.x) + ", " + std::to_string(r.y),
                        utf8(r.cells.text), r.use ? p.address(*r.use) : std::string(), format});
    }
    if (!rows.empty()) {
        p.heading(3, p.text(ProjectReport::kObjects));
        p.table(ProjectReport::kObjectColumns, rows);
    }
    p.keys(b.keys, false);
    std::vector<std::vector<std::string>> fn;
    for (int k = 0; k < kFunctionKeys; ++k) {
        const int target = b.fnKeys[static_cast<size_t>(k)];
        // As the build writes them: keys 3 and 4 without a screen take the neighbours.
        if (target != 0) {
            fn.push_back({"F" + std::to_string(k + 1),
                          p.format(Message::string(ProjectReport::kTarget, {std::to_string(target)}))});
        } else if (k == 2 && s != capacity::kFirstScreen && st.screenExists(s - 1)) {
            fn.push_back({"F3", p.format(Message::string(ProjectReport::kPreviousTarget, {std::to_string(s - 1)}))});
        } else if (k == 3 && s != capacity::kLastScreen && st.screenExists(s + 1)) {
            fn.push_back({"F4", p.format(Message::string(ProjectReport::kNextTarget, {std::to_string(s + 1)}))});
        }
    }
    if (!fn.empty()) {
        p.heading(3, p.text(ProjectReport::kFunctionKeys));
        p.table(ProjectReport::kKeyColumns, fn);
    }
    p.out() += "</section>\n";
}

void alarms(Page& p, const ProjectStore& st) {
    p.heading(2, p.text(ProjectReport::kAlarmGroups), "alarms");
    bool any = false;
    for (int g = 0; g < 2; ++g) {
        const AlarmBlock& a = st.alarms[static_cast<size_t>(g)];
        if ((g == 1 && st.alarmGroupCount < 2) || a.count == 0) {
            continue;
        }
        any = true;
        PlcUse use = a.plcUse();
        const int count = std::min<int>(a.count, capacity::kAlarmMessages);
        use.count = 1;
        p.heading(3, p.format(Message::string(ProjectReport::kAlarmGroup,
                                              {std::to_string(g + 1), std::to_string(count), p.address(use)})));
        std::string options;
        if (a.options & AlarmBlock::kNewestOnLcd) {
            options = p.text(ProjectReport::kNewestOnLcd);
        }
        if (a.options & AlarmBlock::kOption2) {
            options += (options.empty() ? "" : "; ") + p.text(ProjectReport::kOption2);
        }
        if (!options.empty()) {
            p.paragraph(options);
        }
        std::vector<std::vector<std::string>> rows;
        const std::string& pool = st.alarmPools[static_cast<size_t>(g)];
        for (int m = 0; m < count; ++m) {
            const std::string text = a.message(pool, m);
            rows.push_back({std::to_string(m + 1), unbroken(AddressXref::entryOf(st, a.plcUse(), m).label()), utf8(text)});
        }
        p.table(ProjectReport::kAlarmColumns, rows);
    }
    if (!any) {
        p.paragraph(p.text(ProjectReport::kNone));
    }
}

void changes(Page& p, const ProjectStore& st) {
    p.heading(2, p.text(ProjectReport::kDataExchange), "exchange");
    const int count = std::min<int>(st.changeCount, capacity::kChangeRecords);
    if (count == 0) {
        p.paragraph(p.text(ProjectReport::kNone));
        return;
    }
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
        const ChangeRecord& c = st.changes[static_cast<size_t>(i)];
        auto uses = c.plcUses();
        uses[0].count = uses[1].count = 1;
        rows.push_back({std::to_string(i + 1), p.address(uses[0]), p.address(uses[1]), std::to_string(c.length),
                        p.line(ProjectReport::kDirections, (c.options & ChangeRecord::kFromCom2) ? 1 : 0)});
    }
    p.table(ProjectReport::kChangeColumns, rows);
}

void settings(Page& p, const ProjectStore& st) {
    p.heading(2, p.text(ProjectReport::kPanelSettings), "settings");
    const ProjectBlock& pb = st.projectBlock;
    const auto control = pb.controlUses();
    auto name = [&](size_t i) { return p.line(ProjectReport::kSettingNames, i); };
    auto controlText = [&](size_t i) {
        if (!control[i]) {
            return p.text(ProjectReport::kNotInUse);
        }
        return p.address(*control[i]);
    };
    std::string options;
    for (int o = 0; o < 4; ++o) {
        if (pb.panelOptions & (0x10 << o)) {
            options += (options.empty() ? "" : " ") + std::string(1, static_cast<char>('A' + o));
        }
    }
    std::string table;
    const int bits = std::min<int>(st.systemBlock.bitScreenCount, 32);
    for (int i = 0; i < bits; ++i) {
        table += (table.empty() ? "" : ", ") + std::to_string(i) + " \xe2\x86\x92 " +
                 std::to_string(st.systemBlock.bitScreens[i]);
    }
    p.table(ProjectReport::kSettingColumns,
            {{name(0), std::to_string(pb.startScreen)},
             {name(1), controlText(0)},
             {name(2), controlText(1)},
             {name(3), options.empty() ? p.text(ProjectReport::kNone) : options},
             {name(4), std::to_string(pb.panelSetting1)},
             {name(5), std::to_string(pb.panelSetting2)},
             {name(6), std::to_string(pb.panelSetting3)},
             {name(7), std::to_string(pb.panelSetting4 | (pb.panelSetting4High << 8))},
             {name(8), table.empty() ? p.text(ProjectReport::kNone) : table}});
}

void xref(Page& p, const ProjectStore& st) {
    p.heading(2, p.text(ProjectReport::kXref), "xref");
    const std::vector<AddressEntry> entries = AddressXref::build(st);
    if (entries.empty()) {
        p.paragraph(p.text(ProjectReport::kNone));
        return;
    }
    std::vector<std::vector<std::string>> rows;
    for (const AddressEntry& e : entries) {
        bool first = true;
        for (const AddressUse& u : e.uses) {
            rows.push_back({first ? unbroken(e.label()) : std::string(),
                            u.screen == 0 ? p.text(ProjectReport::kProject) : std::to_string(u.screen),
                            std::string(u.kind) + " " + std::to_string(u.index),
                            p.text(ProjectReport::kFirstAccess + static_cast<int>(u.access))});
            first = false;
        }
    }
    p.table(ProjectReport::kXrefColumns, rows);
}

} // namespace

std::string ProjectReport::html(const ProjectStore& st, const LanguageStrings& strings, const std::string& fileName,
                                ReportPictures* pictures, const std::vector<std::string>& givenNotes) {
    Page p(st, strings);
    std::vector<std::string> notes = givenNotes;
    const std::string title = p.format(Message::string(kTitle, {fileName}));
    p.out() = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + escape(title) +
              "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
    p.heading(1, title);
    summary(p, st, fileName);
    p.keys(st.globalKeys, true);
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            screen(p, st, s, pictures, notes);
        }
    }
    alarms(p, st);
    changes(p, st);
    settings(p, st);
    xref(p, st);
    if (!notes.empty()) {
        p.heading(2, p.text(kNotes), "notes");
        p.out() += "<ul>\n";
        for (const std::string& n : notes) {
            p.out() += "<li>" + escape(n) + "</li>\n";
        }
        p.out() += "</ul>\n";
    }
    p.out() += "</body>\n</html>\n";
    return std::move(p.out());
}

} // namespace dispcraft
