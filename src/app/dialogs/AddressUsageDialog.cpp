#include "app/dialogs/AddressUsageDialog.h"

#include "app/UiText.h"
#include "app/dialogs/DialogLabels.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dispcraft {

namespace {

// Lines of the dialog's labels (string 66005).
constexpr dlgtext::Pack kLabels{66005, 0};
enum Line {
    kTitle,
    kAddressLabel,
    kFind,
    kAddressColumn,
    kScreenColumn,
    kObjectColumn,
    kAccessColumn,
    kHint
};
constexpr int kNotUsed = 66006;  // %s address
constexpr int kUseCount = 66007; // %s address, %s number of uses
constexpr int kHowToWrite = 66008;
constexpr int kRead = 66009;
constexpr int kWrite = 66010;
constexpr int kReadWrite = 66011;
constexpr int kProjectWide = 66012;

constexpr int kScreenRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kIndexRole = Qt::UserRole + 2;

QString accessText(PlcUse::Access a) {
    switch (a) {
    case PlcUse::Access::Write:
        return ui::text(kWrite);
    case PlcUse::Access::ReadWrite:
        return ui::text(kReadWrite);
    case PlcUse::Access::Read:
        break;
    }
    return ui::text(kRead);
}

} // namespace

AddressUsageDialog::AddressUsageDialog(Source source, Finder finder, QWidget* parent)
    : QDialog(parent), m_source(std::move(source)), m_finder(std::move(finder)) {
    setObjectName(QStringLiteral("addressUsageDialog"));
    setWindowTitle(dlgtext::label(kLabels, kTitle));
    auto* label = new QLabel(dlgtext::label(kLabels, kAddressLabel), this);
    m_address = new QComboBox(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setEditable(true);
    m_address->setInsertPolicy(QComboBox::NoInsert);
    m_address->setMinimumContentsLength(18);
    label->setBuddy(m_address);
    auto* findButton = new QPushButton(dlgtext::label(kLabels, kFind), this);
    findButton->setObjectName(QStringLiteral("find"));
    findButton->setDefault(true);
    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_address, 1);
    top->addWidget(findButton);

    m_uses = new QTreeWidget(this);
    m_uses->setObjectName(QStringLiteral("uses"));
    m_uses->setRootIsDecorated(false);
    m_uses->setAllColumnsShowFocus(true);
    m_uses->setHeaderLabels(
        {dlgtext::label(kLabels, kAddressColumn), dlgtext::label(kLabels, kScreenColumn),
         dlgtext::label(kLabels, kObjectColumn), dlgtext::label(kLabels, kAccessColumn)});
    m_uses->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_uses->setToolTip(dlgtext::label(kLabels, kHint));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_uses, 1);
    layout->addWidget(m_status);
    resize(520, 360);

    connect(findButton, &QPushButton::clicked, this, &AddressUsageDialog::find);
    connect(m_address, &QComboBox::activated, this, &AddressUsageDialog::find);
    connect(m_uses, &QTreeWidget::itemDoubleClicked, this, &AddressUsageDialog::activated);
    connect(m_uses, &QTreeWidget::itemActivated, this, &AddressUsageDialog::activated);
}

void AddressUsageDialog::refill() {
    const QString typed = m_address->currentText();
    m_address->clear();
    for (const AddressEntry& e : m_source()) {
        m_address->addItem(ui::qs(e.label()));
    }
    m_address->setEditText(typed);
}

void AddressUsageDialog::search(const QString& address) {
    refill();
    if (!address.isEmpty()) {
        m_address->setEditText(address);
        find();
    }
}

void AddressUsageDialog::find() {
    const QString typed = m_address->currentText().trimmed();
    m_uses->clear();
    if (typed.isEmpty()) {
        m_status->clear();
        return;
    }
    const std::vector<AddressEntry> entries = m_source();
    const AddressXref::Found found = m_finder(entries, typed);
    if (!found.valid) {
        m_status->setText(ui::text(found.error) + QLatin1Char(' ') + ui::text(kHowToWrite));
        return;
    }
    if (found.entries.empty()) {
        m_status->setText(ui::text(Message::string(kNotUsed, {found.label})));
        return;
    }
    int count = 0;
    for (size_t i : found.entries) {
        const AddressEntry& e = entries[i];
        for (const AddressUse& u : e.uses) {
            auto* row = new QTreeWidgetItem(m_uses);
            row->setText(0, ui::qs(e.label()));
            row->setText(1, u.screen == 0 ? ui::text(kProjectWide) : QString::number(u.screen));
            row->setText(2, QStringLiteral("%1 %2").arg(QString::fromLatin1(u.kind)).arg(u.index));
            row->setText(3, accessText(u.access));
            row->setData(0, kScreenRole, u.screen);
            row->setData(0, kKindRole, QString::fromLatin1(u.kind));
            row->setData(0, kIndexRole, u.index);
            ++count;
        }
    }
    const std::string label = entries[found.entries.front()].label();
    m_status->setText(ui::text(Message::string(kUseCount, {label, std::to_string(count)})) +
                      QLatin1Char(' ') + dlgtext::label(kLabels, kHint));
    if (m_uses->topLevelItemCount() > 0) {
        m_uses->setCurrentItem(m_uses->topLevelItem(0));
    }
}

void AddressUsageDialog::activated(QTreeWidgetItem* item) {
    if (item) {
        emit useActivated(item->data(0, kScreenRole).toInt(), item->data(0, kKindRole).toString(),
                          item->data(0, kIndexRole).toInt());
    }
}

QString AddressUsageDialog::addressText() const {
    return m_address->currentText();
}

QStringList AddressUsageDialog::rowTexts() const {
    QStringList rows;
    for (int i = 0; i < m_uses->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* r = m_uses->topLevelItem(i);
        rows << QStringList{r->text(0), r->text(1), r->text(2), r->text(3)}.join(QLatin1Char('|'));
    }
    return rows;
}

QString AddressUsageDialog::statusText() const {
    return m_status->text();
}

} // namespace dispcraft
