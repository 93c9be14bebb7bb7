#include "app/Prompts.h"

#include "app/UiText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace dispcraft {

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Stop: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QString captionText(int caption) { return ui::text(caption == 0 ? 128 : caption); }

} // namespace

QWidget* WidgetPrompts::parentWidget() const {
    // A message raised while a dialog is open belongs over that dialog.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return m_parent;
}

void WidgetPrompts::showText(const Message& message, Icon icon, int caption) {
    QMessageBox box(boxIcon(icon == Icon::None ? Icon::Information : icon), captionText(caption),
                    ui::text(message), QMessageBox::Ok, parentWidget());
    box.exec();
}

Answer Prompts::ask(const Message& message, Buttons buttons, int caption) {
    return askTitled(message, buttons, captionText(caption));
}

Answer WidgetPrompts::askTitled(const Message& message, Buttons buttons, const QString& caption) {
    QMessageBox::StandardButtons set;
    switch (buttons) {
    case Buttons::Ok: set = QMessageBox::Ok; break;
    case Buttons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case Buttons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::YesNoCancel: set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case Buttons::YesNoDefaultNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case Buttons::OkCancelDefaultCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    }
    QMessageBox box(QMessageBox::Question, caption, ui::text(message), set,
                    parentWidget());
    if (buttons == Buttons::YesNoDefaultNo) {
        box.setDefaultButton(QMessageBox::No);
    } else if (buttons == Buttons::OkCancelDefaultCancel) {
        box.setDefaultButton(QMessageBox::Cancel);
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
    }
    // Closing the box with Escape or its title bar button: No where there is no Cancel.
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoDefaultNo ? Answer::No
                                                                            : Answer::Cancel;
}

QString WidgetPrompts::saveFileName(const QString& title, const QString& filter,
                                    const QString& startPath) {
    QFileDialog dialog(parentWidget(), title, startPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("trn"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

QString WidgetPrompts::openFileName(const QString& title, const QString& filter,
                                    const QString& startPath) {
    return QFileDialog::getOpenFileName(parentWidget(), title, startPath, filter);
}

bool WidgetPrompts::openExternal(const QUrl& url) { return QDesktopServices::openUrl(url); }

} // namespace dispcraft
