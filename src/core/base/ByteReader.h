#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace dispcraft {

// Little-endian reads from a byte range that never go past its end: a read that would is not
// done, gives 0 and sets the error flag, which stays set. Callers read a whole record and look
// at the flag once.
class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(data ? size : 0) {}
    explicit ByteReader(std::span<const uint8_t> bytes) : ByteReader(bytes.data(), bytes.size()) {}

    uint8_t u8() {
        if (!need(1)) {
            return 0;
        }
        return m_data[m_pos++];
    }
    uint16_t u16() {
        if (!need(2)) {
            return 0;
        }
        const uint16_t v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    uint32_t u32() {
        if (!need(4)) {
            return 0;
        }
        const uint32_t lo = u16();
        const uint32_t hi = u16();
        return lo | (hi << 16);
    }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    // Copies n bytes into out (zeros when they are not all there).
    void bytes(void* out, size_t n) {
        if (!need(n)) {
            std::memset(out, 0, n);
            return;
        }
        std::memcpy(out, m_data + m_pos, n);
        m_pos += n;
    }
    void skip(size_t n) {
        if (need(n)) {
            m_pos += n;
        }
    }
    // Moves to an absolute position; past the end sets the flag.
    void seek(size_t at) {
        if (at > m_size) {
            m_failed = true;
            return;
        }
        m_pos = at;
    }

    bool ok() const { return !m_failed; }
    bool failed() const { return m_failed; }
    size_t position() const { return m_pos; }
    size_t size() const { return m_size; }
    size_t remaining() const { return m_size - m_pos; }
    std::span<const uint8_t> all() const { return {m_data, m_size}; }

private:
    bool need(size_t n) {
        if (m_failed || n > m_size - m_pos) {
            m_failed = true;
            return false;
        }
        return true;
    }

    const uint8_t* m_data = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
    bool m_failed = false;
};

} // namespace dispcraft
