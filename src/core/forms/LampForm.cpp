#include "forms/LampForm.h"

#include "base/ProgramDirectory.h"
#include "forms/ObjectFormMessages.h"
#include "lamp/LampFile.h"
#include "objects/AttrBits.h"
#include "objects/LampKind.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dispcraft {

namespace {

std::string lower(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

constexpr PlcAddressGroup::Controls kGroupControls{.port = LampForm::kPortList,
                                                   .type = LampForm::kTypeList,
                                                   .bit = LampForm::kBitNumber,
                                                   .text = LampForm::kAddress,
                                                   .keypad = LampForm::kKeypad};

} // namespace

LampForm::LampForm(const Preset& p, std::string lampDir)
    : m_group(objectaddress::open(kGroupControls, p.portCount, p.ports, true, p.attr, p.areaAndBit,
                                     p.addressNumber)),
      m_dir(std::move(lampDir)), m_name(p.lampName), m_size(p.lampSize == 16 || p.lampSize == 32 ? p.lampSize : 0),
      m_order((p.attr & LampRecord::kOnStateOnTop) != 0), m_protocols(p.protocolNames) {
    std::vector<std::string> titles = lampTitles(m_dir);
    for (size_t i = 0; i < titles.size(); ++i) {
        m_rows.push_back({std::to_string(i + 1), titles[i]});
        if (!m_name.empty() && titles[i] == m_name) {
            m_remembered = static_cast<int>(i);
        }
    }
    if (!m_name.empty() && m_remembered < 0) {
        m_missingName = m_name;
        m_missingSize = m_size != 0 ? m_size : (p.attr & LampRecord::kBig) ? 32 : 16;
    }
}

std::optional<Message> LampForm::missingFile() const {
    if (m_missingName.empty()) {
        return std::nullopt;
    }
    return Message::string(LampKind::kFileMissingString);
}

std::vector<std::string> LampForm::lampTitles(const std::string& lampDir) {
    std::vector<std::string> titles;
    std::error_code ec;
    std::filesystem::directory_iterator it(lampDir, ec);
    if (ec) {
        return titles;
    }
    for (const auto& entry : it) {
        std::error_code fec;
        if (!entry.is_regular_file(fec)) {
            continue;
        }
        std::string name = entry.path().filename().string();
        // Files made on Windows may carry the extension in capitals.
        if (name.size() > 4 && lower(name.substr(name.size() - 4)) == ".lmp") {
            titles.push_back(name.substr(0, name.size() - 4));
        }
    }
    // Directory order differs between systems; the list is alphabetical, capitals aside.
    std::sort(titles.begin(), titles.end(), [](const std::string& a, const std::string& b) {
        std::string la = lower(a);
        std::string lb = lower(b);
        return la != lb ? la < lb : a < b;
    });
    return titles;
}

bool LampForm::plainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name != "." && name != "..";
}

std::string LampForm::pathOf(const std::string& name) const {
    return ProgramDirectory::resolve(m_dir, name + ".lmp");
}

int LampForm::timerFired() {
    if (m_remembered >= 0) {
        chooseRow(m_remembered);
    }
    return m_remembered;
}

void LampForm::chooseRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return;
    }
    m_selected = row;
    m_name = m_rows[static_cast<size_t>(row)].title;
    m_path = pathOf(m_name);
    m_notified = false;
}

LampForm::Preview LampForm::preview() {
    Preview p;
    if (m_path.empty()) {
        return p;
    }
    p.filled = true;
    LampFile::ReadResult r = LampFile::read(m_path);
    if (!r.ok()) {
        p.message = Message::string(r.status == LampFile::ReadStatus::CannotOpen ? objectform::kLampCannotOpen : objectform::kLampWrongSize);
        p.notify = !m_notified;
        m_notified = true;
        return p;
    }
    m_size = r.picture.size;
    p.drawn = true;
    const int size = r.picture.size;
    for (int k = 0; k < 2; ++k) {
        PreviewPicture& pic = p.pictures[static_cast<size_t>(k)];
        pic.left = 10;
        // The order flag puts the second picture on top.
        pic.top = (k == 0) != m_order ? 10 : 80;
        pic.size = size;
        pic.dark.assign(static_cast<size_t>(size * size), 0);
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                pic.dark[static_cast<size_t>(y * size + x)] = r.picture.isDark(k, x, y) ? 1 : 0;
            }
        }
    }
    return p;
}

FormOutcome<LampForm::Values> LampForm::ok() {
    using Outcome = FormOutcome<Values>;
    if (m_name.empty()) {
        return Outcome::fail(Message::string(objectform::kChooseLamp), kFileList);
    }
    // The name goes into a 19-byte record field and is opened again from there: a longer one or
    // one with directory parts would lose the lamp at the next load.
    if (!plainName(m_name) || m_name.size() > kNameLimit) {
        return Outcome::fail(Message::string(objectform::kBadLampName, {m_name}), kFileList);
    }
    // The lamp's size follows its file; a file that is no lamp picture is not taken. A lamp whose
    // file has gone keeps its name and size, so that its address can still be edited.
    LampFile::ReadResult file = LampFile::read(pathOf(m_name));
    if (file.status == LampFile::ReadStatus::CannotOpen && m_name == m_missingName) {
        m_size = m_missingSize;
    } else if (file.status == LampFile::ReadStatus::CannotOpen) {
        return Outcome::fail(Message::string(objectform::kLampCannotOpen), kFileList);
    } else if (!file.ok()) {
        return Outcome::fail(Message::string(objectform::kLampWrongSize), kFileList);
    } else {
        m_size = file.picture.size;
    }
    FormOutcome<int> bit = m_group.checkBitNumber();
    if (!bit.ok()) {
        return Outcome::failLike(bit);
    }
    Values v;
    v.lampName = m_name;
    v.lampSize = m_size;
    v.protocolNames = m_protocols;
    v.attr = objectaddress::com2(m_group) ? attrbits::kCom2 : 0x00;
    if (m_order) {
        v.attr |= LampRecord::kOnStateOnTop;
    }
    if (m_size != 16) {
        v.attr |= LampRecord::kBig;
    }
    v.areaAndBit = m_group.areaBit();
    FormOutcome<int> address = m_group.check();
    if (!address.ok()) {
        return Outcome::failLike(address);
    }
    v.addressNumber = *address.values;
    return Outcome::accept(std::move(v));
}

} // namespace dispcraft
