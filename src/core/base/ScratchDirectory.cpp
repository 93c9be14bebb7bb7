#include "base/ScratchDirectory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace dispcraft {

namespace fs = std::filesystem;

ScratchDirectory::ScratchDirectory(const std::string& prefix) {
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) {
        base = "/tmp";
    }
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        m_error = std::strerror(errno);
        return;
    }
    m_path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    remove();
}

ScratchDirectory::ScratchDirectory(ScratchDirectory&& other) noexcept
    : m_path(std::move(other.m_path)), m_error(std::move(other.m_error)) {
    other.m_path.clear();
}

ScratchDirectory& ScratchDirectory::operator=(ScratchDirectory&& other) noexcept {
    if (this != &other) {
        remove();
        m_path = std::move(other.m_path);
        m_error = std::move(other.m_error);
        other.m_path.clear();
    }
    return *this;
}

void ScratchDirectory::remove() {
    if (!m_path.empty()) {
        std::error_code ec;
        fs::remove_all(m_path, ec);
        m_path.clear();
    }
}

std::string ScratchDirectory::write(const std::string& relative, const std::string& bytes) const {
    if (m_path.empty()) {
        return {};
    }
    const std::string full = file(relative);
    std::error_code ec;
    fs::create_directories(fs::path(full).parent_path(), ec);
    // Scratch files need no protection against a crash: written in place.
    FILE* f = std::fopen(full.c_str(), "wb");
    if (f == nullptr) {
        return {};
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written ? full : std::string();
}

std::string ScratchDirectory::write(const std::string& relative,
                                    const std::vector<uint8_t>& bytes) const {
    return write(relative, std::string(bytes.begin(), bytes.end()));
}

} // namespace dispcraft
