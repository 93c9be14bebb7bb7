#pragma once

#include "report/ProjectTexts.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

namespace dispcraft {

class AddressUsageDialog;
class MainWindow;

// The tools that look at the whole project: where a PLC address is used (Edit > Find Address
// Usage, the project tree's "Show other uses"), the texts for translation (Project > Export
// Texts, Import Texts) and the project report (File > Export Report). Each works on the
// project as the screen windows show it: the numbered windows are stored into the project
// first, as the simulator's start does, without writing the file.
class ProjectTools : public QObject {
    Q_OBJECT
public:
    explicit ProjectTools(MainWindow& main);

    // Shows the address usage dialog, searching for address when it is not empty.
    void findAddressUsage(const QString& address = {});
    AddressUsageDialog* usageDialog() const;

    // Opens stored screen s (or brings its window to the front) with object index (0-based)
    // of the kind selected; a kind that is no object kind opens the screen only.
    void showObject(int screen, int kindCode, int index);

    // Project > Export Texts, Import Texts and File > Export Report: each asks for a file and
    // says in the status bar what it did; failures are shown. An import that a row refuses
    // changes nothing.
    void exportTexts();
    void importTexts();
    void exportReport();

    // Puts checked text changes into the project as one step: the store, the open screen
    // windows of the screens concerned, the project tree and the modified state. Returns the
    // changes that take the step back, given to this function again.
    std::vector<TextChange> replaceTexts(const std::vector<TextChange>& changes);

private:
    void storeWindows();
    // Where a file beside the project starts: the project's path with another extension.
    QString besideProject(const char* extension) const;

    MainWindow& m_main;
    QPointer<AddressUsageDialog> m_usage;
};

} // namespace dispcraft
