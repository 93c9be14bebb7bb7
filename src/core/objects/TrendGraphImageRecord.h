#pragma once

#include "base/ByteReader.h"
#include "base/ByteWriter.h"
#include "objects/LiveDrawing.h"
#include "objects/WordCoding.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>

namespace dispcraft {

// A trend graph in a screen's record stream (16 bytes): the recent values of a PLC word as a
// curve, one sample every `sampleSeconds`, `spacing` dots apart, `intervals` + 1 of them across.
struct TrendGraphImageRecord {
    static constexpr uint8_t kKind = 5;
    static constexpr size_t kSize = 16;
    static constexpr int kCapacity = 2;
    static constexpr uint8_t kCom2 = 0x04;
    static constexpr int kAxisDots = 3; // the value axis on the left, the time axis below

    // The samples taken since the screen was shown, oldest first.
    struct State {
        std::deque<std::optional<int64_t>> samples;
        int64_t nextSampleMs = -1; // -1: take the first sample at once
    };

    uint8_t kind = kKind;
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t attributes = 0; // bit 2 COM2, bits 6-7 coding
    uint16_t address = 0;
    int16_t maximum = 0;
    int16_t minimum = 0;
    uint8_t sampleSeconds = 0; // the dialog's setting A; 0 counts as 1
    uint8_t spacing = 0;       // dots between samples
    uint8_t height = 0;
    uint8_t width = 0;
    uint8_t intervals = 0; // sample intervals across the graph
    uint8_t areaBit = 0;

    int port() const { return (attributes & kCom2) ? 1 : 0; }
    int area() const { return areaBit >> 4; }
    WordCoding coding() const;
    int64_t top() const;
    int64_t bottom() const;
    int64_t periodMs() const { return 1000LL * (sampleSeconds == 0 ? 1 : sampleSeconds); }
    // Samples the graph holds: one more than its intervals, as many as its width shows.
    size_t capacity() const {
        size_t n = static_cast<size_t>(intervals) + 1;
        if (spacing != 0 && width >= kAxisDots) {
            n = std::min(n, static_cast<size_t>((width - kAxisDots) / spacing) + 1);
        }
        return n;
    }

    void write(ByteWriter& w) const;
    static TrendGraphImageRecord read(ByteReader& r);
    // Takes the samples that fall due by the drawing's time; the oldest leave once the graph is
    // full, so the curve moves left by `spacing` dots per sample.
    void advance(const LiveDrawing& d, State& s) const;
    // The two axes and the curve through the samples.
    void draw(const LiveDrawing& d, const State& s) const;
};

} // namespace dispcraft
