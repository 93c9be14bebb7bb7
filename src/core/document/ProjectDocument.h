#pragma once

#include "base/MessageSink.h"
#include "base/ProgramDirectory.h"
#include "document/UndoHistory.h"
#include "forms/FormRunner.h"
#include "forms/ModelLinkForm.h"
#include "model/TrnReader.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dispcraft {

class ProjectEditors;
class RecoveryCopies;
class SettingsFile;
struct ProjectStore;

// The open project: owns the store for the whole run and runs the new, open, save, save-as
// and close flows with their questions, through the message sink. Whether the project has
// unsaved changes is answered here: the store's own change flag (dialogs of the workspace,
// the screen list) together with the open editors, which work on copies until they store.
//
// Windows are not its business: the caller reacts to a replaced project through the listener
// and lets the editors close, store and report changes through ProjectEditors.
//
// The document holds the project's history of changes: saving makes the present state the
// clean one (undoing back to it leaves nothing unsaved), and the history ends with the project
// (new, open, close).
class ProjectDocument {
public:
    // A path the user chooses for writing the project, starting at the current one; empty
    // when the choice was cancelled. The document adds the extension.
    using SavePathChooser = std::function<std::string(const std::string& startPath)>;
    // Where a save comes from: the project's Save writes the model code into the header and
    // asks before replacing an older format; an editor's Save does neither.
    enum class SaveFrom { Project, Editor };

    ProjectDocument(ProgramDirectory dir, MessageSink& sink);
    ~ProjectDocument();
    ProjectDocument(const ProjectDocument&) = delete;
    ProjectDocument& operator=(const ProjectDocument&) = delete;

    ProjectStore& store() { return *m_store; }
    const ProjectStore& store() const { return *m_store; }
    const ProgramDirectory& programDirectory() const { return m_dir; }
    UndoHistory& history() { return m_history; }
    const UndoHistory& history() const { return m_history; }

    // ---- What the document works with (none of them owned) -----------------------------
    void setEditors(ProjectEditors* editors) { m_editors = editors; }
    void setSavePathChooser(SavePathChooser chooser) { m_chooseSavePath = std::move(chooser); }
    // Called after the project was replaced as a whole (new, opened, closed).
    void setReplacedListener(std::function<void()> listener) { m_replaced = std::move(listener); }
    // Where the recent-file list is kept; unset entries are the sentinel in memory and are
    // written empty, so that no language's sentinel text is ever read back as a path.
    void setRecentFileStore(const SettingsFile* settings, std::string sentinel);

    // ---- State -------------------------------------------------------------------------
    bool isOpen() const;
    const std::string& path() const;
    // Changes not yet written: steps of the history since the save, the store's changes made
    // outside the history, or an editor's.
    bool modified() const;
    // Something outside the editors changed the project.
    void markModified();

    // ---- Flows -------------------------------------------------------------------------
    // When there are unsaved changes, asks question (Yes / No / Cancel): Yes saves first.
    // True to go on: nothing to save, saved, or No.
    bool settleChanges(int question, int caption = 0);
    // New project: settles the changes, closes the open project, then shows the model and link
    // dialog until it is confirmed. False when the question was cancelled.
    bool newProject(const FormRunner<ModelLinkForm>& showModelDialog);
    // Open: settles the changes (61579), then loads. False when cancelled or not loaded.
    bool open(const std::string& path);
    // Open a copy: as open, but the project stays untitled, so that saving asks for a name and
    // the file opened (an example) is never written over.
    bool openAsUntitled(const std::string& path);
    // Replaces the project by the file without questions. A file that cannot be read leaves no
    // project open and is reported through the sink.
    bool load(const std::string& path);
    // Close: 61555 when there are changes; false when the question was cancelled or the save
    // wrote nothing.
    bool close();
    // Stores the editors and writes the file, asking for a path when there is none. False when
    // nothing was written (a question answered No, the path choice cancelled, a write failure,
    // which is reported); the changes then stay unsaved.
    bool save(SaveFrom from = SaveFrom::Project);
    // Asks for a new path and saves there; the old path stays when nothing was written.
    bool saveAs();
    // Closing the program: 61578 (Yes / No / Cancel) with changes, else 61577 (OK / Cancel).
    // True to go on; the caller then calls closeForExit().
    bool confirmExit();
    // The program ends: the recent list takes the current path, the editors close.
    void closeForExit();

    // ---- Recovery copies ---------------------------------------------------------------
    // Where recovery copies go (RecoveryCopies::defaultDirectory() in the program). Until it
    // is set none are written or offered.
    void setRecoveryDirectory(const std::string& directory);
    RecoveryCopies* recoveryCopies() { return m_recovery.get(); }
    // Called at every recovery interval. With unsaved changes, writes the project into this
    // program's recovery copy, with the changed screen windows stored into the copy only,
    // unless the copy holds exactly that already; without, removes the copy. The project file
    // is never written. A failure comes back as the message to tell (the work is unsaved).
    std::optional<Message> writeRecoveryCopy();
    // At start: offers, newest first, each copy left by a program that ended without saving
    // its changes (kRestoreQuestion: the project's name and the copy's time; Yes / No). Yes
    // opens it as an unsaved, untitled project whose Save suggests the project's own file (see
    // saveSuggestion) and returns the screens that were shown in windows; No removes the copy
    // and offers the next. Nothing when none was restored (copies after a restored one stay
    // for the next start).
    std::optional<std::vector<int>> offerRecovery();
    // Where saving an untitled project starts: the file of restored work, else empty. Restored
    // work is untitled, so that no Save puts it over that file (which may hold newer work by
    // now) without a file dialog showing the name and asking before it is replaced.
    const std::string& saveSuggestion() const { return m_saveSuggestion; }

    // ---- Recent projects ---------------------------------------------------------------
    // Entry 1..4, or empty when it is not set.
    std::string recentPath(int entry) const;
    // The current path (when there is one) moves to the front of the list, which is written.
    void pushRecent();

    // A project file read into a store as opening it reads it: every upgrade, then the model
    // section and the protocol files. For callers without questions (the command line).
    static TrnReader::Result readFile(ProjectStore& store, const std::string& path,
                                      const ProgramDirectory& dir);
    // The path a save writes: ".trn" is added to a name without an extension (save) or with
    // any other than ".trn" (save as, in any case); a name that then names an existing file is
    // asked about (kOverwrite), empty when the answer is No.
    static std::string withProjectExtension(const std::string& chosen, bool saveAs,
                                            MessageSink& sink);
    // What opening found and kept as it is, as the one message that says so: the file's name
    // and the first kFindingsShown findings, one a line, then how many more there are.
    static constexpr size_t kFindingsShown = 20;
    static Message findingsMessage(const std::string& path, const std::vector<Message>& findings);

private:
    std::string chooseSavePath(bool saveAs);
    // Closes the open project's editors and forgets its path; the recent list takes it.
    void discard();
    void replaced();
    void forgetRecoveryCopy();

    ProgramDirectory m_dir;
    MessageSink& m_sink;
    std::unique_ptr<ProjectStore> m_store;
    UndoHistory m_history;
    ProjectEditors* m_editors = nullptr;
    SavePathChooser m_chooseSavePath;
    std::function<void()> m_replaced;
    const SettingsFile* m_settings = nullptr;
    std::string m_sentinel;
    std::unique_ptr<RecoveryCopies> m_recovery;
    size_t m_copyHash = 0; // of what the recovery copy holds
    std::string m_saveSuggestion;
};

} // namespace dispcraft
