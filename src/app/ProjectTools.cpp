#include "app/ProjectTools.h"

#include "app/MainWindow.h"
#include "app/Prompts.h"
#include "app/ScreenWindow.h"
#include "app/UiText.h"
#include "app/dialogs/AddressUsageDialog.h"
#include "model/ProjectStore.h"
#include "objects/ObjectKinds.h"

#include "base/FileIo.h"
#include "document/ChangeRecorder.h"
#include "document/ProjectDocument.h"
#include "report/ProjectReport.h"
#include "report/ReportPictures.h"
#include "text/LanguageStrings.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QStatusBar>

#include <cerrno>
#include <cstring>
#include <set>

namespace dispcraft {

namespace {

// Language strings of the texts and report commands.
constexpr int kCsvFilter = 66013;
constexpr int kExportTextsTitle = 66014;
constexpr int kImportTextsTitle = 66015;
constexpr int kNothingImported = 66024;  // follows the reason a table was refused
constexpr int kImported = 66025;         // %s file, %s texts changed, %s rows
constexpr int kExported = 66026;         // %s texts, %s file
constexpr int kNotRead = 66027;          // %s file, %s reason
constexpr int kNotWritten = 66028;       // %s file, %s reason
constexpr int kHtmlFilter = 66029;
constexpr int kExportReportTitle = 66030;
constexpr int kReportWritten = 66031;    // %s screens, %s file

} // namespace

ProjectTools::ProjectTools(MainWindow& main) : QObject(&main), m_main(main) {}

void ProjectTools::storeWindows() {
    for (ScreenWindow* w : m_main.screenWindows()) {
        if (w->screenNo() != 0) {
            w->session().screen().storeScreen();
            w->afterEdit();
        }
    }
    m_main.refreshWorkspace();
}

void ProjectTools::findAddressUsage(const QString& address) {
    if (!m_main.store().projectOpen) {
        return;
    }
    if (!m_usage) {
        auto source = [this] {
            storeWindows();
            return AddressXref::build(m_main.store());
        };
        auto finder = [this](const std::vector<AddressEntry>& entries, const QString& typed) {
            return AddressXref::find(entries, m_main.store(), ui::str(typed));
        };
        m_usage = new AddressUsageDialog(source, finder, &m_main);
        connect(m_usage, &AddressUsageDialog::useActivated, this,
                [this](int screen, const QString& kind, int index) {
                    int code = 0;
                    forEachKind([&](auto k) {
                        if (kind == QLatin1String(decltype(k)::kName)) {
                            code = decltype(k)::kCode;
                        }
                    });
                    if (screen != 0) {
                        showObject(screen, code, index - 1);
                    }
                });
    }
    m_usage->search(address);
    m_usage->show();
    m_usage->raise();
    m_usage->activateWindow();
}

AddressUsageDialog* ProjectTools::usageDialog() const {
    return m_usage;
}

void ProjectTools::showObject(int screen, int kindCode, int index) {
    if (!m_main.store().screenExists(screen)) {
        return;
    }
    m_main.openScreen(screen);
    ScreenWindow* w = m_main.windowOfScreen(screen);
    if (!w) {
        return;
    }
    ScreenContents& session = w->session().screen();
    session.deselectAll();
    if (ScreenObjects::capacityOf(kindCode) > index && index >= 0 &&
        session.objects().occupied(kindCode, index)) {
        session.objects().head(kindCode, index).select(true);
    }
    session.invalidateAll();
    w->afterEdit();
    m_main.mdiArea()->setActiveSubWindow(w);
}

QString ProjectTools::besideProject(const char* extension) const {
    const std::string& path = m_main.store().projectPath;
    if (path.empty()) {
        return QString::fromLatin1("project") + QLatin1String(extension);
    }
    const QFileInfo info(ui::qs(path));
    return info.dir().filePath(info.completeBaseName() + QLatin1String(extension));
}

void ProjectTools::exportTexts() {
    if (!m_main.store().projectOpen) {
        return;
    }
    storeWindows();
    const QString path = m_main.prompts().saveFileName(ui::text(kExportTextsTitle), ui::text(kCsvFilter),
                                                       besideProject(".csv"));
    if (path.isEmpty()) {
        return;
    }
    const std::string file = ui::str(path);
    std::string error;
    if (!FileIo::writeAtomic(file, ProjectTexts::exportCsv(m_main.store()), &error)) {
        m_main.prompts().showText(Message::string(kNotWritten, {file, error}), Icon::Warning, 0);
        return;
    }
    const size_t rows = ProjectTexts::textSlots(m_main.store()).size();
    m_main.statusBar()->showMessage(ui::text(Message::string(kExported, {std::to_string(rows), file})));
}

void ProjectTools::importTexts() {
    if (!m_main.store().projectOpen) {
        return;
    }
    storeWindows();
    const QString path = m_main.prompts().openFileName(ui::text(kImportTextsTitle), ui::text(kCsvFilter),
                                                       besideProject(".csv"));
    if (path.isEmpty()) {
        return;
    }
    const std::string file = ui::str(path);
    const std::optional<std::string> csv = FileIo::readText(file);
    if (!csv) {
        m_main.prompts().showText(Message::string(kNotRead, {file, std::strerror(errno)}), Icon::Warning, 0);
        return;
    }
    const ProjectTexts::Checked checked = ProjectTexts::check(m_main.store(), *csv);
    if (!checked.ok()) {
        Message m = Message::text(ui::str(ui::text(checked.error) + QLatin1Char('\n') + ui::text(kNothingImported)));
        m_main.prompts().showText(m, Icon::Warning, 0);
        return;
    }
    // One step of the history: undo puts every text back, in the store and in open windows.
    ChangeRecorder change(m_main.document().history(), m_main.store());
    replaceTexts(checked.changes);
    change.commit(Message::string(kImportTextsTitle));
    m_main.updateCommandStates();
    m_main.statusBar()->showMessage(ui::text(Message::string(
        kImported, {QFileInfo(path).fileName().toStdString(), std::to_string(checked.changes.size()),
                    std::to_string(checked.rows)})));
}

std::vector<TextChange> ProjectTools::replaceTexts(const std::vector<TextChange>& changes) {
    std::vector<TextChange> back = ProjectTexts::apply(m_main.store(), changes);
    if (changes.empty()) {
        return back;
    }
    std::set<int> screens;
    for (const TextChange& c : changes) {
        screens.insert(c.slot.screen);
    }
    for (ScreenWindow* w : m_main.screenWindows()) {
        if (w->screenNo() != 0 && screens.count(w->screenNo())) {
            w->reload();
            if (w->screenNo() != 0) {
                w->updateTitle();
            }
        }
    }
    m_main.document().markModified();
    m_main.refreshWorkspace();
    m_main.updateCommandStates();
    return back;
}

void ProjectTools::exportReport() {
    if (!m_main.store().projectOpen) {
        return;
    }
    storeWindows();
    const QString path = m_main.prompts().saveFileName(ui::text(kExportReportTitle), ui::text(kHtmlFilter),
                                                       besideProject(".html"));
    if (path.isEmpty()) {
        return;
    }
    const std::string file = ui::str(path);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const LanguageStrings& strings = LanguageStrings::current();
    ReportPictures pictures(m_main.store(), m_main.document().programDirectory(), strings);
    std::vector<std::string> notes;
    for (const Message& m : pictures.notes()) {
        notes.push_back(strings.format(m));
    }
    // An untitled project goes by the page's name.
    const std::string name = m_main.store().projectPath.empty()
                                 ? QFileInfo(path).completeBaseName().toStdString()
                                 : QFileInfo(ui::qs(m_main.store().projectPath)).fileName().toStdString();
    const std::string html =
        ProjectReport::html(m_main.store(), strings, name, pictures.ok() ? &pictures : nullptr, notes);
    std::string error;
    const bool written = FileIo::writeAtomic(file, html, &error);
    QApplication::restoreOverrideCursor();
    if (!written) {
        m_main.prompts().showText(Message::string(kNotWritten, {file, error}), Icon::Warning, 0);
        return;
    }
    int screens = 0;
    for (int s = capacity::kFirstScreen; s <= capacity::kLastScreen; ++s) {
        screens += m_main.store().screenExists(s);
    }
    m_main.statusBar()->showMessage(ui::text(Message::string(kReportWritten, {std::to_string(screens), file})));
}

} // namespace dispcraft
