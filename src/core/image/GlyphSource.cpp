#include "image/GlyphSource.h"

#include "image/BuildMessages.h"
#include "image/FreeTypeGlyphSource.h"
#include "image/HexGlyphSource.h"
#include "base/ProgramDirectory.h"
#include "base/FileIo.h"

#include <algorithm>
#include <cctype>

namespace dispcraft {

namespace {

bool endsWithNoCase(const std::string& s, const std::string& suffix) {
    if (s.size() < suffix.size()) {
        return false;
    }
    return std::equal(suffix.rbegin(), suffix.rend(), s.rbegin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

std::unique_ptr<GlyphSource> GlyphSource::openFile(const std::string& path, std::string* error) {
    if (!FileIo::exists(path) || FileIo::isDirectory(path)) {
        if (error) {
            *error = "no such file";
        }
        return nullptr;
    }
    if (endsWithNoCase(path, ".hex")) {
        return HexGlyphSource::open(path, error);
    }
    return FreeTypeGlyphSource::open(path, error);
}

GlyphFontChoice chooseGlyphFont(const ProgramDirectory& dir, const std::string& fontPath) {
    GlyphFontChoice choice;
    std::string why;
    if (!fontPath.empty()) {
        choice.source = GlyphSource::openFile(fontPath, &why);
        if (!choice.source) {
            choice.error = Message::string(buildmsg::kGlyphFontUnreadable, {fontPath, why});
        }
        return choice;
    }
    std::vector<std::string> candidates;
    if (!dir.empty()) {
        candidates.push_back(dir.file("simsun.ttc"));
        candidates.push_back(dir.file("unifont.hex"));
    }
    candidates.emplace_back(kSystemUnifontHex);
    for (const std::string& path : candidates) {
        if (!FileIo::exists(path)) {
            continue;
        }
        choice.source = GlyphSource::openFile(path, &why);
        if (choice.source) {
            return choice;
        }
        choice.warnings.push_back(Message::string(buildmsg::kGlyphFontSkipped, {path, why}));
    }
    return choice;
}

} // namespace dispcraft
