#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace dispcraft {

// Little-endian appends and patches on a growing byte buffer.
class ByteWriter {
public:
    void u8(unsigned v) { m_bytes.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void zeros(size_t n) { m_bytes.insert(m_bytes.end(), n, 0); }
    void bytes(const void* data, size_t n) {
        const auto* p = static_cast<const uint8_t*>(data);
        m_bytes.insert(m_bytes.end(), p, p + n);
    }
    template <typename Range>
    void append(const Range& r) {
        m_bytes.insert(m_bytes.end(), r.begin(), r.end());
    }
    void patch8(size_t at, unsigned v) { m_bytes.at(at) = static_cast<uint8_t>(v); }
    void patch16(size_t at, unsigned v) {
        patch8(at, v & 0xFF);
        patch8(at + 1, (v >> 8) & 0xFF);
    }

    size_t size() const { return m_bytes.size(); }
    const std::vector<uint8_t>& data() const { return m_bytes; }
    std::vector<uint8_t>& data() { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace dispcraft
