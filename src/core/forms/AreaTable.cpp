#include "forms/AreaTable.h"

#include "forms/FormText.h"

#include <strings.h>

namespace dispcraft {

namespace {

// An empty name (a key without value, or a table never filled) ends the list as "end" does.
bool isEnd(const std::string& name) { return name.empty() || strcasecmp(name.c_str(), "end") == 0; }

} // namespace

int AreaTable::count() const {
    int n = 0;
    while (n < capacity::kAreas && !isEnd(areas[static_cast<size_t>(n)].name)) {
        ++n;
    }
    return n;
}

std::vector<std::string> AreaTable::names() const {
    std::vector<std::string> v;
    for (int i = 0; i < count(); ++i) {
        v.push_back(formtext::fromStore(areas[static_cast<size_t>(i)].name));
    }
    return v;
}

const AddressArea* AreaTable::at(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return &areas[static_cast<size_t>(index)];
}

std::string AreaTable::range(int index) const {
    const AddressArea* a = at(index);
    return a ? a->range : std::string();
}

std::string AreaTable::format(int index) const {
    const AddressArea* a = at(index);
    return a ? a->format : std::string();
}

PlcPortAreas PlcPortAreas::fromProtocol(const PortProtocol& protocol) {
    PlcPortAreas p;
    p.wordAreas.areas = protocol.wordAreas;
    p.bitAreas.areas = protocol.bitAreas;
    p.bitNumberSetting = protocol.stationText;
    return p;
}

} // namespace dispcraft
