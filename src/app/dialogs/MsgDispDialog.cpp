#include "app/dialogs/MsgDispDialog.h"

#include "app/Commands.h"
#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/BuddyLabel.h"
#include "app/dialogs/DialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/ReportList.h"

#include <QDialogButtonBox>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kTextsLabel };
} // namespace

MsgDispDialog::MsgDispDialog(MsgDispForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("msgDispDialog"));
    setWindowTitle(dlgtext::label(dlgtext::kMsgDisp, kTitle));

    m_address = new AddressGroupControls(form.address(), prompts, this);
    QGroupBox* addressBox = m_address->makeBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);

    auto* display = new QGroupBox(ui::text(appmsg::kDisplayGroup), this);
    m_normal = named(new QRadioButton(ui::text(appmsg::kNormal), display), MsgDispForm::kReverseGroup);
    m_reverse = named(new QRadioButton(ui::text(appmsg::kReverse), display), MsgDispForm::kReverseGroup + 1);
    auto* group = new QButtonGroup(this);
    group->addButton(m_normal, 0);
    group->addButton(m_reverse, 1);
    auto* displayRows = new QVBoxLayout(display);
    displayRows->addWidget(m_normal);
    displayRows->addWidget(m_reverse);

    std::vector<ListColumn> columns;
    for (const MsgDispForm::Column& c : MsgDispForm::columns()) {
        columns.push_back({c.title, c.width});
    }
    m_list = named(new ReportList(columns, this), MsgDispForm::kTextList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 9);
    m_list->setEditableColumn(
        0, static_cast<int>(MsgDispForm::kEditLimit),
        [this](int row, QString& text) {
            if (std::optional<Message> refused = m_form.editText(row, ui::str(text))) {
                m_prompts.show(*refused, Icon::Warning);
                return false;
            }
            text = ui::qs(m_form.text(row));
            return true;
        },
        QAbstractItemView::AllEditTriggers);
    fillList();

    auto* left = new QVBoxLayout;
    left->addWidget(addressBox);
    left->addWidget(display);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buddyLabel(dlgtext::label(dlgtext::kMsgDisp, kTextsLabel), m_list));
    right->addWidget(m_list, 1);
    auto* columnsRow = new QHBoxLayout;
    columnsRow->addLayout(left);
    columnsRow->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columnsRow, 1);
    layout->addWidget(makeButtons());

    m_address->show();
    (form.reverse() == 1 ? m_reverse : m_normal)->setChecked(true);
}

void MsgDispDialog::fillList() {
    std::vector<QStringList> rows;
    for (const MsgDispForm::Row& r : m_form.rows()) {
        rows.push_back({ui::qs(r.text), ui::qs(r.index)});
    }
    m_list->setRows(rows);
}

void MsgDispDialog::onOk() {
    m_address->take();
    m_form.reverse() = m_reverse->isChecked() ? 1 : 0;
    FormOutcome<MsgDispForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<MsgDispForm::Values> MsgDispDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
