#include "forms/ChangeTableForm.h"

#include "forms/AddressRules.h"
#include "forms/FormMessages.h"
#include "forms/FormText.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace dispcraft {

namespace {

std::string twoDigits(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

} // namespace

ChangeTableForm::ChangeTableForm(Preset preset) : m_preset(std::move(preset)) {
    m_maximum = std::clamp(m_preset.maximum, 0, capacity::kChangeRecords);
    m_count = std::clamp(m_preset.count, 0, capacity::kChangeRecords);
    m_records = m_preset.records;
    fill();
}

std::vector<ListColumn> ChangeTableForm::columns() {
    return {{Message::string(formmsg::kNumberColumn), 40},
            {Message::string(formmsg::kCom1AddressColumn), 100},
            {Message::string(formmsg::kDirectionColumn), 80},
            {Message::string(formmsg::kCom2AddressColumn), 100},
            {Message::string(formmsg::kCountColumn), 40}};
}

std::string ChangeTableForm::addressColumn(int side, int bit, int area, int address) const {
    const AreaTable& t = m_preset.ports[static_cast<size_t>(side)].wordAreas;
    std::string name;
    std::string format;
    if (area >= 0 && area < capacity::kAreas) {
        name = formtext::fromStore(t.areas[static_cast<size_t>(area)].name);
        format = t.areas[static_cast<size_t>(area)].format;
    }
    return "(" + twoDigits(bit) + "_" + name + ")" + NumberToAddress(address, format);
}

void ChangeTableForm::fill() {
    if (m_count > m_maximum) {
        m_count = m_maximum;
    }
    m_rows.clear();
    for (int i = 0; i < m_count; ++i) {
        const ChangeRecord& r = m_records[static_cast<size_t>(i)];
        Row row;
        row.columns[0] = twoDigits(i);
        row.columns[1] = addressColumn(0, ChangeRecord::bitOf(r.firstBitAndArea),
                                       ChangeRecord::areaOf(r.firstBitAndArea), r.firstAddress);
        row.columns[2] = (r.options & ChangeRecord::kFromCom2) ? "<-" : "->";
        row.columns[3] = addressColumn(1, ChangeRecord::bitOf(r.secondBitAndArea),
                                       ChangeRecord::areaOf(r.secondBitAndArea), r.secondAddress);
        row.columns[4] = std::to_string(r.length);
        m_rows.push_back(std::move(row));
    }
    if (m_selected >= m_count) {
        m_selected = -1;
    }
}

void ChangeTableForm::select(int row) { m_selected = (row >= 0 && row < m_count) ? row : -1; }

ChangeRecordForm::Preset ChangeTableForm::entryPreset(const ChangeRecord& record) const {
    ChangeRecordForm::Preset p = ChangeRecordForm::presetFrom(record);
    p.ports = m_preset.ports;
    p.maximum = m_preset.recordMaximum;
    return p;
}

void ChangeTableForm::add(MessageSink& sink, const FormRunner<ChangeRecordForm>& run) {
    if (m_count >= m_maximum) {
        sink.show(Message::text("不能再增加了！"), Icon::Warning);
        return;
    }
    ChangeRecord fresh{};
    fresh.length = 1;
    ChangeRecordForm form(entryPreset(fresh));
    if (auto v = run(form)) {
        m_records[static_cast<size_t>(m_count)] = v->pack();
        ++m_count;
        fill();
    }
}

void ChangeTableForm::edit(MessageSink& sink, const FormRunner<ChangeRecordForm>& run) {
    if (m_selected < 0) {
        sink.show(Message::string(formmsg::kChooseEntryToEdit), Icon::Warning);
        return;
    }
    ChangeRecordForm form(entryPreset(m_records[static_cast<size_t>(m_selected)]));
    if (auto v = run(form)) {
        m_records[static_cast<size_t>(m_selected)] = v->pack();
        fill();
    }
}

void ChangeTableForm::remove(MessageSink& sink) {
    if (m_selected < 0) {
        sink.show(Message::string(formmsg::kChooseEntryToDelete), Icon::Warning);
        return;
    }
    if (m_count == 0) {
        return;
    }
    for (int i = m_selected; i + 1 < m_count; ++i) {
        m_records[static_cast<size_t>(i)] = m_records[static_cast<size_t>(i + 1)];
    }
    m_records[static_cast<size_t>(m_count - 1)] = ChangeRecord{};
    --m_count;
    fill();
}

ChangeTableForm::Values ChangeTableForm::ok() const {
    Values v;
    v.count = static_cast<uint8_t>(m_count);
    v.records = m_records;
    return v;
}

} // namespace dispcraft
