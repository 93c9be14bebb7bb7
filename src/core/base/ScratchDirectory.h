#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dispcraft {

// A directory of its own under the system's temporary directory ($TMPDIR, else /tmp), removed
// with everything in it when the object goes: for files a command needs only while it runs,
// and for the tests. The name is made unique by the system (mkdtemp), so parallel processes
// never share one.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& prefix = "dispcraft");
    ~ScratchDirectory();
    ScratchDirectory(ScratchDirectory&& other) noexcept;
    ScratchDirectory& operator=(ScratchDirectory&& other) noexcept;
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    // False when no directory could be made (error() says why); path() is empty then.
    bool ok() const { return !m_path.empty(); }
    const std::string& error() const { return m_error; }
    const std::string& path() const { return m_path; }
    // The path of a file in it, given relative with "/" separators.
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }
    // Writes a file given relative with "/" separators, making its folders; returns its path,
    // or an empty string when it could not be written.
    std::string write(const std::string& relative, const std::string& bytes) const;
    std::string write(const std::string& relative, const std::vector<uint8_t>& bytes) const;

private:
    void remove();
    std::string m_path;
    std::string m_error;
};

} // namespace dispcraft
