#include "app/dialogs/AddressKeypadDialog.h"

#include "app/DialogRunner.h"
#include "app/dialogs/DialogLabels.h"
#include "text/LanguageStrings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
// The keys as they stand on the pad, row by row.
constexpr int kLayout[4][4] = {{1002, 1003, 1004, 1011},  // 7 8 9 F
                               {1005, 1006, 1007, 1015},  // 4 5 6 E
                               {1008, 1009, 1010, 1014},  // 1 2 3 D
                               {1013, 1016, 1017, 1012}}; // 0 A B C
} // namespace

QLineEdit* AddressKeypadDialog::makeAddressEdit(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(6);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]*")), edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
        if (t != t.toUpper()) {
            const int pos = edit->cursorPosition();
            edit->setText(t.toUpper());
            edit->setCursorPosition(pos);
        }
    });
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMM")) + 12);
    return edit;
}

AddressKeypadDialog::AddressKeypadDialog(AddressKeypadForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("addressKeypadDialog"));
    setWindowTitle(dlgtext::label(dlgtext::kAddress, dlgtext::kKeypadTitle));
    m_edit = named(makeAddressEdit(this), AddressKeypadForm::kEdit);
    m_edit->setMaximumWidth(QWIDGETSIZE_MAX);
    m_edit->setText(QString::fromStdString(form.fields().text));
    QFont big = m_edit->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_edit->setFont(big);

    auto* grid = new QGridLayout;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            const int id = kLayout[r][c];
            auto* b = named(new QPushButton(QString(QChar(*AddressKeypadForm::keyOfButton(id))), this), id);
            b->setAutoDefault(false);
            b->setFocusPolicy(Qt::NoFocus);
            b->setMinimumSize(44, 36);
            grid->addWidget(b, r, c);
            connect(b, &QPushButton::clicked, this, [this, id] { press(id); });
        }
    }
    auto* clear = named(new QPushButton(dlgtext::label(dlgtext::kAddress, dlgtext::kClear), this),
                        AddressKeypadForm::kClearButton);
    auto* back = named(new QPushButton(dlgtext::label(dlgtext::kAddress, dlgtext::kBack), this),
                       AddressKeypadForm::kDeleteButton);
    for (QPushButton* b : {clear, back}) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        const int id = b == clear ? AddressKeypadForm::kClearButton : AddressKeypadForm::kDeleteButton;
        connect(b, &QPushButton::clicked, this, [this, id] { press(id); });
    }
    grid->addWidget(clear, 4, 0, 1, 2);
    grid->addWidget(back, 4, 2, 1, 2);

    auto* limit = new QLabel(QString::fromStdString(LanguageStrings::substitute(
                                 dlgtext::label(dlgtext::kAddress, dlgtext::kHighest).toStdString(),
                                 {form.fields().limit})),
                             this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(limit);
    layout->addLayout(grid);
    layout->addWidget(makeButtons());
    m_edit->selectAll();
    m_edit->setFocus();
}

void AddressKeypadDialog::press(int id) {
    m_form.fields().text = m_edit->text().toStdString();
    m_form.button(id);
    m_edit->setText(QString::fromStdString(m_form.fields().text));
    m_edit->setFocus();
    m_edit->setCursorPosition(m_edit->text().size());
}

void AddressKeypadDialog::onOk() {
    m_form.fields().text = m_edit->text().toStdString();
    FormOutcome<std::string> outcome = m_form.ok();
    if (settle(outcome)) {
        m_value = std::move(outcome.values);
        accept();
    }
}

std::optional<std::string> AddressKeypadDialog::run() {
    m_value.reset();
    if (DialogRunner::exec(*this) != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_value;
}

std::optional<std::string> AddressKeypadDialog::run(AddressKeypadForm form, Prompts& prompts,
                                                    QWidget* parent) {
    AddressKeypadDialog dialog(form, prompts, parent);
    return dialog.run();
}

} // namespace dispcraft
