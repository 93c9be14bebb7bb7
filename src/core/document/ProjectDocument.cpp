#include "document/ProjectDocument.h"

#include "base/FileIo.h"
#include "config/ProjectSetup.h"
#include "config/SettingsFile.h"
#include "document/DocumentMessages.h"
#include "document/ProjectEditors.h"
#include "document/RecoveryCopies.h"
#include "forms/NewProjectFlow.h"
#include "model/ProjectStore.h"
#include "model/TrnFormat.h"
#include "model/TrnMessages.h"
#include "model/TrnWriter.h"
#include "text/LanguageStrings.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>

namespace dispcraft {

namespace {

// What follows the last '.' of the file name; empty when it has none.
std::string extensionOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

} // namespace

ProjectDocument::ProjectDocument(ProgramDirectory dir, MessageSink& sink)
    : m_dir(std::move(dir)), m_sink(sink), m_store(std::make_unique<ProjectStore>()) {
    m_store->modelFilePath = m_dir.modelFile();
}

ProjectDocument::~ProjectDocument() = default;

void ProjectDocument::setRecentFileStore(const SettingsFile* settings, std::string sentinel) {
    m_settings = settings;
    m_sentinel = std::move(sentinel);
}

bool ProjectDocument::isOpen() const {
    return m_store->projectOpen;
}

const std::string& ProjectDocument::path() const {
    return m_store->projectPath;
}

bool ProjectDocument::modified() const {
    return m_store->treeChanged || !m_history.isClean() ||
           (m_editors != nullptr && m_editors->anyModified());
}

void ProjectDocument::markModified() {
    m_store->treeChanged = true;
}

void ProjectDocument::replaced() {
    if (m_replaced) {
        m_replaced();
    }
}

// ---- Questions -----------------------------------------------------------------------------

bool ProjectDocument::settleChanges(int question, int caption) {
    if (!isOpen() || !modified()) {
        return true;
    }
    const Answer a = m_sink.ask(Message::string(question), Buttons::YesNoCancel, caption);
    if (a == Answer::Cancel) {
        return false;
    }
    // A save that wrote nothing, or left an editor unstored (its number not given), stops the
    // command: the changes would be lost otherwise.
    return a != Answer::Yes || (save() && !modified());
}

bool ProjectDocument::confirmExit() {
    if (modified()) {
        const Answer a = m_sink.ask(Message::string(docmsg::kSaveBeforeExit), Buttons::YesNoCancel,
                                    docmsg::kExitCaption);
        // A save that writes nothing (the file choice cancelled, the disk full) keeps the
        // program running rather than losing the changes.
        return a == Answer::No || (a == Answer::Yes && save() && !modified());
    }
    return m_sink.ask(Message::string(docmsg::kExit), Buttons::OkCancel, docmsg::kExitCaption) !=
           Answer::Cancel;
}

void ProjectDocument::closeForExit() {
    pushRecent();
    if (m_editors) {
        m_editors->closeAll();
    }
    // The changes were saved, or the user chose to lose them.
    forgetRecoveryCopy();
}

// ---- New, open, close ----------------------------------------------------------------------

Message ProjectDocument::findingsMessage(const std::string& path,
                                         const std::vector<Message>& findings) {
    const LanguageStrings& strings = LanguageStrings::current();
    std::string list;
    const size_t shown = std::min(findings.size(), kFindingsShown);
    for (size_t i = 0; i < shown; ++i) {
        list += (i == 0 ? "" : "\n") + std::string("- ") + strings.format(findings[i]);
    }
    if (findings.size() > shown) {
        list += "\n" + strings.format(Message::string(trnmsg::kMoreFindings,
                                                      {std::to_string(findings.size() - shown)}));
    }
    return Message::string(trnmsg::kFindings,
                           {std::filesystem::path(path).filename().string(), list});
}

void ProjectDocument::discard() {
    if (m_editors) {
        m_editors->closeAll();
    }
    pushRecent();
    m_store->projectPath.clear();
    m_store->treeChanged = false;
    m_saveSuggestion.clear();
    m_history.clear();
    forgetRecoveryCopy();
}

bool ProjectDocument::newProject(const FormRunner<ModelLinkForm>& showModelDialog) {
    // Untitled work is asked about as well as saved work.
    if (!settleChanges(docmsg::kSaveChanges)) {
        return false;
    }
    if (isOpen()) {
        discard();
    }
    m_store->projectOpen = false;
    m_store->treeChanged = false;
    replaced();
    // The dialog is shown until it is confirmed (61556 after every refusal).
    NewProjectFlow::run(*m_store, m_dir, m_sink, showModelDialog);
    m_store->treeChanged = false;
    m_history.clear();
    replaced();
    return true;
}

bool ProjectDocument::open(const std::string& path) {
    if (!settleChanges(docmsg::kSaveBeforeOpening)) {
        return false;
    }
    return load(path);
}

bool ProjectDocument::openAsUntitled(const std::string& path) {
    if (!open(path)) {
        return false;
    }
    m_store->projectPath.clear();
    replaced();
    return true;
}

TrnReader::Result ProjectDocument::readFile(ProjectStore& store, const std::string& path,
                                            const ProgramDirectory& dir) {
    TrnReader::Result r = TrnReader::load(store, path);
    if (r.ok) {
        ProjectSetup::afterLoad(store, dir);
    }
    return r;
}

bool ProjectDocument::load(const std::string& path) {
    discard();
    m_store->reset();
    // The path is kept absolute: the recent list must find the file from anywhere.
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    TrnReader::Result r =
        readFile(*m_store, ec ? path : absolute.lexically_normal().string(), m_dir);
    if (!r.ok) {
        m_store->reset();
        m_store->projectOpen = false;
        replaced();
        m_sink.show(r.message, Icon::Warning);
        return false;
    }
    if (r.endsEarly) {
        m_sink.show(Message::string(trnmsg::kEndsEarly), Icon::Warning);
    }
    m_store->treeChanged = false;
    m_history.clear();
    replaced();
    if (!r.findings.empty()) {
        m_sink.show(findingsMessage(path, r.findings), Icon::Warning);
    }
    return true;
}

bool ProjectDocument::close() {
    if (modified()) {
        const Answer a = m_sink.ask(Message::string(docmsg::kSaveChanges), Buttons::YesNoCancel);
        if (a == Answer::Cancel) {
            return false;
        }
        if (a == Answer::Yes && (!save() || modified())) {
            return false;
        }
    }
    discard();
    m_store->screenOpen.fill(0);
    m_store->projectOpen = false;
    replaced();
    return true;
}

// ---- Save ----------------------------------------------------------------------------------

std::string ProjectDocument::withProjectExtension(const std::string& chosen, bool saveAs,
                                                  MessageSink& sink) {
    std::string extension = extensionOf(chosen);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool append = saveAs ? extension != "trn" : extension.empty();
    if (!append) {
        return chosen;
    }
    const std::string path = chosen + ".trn";
    // The file dialog asked about the name as typed; the name with the extension may exist too.
    if (FileIo::exists(path) &&
        sink.ask(Message::string(docmsg::kOverwrite, {path}), Buttons::YesNo) != Answer::Yes) {
        return {};
    }
    return path;
}

std::string ProjectDocument::chooseSavePath(bool saveAs) {
    if (!m_chooseSavePath) {
        return {};
    }
    const std::string chosen = m_chooseSavePath(
        m_store->projectPath.empty() ? m_saveSuggestion : m_store->projectPath);
    if (chosen.empty()) {
        return {};
    }
    return withProjectExtension(chosen, saveAs, m_sink);
}

bool ProjectDocument::save(SaveFrom from) {
    if (!isOpen()) {
        return false;
    }
    ProjectStore& st = *m_store;
    if (!st.projectPath.empty() && from == SaveFrom::Project &&
        trn::isOlderFormat(st.format()) &&
        m_sink.ask(Message::string(trnmsg::kOldFormatQuestion), Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    // The editors store first, so that a new screen's number is asked before the file's name
    // and kept even when the file choice is then cancelled. What they stored is a change of
    // the project until the file is written.
    if (m_editors) {
        if (m_editors->anyModified()) {
            markModified();
        }
        m_editors->storeAll();
    }
    std::string target = st.projectPath;
    if (target.empty()) {
        target = chooseSavePath(false);
        if (target.empty()) {
            return false;
        }
    }
    TrnWriter::Options options;
    options.setModelCode = from == SaveFrom::Project;
    TrnWriter::Result r = TrnWriter::save(st, target, options);
    if (!r.ok) {
        m_sink.show(r.message, Icon::Warning);
        return false;
    }
    st.projectPath = target;
    st.treeChanged = false;
    m_saveSuggestion.clear();
    m_history.setClean();
    if (!modified()) {
        forgetRecoveryCopy();
    }
    pushRecent();
    return true;
}

bool ProjectDocument::saveAs() {
    if (!isOpen()) {
        return false;
    }
    const std::string path = chooseSavePath(true);
    if (path.empty()) {
        return false;
    }
    const std::string old = m_store->projectPath;
    m_store->projectPath = path;
    if (!save()) {
        m_store->projectPath = old;
        return false;
    }
    return true;
}

// ---- Recovery copies -----------------------------------------------------------------------

namespace {

std::string projectName(const std::string& path) {
    return path.empty() ? LanguageStrings::current().text(docmsg::kUntitled)
                        : std::filesystem::path(path).filename().string();
}

std::string localTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    char text[64] = "";
    if (const std::tm* local = std::localtime(&t)) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", local);
    }
    return text;
}

int64_t secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

void ProjectDocument::setRecoveryDirectory(const std::string& directory) {
    m_recovery = std::make_unique<RecoveryCopies>(directory);
    m_copyHash = 0;
}

void ProjectDocument::forgetRecoveryCopy() {
    if (m_recovery) {
        m_recovery->remove();
    }
    m_copyHash = 0;
}

std::optional<Message> ProjectDocument::writeRecoveryCopy() {
    if (!m_recovery) {
        return std::nullopt;
    }
    if (!isOpen() || !modified()) {
        forgetRecoveryCopy();
        return std::nullopt;
    }
    // The editors store into a copy: the project itself, and what its file will hold, stay as
    // the user left them until the user saves.
    auto copy = std::make_unique<ProjectStore>(*m_store);
    if (m_editors) {
        m_editors->storeAllInto(*copy);
    }
    TrnWriter::Result prepared = TrnWriter::prepare(*copy);
    if (!prepared.ok) {
        return Message::string(docmsg::kCopyNotWritten,
                               {LanguageStrings::current().format(prepared.message)});
    }
    const std::string bytes = TrnWriter::serialise(*copy);
    RecoveryCopy about;
    about.projectPath = m_store->projectPath.empty() ? m_saveSuggestion : m_store->projectPath;
    about.savedAt = secondsNow();
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        if (copy->screenOpen[static_cast<size_t>(s)] != 0 && copy->screenExists(s)) {
            about.openScreens.push_back(s);
        }
    }
    RecoveryCopy timeless = about;
    timeless.savedAt = 0;
    const size_t hash = std::hash<std::string>{}(bytes + RecoveryCopies::describe(timeless));
    if (m_recovery->hasCopy() && hash == m_copyHash) {
        return std::nullopt; // nothing new since the last copy
    }
    std::string why;
    if (!m_recovery->write(bytes, about, &why)) {
        return Message::string(docmsg::kCopyNotWritten, {why});
    }
    m_copyHash = hash;
    return std::nullopt;
}

std::optional<std::vector<int>> ProjectDocument::offerRecovery() {
    if (!m_recovery) {
        return std::nullopt;
    }
    for (const RecoveryCopy& c : m_recovery->orphans()) {
        const std::string name = projectName(c.projectPath);
        const Answer a = m_sink.ask(
            Message::string(docmsg::kRestoreQuestion, {name, localTime(c.savedAt)}),
            Buttons::YesNo);
        if (a != Answer::Yes) {
            m_recovery->discard(c);
            continue;
        }
        if (isOpen()) {
            discard();
        }
        TrnReader::Result r = readFile(*m_store, c.copyPath, m_dir);
        if (!r.ok) {
            m_store->reset();
            m_store->projectOpen = false;
            replaced();
            // Offered no more, but not deleted: the user may still get at the work in it.
            m_recovery->setAside(c);
            const std::string why = LanguageStrings::current().format(r.message);
            m_sink.show(Message::string(docmsg::kRestoreFailed, {name, why, c.copyPath}),
                        Icon::Warning);
            continue;
        }
        // Unsaved, untitled work whose Save starts at its own file.
        m_store->projectPath.clear();
        m_store->treeChanged = true;
        m_saveSuggestion = c.projectPath;
        replaced();
        // Kept as this program's own copy before the old one goes, so that the work survives
        // another crash before the next interval.
        writeRecoveryCopy();
        m_recovery->discard(c);
        // The copies not offered yet are left for the next start, or another program starting
        // now, to offer.
        m_recovery->release();
        return c.openScreens;
    }
    return std::nullopt;
}

// ---- Recent projects -----------------------------------------------------------------------

std::string ProjectDocument::recentPath(int entry) const {
    if (entry < 1 || entry > static_cast<int>(m_store->recentFiles.size())) {
        return {};
    }
    const std::string& path = m_store->recentFiles[static_cast<size_t>(entry - 1)];
    return path == m_sentinel ? std::string() : path;
}

void ProjectDocument::pushRecent() {
    SettingsFile::pushRecent(m_store->recentFiles, m_store->projectPath);
    if (m_settings) {
        m_settings->writeRecentFiles(m_store->recentFiles, m_sentinel);
    }
}

} // namespace dispcraft
