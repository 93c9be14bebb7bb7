#include "sim/ImageReader.h"

#include "sim/SimMessages.h"

#include <string>

namespace dispcraft {

namespace {

Message damaged(const std::string& why) { return Message::string(simmsg::kImageDamaged, {why}); }

std::vector<uint16_t> wordList(std::span<const uint8_t> bytes) {
    std::vector<uint16_t> out(bytes.size() / 2);
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return out;
}

// Decodes the image whose header starts at `base`; no image and the reason when it does not
// hold together.
ImageReader::Result decode(std::span<const uint8_t> file, size_t base) {
    ImageReader::Result result;
    auto image = std::make_shared<PanelImage>();
    image->driverInFront = base != 0;
    image->driver.assign(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(base));
    const std::span<const uint8_t> view = file.subspan(base);
    ByteReader r(view);
    image->header = ImageHeader::read(r);
    for (uint16_t& o : image->offsets) {
        o = r.u16();
    }
    r.bytes(image->systemBlock.data(), image->systemBlock.size());
    image->alarmGroups.push_back(AlarmGroupImage::read(r));
    if (!image->driverInFront) {
        const uint8_t count = r.u8();
        if (count > 100) {
            result.error = damaged("its change record count " + std::to_string(count) + " is above 100");
            return result;
        }
        for (int i = 0; i < count; ++i) {
            image->changes.push_back(ChangeImageRecord::read(r));
        }
    }
    if (image->alarmGroups[0].flags & AlarmGroupImage::kSecondGroupFollows) {
        image->alarmGroups.push_back(AlarmGroupImage::read(r));
    }
    if (!r.ok()) {
        result.error = damaged("it ends inside its project blocks");
        return result;
    }
    const size_t screensFrom = r.position();

    // The trailing blocks lie one after the other up to the end of the file.
    const ImageHeader& h = image->header;
    const size_t marks[] = {screensFrom, h.screenTextsAt, h.alarmTextsAt, h.glyphsAt,
                            h.picturesAt,  h.lampsAt,       view.size()};
    for (size_t i = 1; i < std::size(marks); ++i) {
        if (marks[i] < marks[i - 1]) {
            result.error = damaged("the blocks its header points to are out of order or past its end");
            return result;
        }
    }
    if (h.firstPairCell == 0) {
        result.error = damaged("its first two-byte glyph cell is 0");
        return result;
    }
    auto block = [&](size_t from, size_t to) { return view.subspan(from, to - from); };
    image->screenTexts = wordList(block(h.screenTextsAt, h.alarmTextsAt));
    image->alarmTexts = wordList(block(h.alarmTextsAt, h.glyphsAt));
    const auto glyphs = block(h.glyphsAt, h.picturesAt);
    image->glyphBitmaps.assign(glyphs.begin(), glyphs.end());
    const auto pictures = block(h.picturesAt, h.lampsAt);
    image->pictureBlock.assign(pictures.begin(), pictures.end());
    const auto lamps = block(h.lampsAt, view.size());
    image->lampBlock.assign(lamps.begin(), lamps.end());

    // Screens live between the project blocks and the screen glyph-index list.
    const std::span<const uint8_t> screenPart = view.first(h.screenTextsAt);
    for (int s = 1; s <= 199; ++s) {
        const uint16_t at = image->offsets[static_cast<size_t>(s)];
        if (at == 0) {
            continue;
        }
        const std::string name = "screen " + std::to_string(s);
        if (at < screensFrom || at >= screenPart.size()) {
            result.error = damaged(name + " starts outside the screen records");
            return result;
        }
        ByteReader sr(screenPart);
        sr.seek(at);
        ScreenImage screen;
        screen.number = s;
        if (!ScreenImage::read(sr, !image->driverInFront, screen)) {
            result.error = damaged(sr.ok() ? name + " has more objects than a screen holds"
                                           : name + " is cut short");
            return result;
        }
        image->screens.emplace(s, std::move(screen));
    }
    result.image = std::move(image);
    return result;
}

bool formatAt(std::span<const uint8_t> file, size_t at) {
    return file.size() >= at + ImageHeader::kSize && file[at] == ImageHeader::kFormat && file[at + 1] == 0;
}

} // namespace

ImageReader::Result ImageReader::read(std::span<const uint8_t> file, Layout layout) {
    const size_t driver = PanelImage::kDriverSize;
    const bool atStart = layout != Layout::DriverInFront && formatAt(file, 0);
    const bool afterDriver = layout != Layout::HeaderFirst && formatAt(file, driver);
    if (!atStart && !afterDriver) {
        Result r;
        r.error = Message::string(simmsg::kNotAnImage, {std::to_string(file.size())});
        return r;
    }
    if (atStart) {
        Result r = decode(file, 0);
        if (r.ok() || !afterDriver) {
            return r;
        }
    }
    return decode(file, driver);
}

} // namespace dispcraft
