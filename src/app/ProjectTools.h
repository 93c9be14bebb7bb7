#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

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

    void exportTexts();
    void importTexts();
    void exportReport();

private:
    void storeWindows();

    MainWindow& m_main;
    QPointer<AddressUsageDialog> m_usage;
};

} // namespace dispcraft
