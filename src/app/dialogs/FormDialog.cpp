#include "app/dialogs/FormDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

namespace dispcraft {

FormDialog::FormDialog(Prompts& prompts, QWidget* parent) : QDialog(parent), m_prompts(prompts) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QWidget* FormDialog::control(int id) const { return findChild<QWidget*>(controlName(id)); }

QDialogButtonBox* FormDialog::makeButtons() {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
    box->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(box, &QDialogButtonBox::accepted, this, [this] { onOk(); });
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

void FormDialog::focusControl(int id) {
    if (QWidget* w = control(id)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            edit->selectAll();
        }
    }
}

} // namespace dispcraft
