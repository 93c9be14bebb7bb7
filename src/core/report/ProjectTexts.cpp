#include "report/ProjectTexts.h"

#include "forms/AlarmGroupForm.h"
#include "forms/FormMessages.h"
#include "model/ProjectStore.h"
#include "objects/AttrBits.h"
#include "objects/TextPool.h"
#include "report/CsvTable.h"
#include "text/Gb2312.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace dispcraft {

namespace {

// The kinds whose records keep texts in the screen's text pool.
template <typename K>
concept HasTexts = requires { K::kTexts; };

// The LCD in view pixels, where the editor keeps a static text whose size changes.
constexpr int kLcdWidth = 384;
constexpr int kLcdHeight = 128;

std::string screenKey(int s) { return "screen/" + std::to_string(s); }

int alarmGroups(const ProjectStore& st) { return st.alarmGroupCount > 1 ? 2 : 1; }

std::string alarmText(const ProjectStore& st, int g, int m) {
    const AlarmBlock& a = st.alarms[static_cast<size_t>(g)];
    const std::string& pool = st.alarmPools[static_cast<size_t>(g)];
    return a.message(pool, m);
}

// As the editor keeps a static text inside the LCD once its text changed: the place in view
// pixels moves left and up just enough, but never past the LCD's left or top edge.
void keepInside(const ProjectStore& st, const TextStringRecord& r, size_t bytes, TextChange& c) {
    const int font = attrbits::fontOf(r.attr);
    const int w = static_cast<int>(bytes) * cellWidth(font);
    const int h = cellHeight(font);
    int x = std::max(2 * r.x, st.lcdX);
    int y = std::max(2 * r.y + 1, st.lcdY);
    if (x + w - st.lcdX > kLcdWidth) {
        x = std::max(st.lcdX + kLcdWidth - w, st.lcdX);
    }
    if (y + h - st.lcdY > kLcdHeight) {
        y = std::max(st.lcdY + kLcdHeight - h, st.lcdY);
    }
    const auto storedX = static_cast<uint16_t>(x / 2);
    const auto storedY = static_cast<uint16_t>(y / 2);
    if (storedX != r.x || storedY != r.y) {
        c.moves = true;
        c.x = storedX;
        c.y = storedY;
    }
}

} // namespace

std::vector<std::pair<TextSlot, std::string>> ProjectTexts::textSlots(const ProjectStore& st) {
    std::vector<std::pair<TextSlot, std::string>> out;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (st.screenExists(s)) {
            TextSlot slot;
            slot.screen = s;
            slot.key = screenKey(s) + "/name";
            slot.limit = formmsg::kScreenNameBytes;
            out.emplace_back(slot, st.entries[static_cast<size_t>(s)].nameString());
        }
    }
    forEachKind([&](auto kind) {
        using K = decltype(kind);
        if constexpr (HasTexts<K>) {
            for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
                if (!st.screenExists(s)) {
                    continue;
                }
                const ScreenBlock& b = st.screens[static_cast<size_t>(s)];
                const int n = std::min<int>(st.entries[static_cast<size_t>(s)].count<K>(), K::kCapacity);
                for (int i = 0; i < n; ++i) {
                    const typename K::Record& r = b.records<K>()[static_cast<size_t>(i)];
                    for (int t = 0; t < K::kTexts; ++t) {
                        TextSlot slot;
                        slot.where = TextSlot::Where::ScreenText;
                        slot.screen = s;
                        slot.kindCode = K::kCode;
                        slot.record = i;
                        slot.text = t;
                        slot.key = screenKey(s) + "/" + K::kName + "/" + std::to_string(i + 1);
                        if (K::kTexts > 1) {
                            slot.key += "/" + std::to_string(t + 1);
                        }
                        slot.limit = K::textLimit(r, t);
                        slot.mayBeEmpty = K::kTextMayBeEmpty;
                        out.emplace_back(slot, K::text(r, t, b.textPool));
                    }
                }
            }
        }
    });
    for (int g = 0; g < alarmGroups(st); ++g) {
        const int count = std::min<int>(st.alarms[static_cast<size_t>(g)].count, capacity::kAlarmMessages);
        for (int m = 0; m < count; ++m) {
            TextSlot slot;
            slot.where = TextSlot::Where::AlarmMessage;
            slot.record = g;
            slot.text = m;
            slot.key = "alarm/" + std::to_string(g + 1) + "/" + std::to_string(m + 1);
            slot.limit = AlarmGroupForm::kTextBytes;
            out.emplace_back(slot, alarmText(st, g, m));
        }
    }
    return out;
}

std::string ProjectTexts::exportCsv(const ProjectStore& st) {
    std::string csv = CsvTable::record({"key", "text"});
    for (const auto& [slot, text] : textSlots(st)) {
        csv += CsvTable::record({slot.key, Gb2312::toUtf8Lossy(text)});
    }
    return csv;
}

ProjectTexts::Checked ProjectTexts::check(const ProjectStore& st, std::string_view csv) {
    Checked out;
    const CsvTable::Parsed table = CsvTable::parse(csv);
    if (table.unclosedLine != 0) {
        out.error = Message::string(kUnclosed, {std::to_string(table.unclosedLine)});
        return out;
    }
    if (table.records.empty() ||
        table.records.front().fields != std::vector<std::string>{"key", "text"}) {
        const int line = table.records.empty() ? 1 : table.records.front().line;
        out.error = Message::string(kNoHeader, {std::to_string(line)});
        return out;
    }
    const auto all = textSlots(st);
    std::map<std::string, size_t> byKey;
    for (size_t i = 0; i < all.size(); ++i) {
        byKey.emplace(all[i].first.key, i);
    }
    std::map<std::string, int> seen;
    for (size_t r = 1; r < table.records.size(); ++r) {
        const CsvTable::Record& row = table.records[r];
        const std::string line = std::to_string(row.line);
        if (row.fields.size() != 2) {
            out.error = Message::string(kFieldCount, {line, std::to_string(row.fields.size())});
            return out;
        }
        const std::string& key = row.fields[0];
        const auto found = byKey.find(key);
        if (found == byKey.end()) {
            out.error = Message::string(kUnknownKey, {line, key});
            return out;
        }
        if (const auto earlier = seen.find(key); earlier != seen.end()) {
            out.error = Message::string(kTwice, {line, key, std::to_string(earlier->second)});
            return out;
        }
        seen.emplace(key, row.line);
        const auto& [slot, current] = all[found->second];
        const Gb2312::Result gb = Gb2312::fromUtf8(row.fields[1]);
        if (!gb.ok) {
            out.error = Message::string(kNotGb2312, {line, key, gb.offending});
            return out;
        }
        if (gb.text.size() > slot.limit) {
            out.error = Message::string(
                kTooLong, {line, key, std::to_string(gb.text.size()), std::to_string(slot.limit)});
            return out;
        }
        if (gb.text.empty() && !slot.mayBeEmpty) {
            out.error = Message::string(kEmptyText, {line, key});
            return out;
        }
        ++out.rows;
        if (gb.text == current) {
            continue;
        }
        TextChange c{slot, gb.text};
        if (slot.where == TextSlot::Where::ScreenText && slot.kindCode == TextStringKind::kCode) {
            const ScreenBlock& b = st.screens[static_cast<size_t>(slot.screen)];
            keepInside(st, b.textStrings[static_cast<size_t>(slot.record)], gb.text.size(), c);
        }
        out.changes.push_back(std::move(c));
    }
    return out;
}

std::vector<TextChange> ProjectTexts::apply(ProjectStore& st, const std::vector<TextChange>& changes) {
    std::vector<TextChange> undo;
    std::map<int, std::vector<const TextChange*>> screens;
    std::map<int, std::vector<const TextChange*>> alarms;
    for (const TextChange& c : changes) {
        switch (c.slot.where) {
        case TextSlot::Where::ScreenName: {
            ScreenEntry& e = st.entries[static_cast<size_t>(c.slot.screen)];
            undo.push_back({c.slot, e.nameString()});
            e.setName(c.text);
            break;
        }
        case TextSlot::Where::ScreenText: screens[c.slot.screen].push_back(&c); break;
        case TextSlot::Where::AlarmMessage: alarms[c.slot.record].push_back(&c); break;
        }
    }

    for (const auto& [s, list] : screens) {
        ScreenEntry& e = st.entries[static_cast<size_t>(s)];
        ScreenBlock& b = st.screens[static_cast<size_t>(s)];
        // Every text of the screen, then the changes over them, then the pool packed anew.
        std::map<std::tuple<int, int, int>, std::string> texts;
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            if constexpr (HasTexts<K>) {
                const int n = std::min<int>(e.count<K>(), K::kCapacity);
                for (int i = 0; i < n; ++i) {
                    for (int t = 0; t < K::kTexts; ++t) {
                        texts[{K::kCode, i, t}] = K::text(b.records<K>()[static_cast<size_t>(i)], t, b.textPool);
                    }
                }
            }
        });
        for (const TextChange* c : list) {
            std::string& text = texts[{c->slot.kindCode, c->slot.record, c->slot.text}];
            TextChange back{c->slot, text};
            if (c->moves && c->slot.kindCode == TextStringKind::kCode) {
                TextStringRecord& r = b.textStrings[static_cast<size_t>(c->slot.record)];
                back.moves = true;
                back.x = r.x;
                back.y = r.y;
                r.x = c->x;
                r.y = c->y;
            }
            undo.push_back(std::move(back));
            text = c->text;
        }
        b.textPool.clear();
        forEachKind([&](auto kind) {
            using K = decltype(kind);
            if constexpr (HasTexts<K>) {
                const int n = std::min<int>(e.count<K>(), K::kCapacity);
                for (int i = 0; i < n; ++i) {
                    for (int t = 0; t < K::kTexts; ++t) {
                        K::setText(b.records<K>()[static_cast<size_t>(i)], t, b.textPool, texts[{K::kCode, i, t}]);
                    }
                }
            }
        });
        e.setPoolLength(b.textPool.size());
    }

    for (const auto& [g, list] : alarms) {
        AlarmBlock& a = st.alarms[static_cast<size_t>(g)];
        std::string& pool = st.alarmPools[static_cast<size_t>(g)];
        const int count = std::min<int>(a.count, capacity::kAlarmMessages);
        std::vector<std::string> texts;
        for (int m = 0; m < count; ++m) {
            texts.push_back(alarmText(st, g, m));
        }
        for (const TextChange* c : list) {
            undo.push_back({c->slot, texts[static_cast<size_t>(c->slot.text)]});
            texts[static_cast<size_t>(c->slot.text)] = c->text;
        }
        pool.clear();
        for (int m = 0; m < capacity::kAlarmMessages; ++m) {
            a.offsets[m] = static_cast<uint32_t>(pool.size());
            a.lengths[m] = 0;
            if (m < count) {
                a.lengths[m] = textpool::append(pool, texts[static_cast<size_t>(m)]);
            }
        }
    }
    if (!changes.empty()) {
        st.treeChanged = true;
    }
    return undo;
}

} // namespace dispcraft
