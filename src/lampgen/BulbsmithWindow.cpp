#include "lampgen/BulbsmithWindow.h"

#include "lamp/LampConverter.h"
#include "lamp/LampFile.h"
#include "lampgen/AboutDialog.h"
#include "lampgen/BmpPreviewPane.h"
#include "lampgen/BulbsmithIcon.h"
#include "lampgen/LampPreview.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace dispcraft {

namespace {

QPushButton* button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter in a path field must not fire a button.
    b->setAutoDefault(false);
    return b;
}

QString localPath(const QString& text) { return QFileInfo(text).absolutePath(); }

} // namespace

BulbsmithWindow::BulbsmithWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("bulbsmithWindow"));
    setWindowTitle(QStringLiteral("文本显示器之“灯部品”文件生成器"));
    setWindowIcon(bulbsmithIcon());
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    auto* sourceLabel = new QLabel(QStringLiteral("位图资源文件(目前只支持单色的BMP文件)"), this);
    m_source = new QLineEdit(this);
    m_source->setObjectName(QStringLiteral("sourceEdit"));
    sourceLabel->setBuddy(m_source);
    auto* sourceBrowse = button(QStringLiteral("浏览..."), "sourceBrowse", this);

    auto* targetLabel = new QLabel(QStringLiteral("目标文件"), this);
    m_target = new QLineEdit(this);
    m_target->setObjectName(QStringLiteral("targetEdit"));
    targetLabel->setBuddy(m_target);
    auto* targetBrowse = button(QStringLiteral("浏览..."), "targetBrowse", this);

    auto* previewLabel = new QLabel(QStringLiteral("预览:"), this);
    m_preview = new LampPreview(this);
    m_preview->setObjectName(QStringLiteral("preview"));

    auto* sizeLabel = new QLabel(QStringLiteral("尺寸(单位：像素)"), this);
    // Kept for its place in the window only: the convert buttons choose the size.
    m_sizeList = new QComboBox(this);
    m_sizeList->setObjectName(QStringLiteral("sizeList"));
    m_sizeList->addItems({QStringLiteral("16×16"), QStringLiteral("32×32")});
    m_sizeList->setCurrentIndex(0);
    m_sizeList->setEnabled(false);
    m_sizeList->hide();
    auto* convert16 = button(QStringLiteral("16*16转换"), "convert16", this);
    auto* convert32 = button(QStringLiteral("32*32转换"), "convert32", this);

    auto* version = new QLabel(QStringLiteral("Ver1.1"), this);
    // Where the window manager offers no system menu to add it to, About gets its own button.
    auto* about = button(QStringLiteral("关于 Bulbsmith(&A)..."), "aboutButton", this);
    auto* exit = button(QStringLiteral("退出"), "exitButton", this);

    auto* grid = new QGridLayout;
    grid->addWidget(sourceLabel, 0, 0, 1, 2);
    grid->addWidget(m_source, 1, 0);
    grid->addWidget(sourceBrowse, 1, 1);
    grid->addWidget(targetLabel, 2, 0, 1, 2);
    grid->addWidget(m_target, 3, 0);
    grid->addWidget(targetBrowse, 3, 1);
    grid->setColumnStretch(0, 1);
    m_source->setMinimumWidth(320);

    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(previewLabel);
    previewColumn->addWidget(m_preview, 0, Qt::AlignLeft | Qt::AlignTop);
    previewColumn->addStretch(1);
    auto* sizeColumn = new QVBoxLayout;
    sizeColumn->addWidget(sizeLabel);
    sizeColumn->addWidget(m_sizeList);
    sizeColumn->addWidget(convert16);
    sizeColumn->addWidget(convert32);
    sizeColumn->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addLayout(previewColumn);
    middle->addStretch(1);
    middle->addLayout(sizeColumn);

    // What the last conversion wrote.
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("resultLabel"));
    m_result->setWordWrap(true);
    m_result->setMaximumWidth(420);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(version);
    bottom->addStretch(1);
    bottom->addWidget(about);
    bottom->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(middle);
    layout->addWidget(m_result);
    layout->addSpacing(6);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(sourceBrowse, &QPushButton::clicked, this, &BulbsmithWindow::browseSource);
    connect(targetBrowse, &QPushButton::clicked, this, &BulbsmithWindow::browseTarget);
    connect(convert16, &QPushButton::clicked, this, [this] { convert(LampPicture::kSmall); });
    connect(convert32, &QPushButton::clicked, this, [this] { convert(LampPicture::kLarge); });
    connect(about, &QPushButton::clicked, this, &BulbsmithWindow::showAbout);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &BulbsmithWindow::showAbout);
}

void BulbsmithWindow::setMessageHandler(std::function<void(const QString&)> handler) {
    m_messageHandler = std::move(handler);
}

void BulbsmithWindow::showMessage(const QString& text) {
    if (m_messageHandler) {
        m_messageHandler(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Bulbsmith"), text, QMessageBox::Ok,
                    this);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool BulbsmithWindow::convert(int size) {
    const QString source = m_source->text();
    const QString target = m_target->text();
    if (source.isEmpty()) {
        showMessage(QStringLiteral("请指定源文件！"));
        return false;
    }
    if (target.isEmpty()) {
        showMessage(QStringLiteral("请指定目标文件！"));
        return false;
    }
    LampConverter::Result r = LampConverter::convertFile(source.toStdString(), size);
    if (!r.ok()) {
        showMessage(QString::fromStdString(r.message()));
        return false;
    }
    // Both lamp states side by side, S dots high: any other size would be cut or padded into
    // a wrong lamp, so it is refused before anything is written.
    if (r.bitmapWidth != 2 * size || r.bitmapHeight != size) {
        showMessage(QStringLiteral("位图为 %1×%2 像素，而 %3×%3 的灯部品需要 %4×%3 像素的位图"
                                   "（左右并排两种状态）。")
                        .arg(r.bitmapWidth)
                        .arg(r.bitmapHeight)
                        .arg(size)
                        .arg(2 * size));
        return false;
    }
    // Dispcraft lists lamp files by their extension.
    QString written = target;
    if (QFileInfo(written).suffix().isEmpty() && !QFileInfo(written).isDir()) {
        written += QStringLiteral(".lmp");
        m_target->setText(written);
    }
    m_preview->setPicture(r.picture);
    std::string error;
    if (!LampFile::write(written.toStdString(), r.picture, &error)) {
        m_result->clear();
        showMessage(
            QString::fromStdString(LampFile::writeFailureMessage(written.toStdString(), error)));
        return false;
    }
    m_result->setText(QStringLiteral("已写入 %1（%2×%2 灯部品，%3 字节）。")
                          .arg(QDir::toNativeSeparators(written))
                          .arg(size)
                          .arg(static_cast<qlonglong>(r.picture.dots.size())));
    return true;
}

QFileDialog* BulbsmithWindow::createSourceDialog() {
    auto* dlg = new QFileDialog(this);
    dlg->setObjectName(QStringLiteral("sourceDialog"));
    // The built-in dialog, because the preview pane is added to its layout.
    dlg->setOption(QFileDialog::DontUseNativeDialog);
    dlg->setAcceptMode(QFileDialog::AcceptOpen);
    dlg->setFileMode(QFileDialog::ExistingFile);
    dlg->setNameFilter(QStringLiteral("位图文件(*.bmp)"));
    if (!m_source->text().isEmpty()) {
        dlg->setDirectory(localPath(m_source->text()));
        dlg->selectFile(m_source->text());
    }
    auto* pane = new BmpPreviewPane(dlg);
    pane->setObjectName(QStringLiteral("bmpPreviewPane"));
    if (auto* grid = qobject_cast<QGridLayout*>(dlg->layout())) {
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1,
                        Qt::AlignTop | Qt::AlignHCenter);
    }
    // The pane follows the file the user moves to in the list, and a name typed into the
    // dialog's name field as well.
    connect(dlg, &QFileDialog::currentChanged, pane, &BmpPreviewPane::showFile);
    if (auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        connect(name, &QLineEdit::textEdited, pane, [dlg, pane](const QString& text) {
            pane->showFile(text.isEmpty() ? QString() : dlg->directory().absoluteFilePath(text));
        });
    }
    return dlg;
}

QFileDialog* BulbsmithWindow::createTargetDialog() {
    auto* dlg = new QFileDialog(this);
    dlg->setObjectName(QStringLiteral("targetDialog"));
    dlg->setOption(QFileDialog::DontUseNativeDialog);
    dlg->setAcceptMode(QFileDialog::AcceptSave);
    dlg->setFileMode(QFileDialog::AnyFile);
    dlg->setNameFilter(QStringLiteral("灯文件(*.lmp)"));
    // A name typed without an extension gets ".lmp", as Dispcraft lists lamp files by it; an
    // existing file is asked about.
    dlg->setDefaultSuffix(QStringLiteral("lmp"));
    dlg->setOption(QFileDialog::DontConfirmOverwrite, false);
    if (!m_target->text().isEmpty()) {
        dlg->setDirectory(localPath(m_target->text()));
        dlg->selectFile(m_target->text());
    }
    return dlg;
}

void BulbsmithWindow::browseSource() {
    QFileDialog* dlg = createSourceDialog();
    if (dlg->exec() == QDialog::Accepted && !dlg->selectedFiles().isEmpty()) {
        m_source->setText(dlg->selectedFiles().constFirst());
    }
    delete dlg;
}

void BulbsmithWindow::browseTarget() {
    QFileDialog* dlg = createTargetDialog();
    if (dlg->exec() == QDialog::Accepted && !dlg->selectedFiles().isEmpty()) {
        m_target->setText(dlg->selectedFiles().constFirst());
    }
    delete dlg;
}

void BulbsmithWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

} // namespace dispcraft
