#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace dispcraft {

// A recovery copy: the unsaved state of a project, written now and then while a program had
// changes, and what is needed to offer it again.
struct RecoveryCopy {
    std::string id;               // the file names' stem
    std::string projectPath;      // the project's own file; empty when it had none yet
    int64_t savedAt = 0;          // when it was written, seconds since 1970
    std::vector<int> openScreens; // the screens shown in windows
    std::string copyPath;         // the copy itself, a project file
};

// The recovery copies of a user: one directory readable by the user only, holding for each
// running program at most one copy ("ID.trn", its description "ID.info", and "ID.lock", which
// the program keeps locked while the copy is its own). A program that ends normally removes its
// copy when the project is saved or closed; a copy whose lock can be taken was left by a program
// that was killed or crashed, and is offered at the next start.
class RecoveryCopies {
public:
    // $XDG_STATE_HOME/dispcraft/recovery, else ~/.local/state/dispcraft/recovery; empty when
    // neither variable gives an absolute path.
    static std::string defaultDirectory();

    // id: this program's copy; the default tells programs apart by process and start time.
    explicit RecoveryCopies(std::string directory, std::string id = {});
    ~RecoveryCopies();
    RecoveryCopies(const RecoveryCopies&) = delete;
    RecoveryCopies& operator=(const RecoveryCopies&) = delete;

    const std::string& directory() const { return m_dir; }
    const std::string& id() const { return m_id; }

    // Writes this program's copy (the project's bytes) with its description; the directory is
    // made on the way. The copy is complete or not there: it is listed only once both files are
    // written. False with a reason when that failed.
    bool write(const std::string& projectBytes, const RecoveryCopy& about, std::string* error);
    // Removes this program's copy, when it has one.
    void remove();
    bool hasCopy() const { return m_ownLock >= 0; }

    // The copies of programs that have ended, newest first. Each stays locked by this program
    // until it is discarded (or this object ends), so that another program starting at the same
    // time does not offer it too.
    std::vector<RecoveryCopy> orphans();
    // Removes a copy that orphans() gave.
    void discard(const RecoveryCopy& copy);
    // A copy that orphans() gave but that cannot be opened: it is offered no more, but its
    // project file stays where it is (copyPath), for the user to look at.
    void setAside(const RecoveryCopy& copy);
    // Lets go of the copies orphans() gave that were neither discarded nor set aside: another
    // program may offer them now.
    void release();

    // The description file's text and its reading; a text that is not one gives false.
    static std::string describe(const RecoveryCopy& about);
    static bool parse(const std::string& text, RecoveryCopy& about);

private:
    std::string file(const std::string& id, const char* extension) const;

    std::string m_dir;
    std::string m_id;
    int m_ownLock = -1;
    std::map<std::string, int> m_heldLocks; // orphans found, by id
};

} // namespace dispcraft
