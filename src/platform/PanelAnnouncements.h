#pragma once

#include <string>
#include <vector>

namespace dispcraft {

// Where running virtual panels (dispcraft-panel) say which pseudo-terminal they answer on, so
// that the port lists can offer them by name. One file per panel process in the user's runtime
// directory ($XDG_RUNTIME_DIR/dispcraft/panels, else /tmp/dispcraft-<uid>/panels), named after
// the process id and holding the device path. A panel removes its file when it ends; the file
// of a panel that was killed is removed by the next listing that finds its process gone.
class PanelAnnouncements {
public:
    struct Panel {
        long pid = 0;
        std::string device; // "/dev/pts/3"
    };

    explicit PanelAnnouncements(std::string directory) : m_dir(std::move(directory)) {}
    // The directory of this user, from the environment.
    static PanelAnnouncements forUser();

    const std::string& directory() const { return m_dir; }
    // Announces device for this process; the file written, empty when it could not be (the
    // panel works on without being listed).
    std::string announce(const std::string& device) const;
    static void withdraw(const std::string& file);
    // The panels running now, by process id. Files that are not ours to trust (a directory
    // owned by someone else, a device outside /dev) are skipped; stale ones are removed.
    std::vector<Panel> running() const;

private:
    std::string m_dir;
};

} // namespace dispcraft
