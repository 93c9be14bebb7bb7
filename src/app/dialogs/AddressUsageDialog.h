#pragma once

#include "report/AddressXref.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace dispcraft {

// Edit > Find Address Usage: an address typed or picked from those the project uses, and its
// uses, one row each. A double-click on a use asks to open its screen with the object
// selected. The dialog stays open beside the screen windows; each search looks at the project
// as it is then.
class AddressUsageDialog : public QDialog {
    Q_OBJECT
public:
    // The project's address entries as they are now (the caller stores its windows first).
    using Source = std::function<std::vector<AddressEntry>()>;
    // The uses of a typed address among the entries.
    using Finder =
        std::function<AddressXref::Found(const std::vector<AddressEntry>&, const QString&)>;

    AddressUsageDialog(Source source, Finder finder, QWidget* parent = nullptr);

    // Shows the uses of an address as if it were typed (empty: only refreshes the list of
    // addresses).
    void search(const QString& address);
    QString addressText() const;
    // The rows of the last search: "label|screen|object|access".
    QStringList rowTexts() const;
    QString statusText() const;
    QTreeWidget* uses() const { return m_uses; }

signals:
    // A use was double-clicked: screen 0 for the project-wide records.
    void useActivated(int screen, const QString& kind, int index);

private:
    void refill();
    void find();
    void activated(QTreeWidgetItem* item);

    Source m_source;
    Finder m_finder;
    QComboBox* m_address = nullptr;
    QTreeWidget* m_uses = nullptr;
    QLabel* m_status = nullptr;
};

} // namespace dispcraft
