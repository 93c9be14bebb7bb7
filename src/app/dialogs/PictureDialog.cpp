#include "app/dialogs/PictureDialog.h"

#include "app/DialogRunner.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/ReportList.h"
#include "app/dialogs/SpinEdit.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kListLabel, kPreviewLabel, kImport, kDelete, kImportTitle, kNumberLabel, kImportPreview };
QString label(int line) { return dlgtext::label(dlgtext::kPicture, line); }

constexpr int kPreviewWidth = 192;
constexpr int kPreviewHeight = 64;
} // namespace

// ---- the import's file dialog ---------------------------------------------------------------

PictureImportDialog::PictureImportDialog(const QString& startDirectory, QWidget* parent)
    : QFileDialog(parent, label(kImportTitle), startDirectory) {
    setObjectName(QStringLiteral("pictureImportDialog"));
    // The pane needs the toolkit's own dialog; the file must exist and is only read.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters(ui::text(PictureForm::importFilter()).split(QStringLiteral(";;")));

    auto* pane = new QGroupBox(label(kImportPreview), this);
    m_preview = new DotPreview(kPreviewWidth, kPreviewHeight, pane);
    m_preview->setObjectName(FormDialog::controlName(PictureForm::kImportPreview));
    m_number = new SpinEdit(pane);
    m_number->setObjectName(FormDialog::controlName(PictureForm::kImportNumber));
    m_number->setSpinRange(PictureForm::kImportNumberRange.low, PictureForm::kImportNumberRange.high);
    m_number->setMaxLength(3);
    m_number->setCharacters(4);
    m_number->setValue(0);
    auto* rows = new QFormLayout;
    rows->addRow(label(kNumberLabel), m_number);
    auto* paneLayout = new QVBoxLayout(pane);
    paneLayout->addWidget(m_preview);
    paneLayout->addLayout(rows);
    paneLayout->addStretch(1);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
    } else {
        layout()->addWidget(pane);
    }
    connect(this, &QFileDialog::currentChanged, this, &PictureImportDialog::showPreview);
}

QString PictureImportDialog::chosenFile() const { return selectedFiles().value(0); }

int PictureImportDialog::number() const { return m_number->value(); }

void PictureImportDialog::showPreview(const QString& path) {
    const QFileInfo info(path);
    QImage bitmap;
    if (info.isFile() && bitmap.load(path) && !bitmap.isNull()) {
        QImage image = m_preview->blank();
        QPainter p(&image);
        p.drawImage(image.rect(), bitmap);
        p.end();
        m_preview->setImage(std::move(image));
    } else {
        m_preview->clear();
    }
}

// ---- the picture dialog ---------------------------------------------------------------------

PictureDialog::PictureDialog(PictureForm& form, Prompts& prompts, QString pictureDirectory, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form), m_pictureDir(std::move(pictureDirectory)) {
    using F = PictureForm;
    setObjectName(QStringLiteral("pictureDialog"));
    setWindowTitle(label(kTitle));

    m_list = named(new ReportList(F::columns(), this), F::kList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 9);
    m_preview = named(new DotPreview(kPreviewWidth, kPreviewHeight, this), F::kPreview);
    m_import = named(new QPushButton(label(kImport), this), F::kImport);
    m_delete = named(new QPushButton(label(kDelete), this), F::kDelete);
    for (QPushButton* b : {m_import, m_delete}) {
        b->setAutoDefault(false);
    }
    m_delete->setVisible(form.shown(F::kDelete));

    // Button 1024 ("use picture") confirms a choice made from a screen window, 1023 ("close")
    // one made from the workspace; both end the dialog through the form's OK.
    const int confirmId = form.shown(F::kButton1024) ? F::kButton1024 : F::kButton1023;
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(ui::text(form.buttonText(confirmId)), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setProperty("controlId", confirmId);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { onOk(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* listColumn = new QVBoxLayout;
    auto* listLabel = new QLabel(label(kListLabel), this);
    listLabel->setBuddy(m_list);
    listColumn->addWidget(listLabel);
    listColumn->addWidget(m_list, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(new QLabel(label(kPreviewLabel), this));
    side->addWidget(m_preview);
    side->addSpacing(8);
    auto* actions = new QHBoxLayout;
    actions->addWidget(m_import);
    actions->addWidget(m_delete);
    actions->addStretch(1);
    side->addLayout(actions);
    side->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(listColumn, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    fillList();

    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = m_list->selectedRow();
        if (row < 0 || row == m_form.selectedRow()) {
            return;
        }
        if (std::optional<Message> refused = m_form.selectRow(row)) {
            m_prompts.show(*refused, Icon::Warning);
        }
        renderPreview();
    });
    connect(m_import, &QPushButton::clicked, this, &PictureDialog::import);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_form.deleteSelected(m_prompts);
        fillList();
        renderPreview();
    });
}

PictureDialog::~PictureDialog() = default;

void PictureDialog::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    if (m_timerStarted) {
        return;
    }
    m_timerStarted = true;
    // Once the dialog shows, the current picture's row is chosen and drawn.
    QTimer::singleShot(PictureForm::kTimerMs, this, [this] {
        const int row = m_form.timerFired();
        if (row < 0) {
            return;
        }
        m_list->setFocus(Qt::OtherFocusReason);
        {
            const QSignalBlocker block(m_list);
            m_list->selectRow(row);
        }
        m_list->viewport()->update();
        renderPreview();
    });
}

void PictureDialog::fillList() {
    std::vector<QStringList> rows;
    for (const PictureForm::Row& r : m_form.rows()) {
        rows.push_back({ui::qs(r.id), ui::qs(r.size)});
    }
    m_list->setRows(rows);
    if (m_form.selectedRow() >= 0) {
        const QSignalBlocker block(m_list);
        m_list->selectRow(m_form.selectedRow());
    }
}

void PictureDialog::renderPreview() {
    const PictureForm::Preview p = m_form.preview();
    if (p.width == 0 || p.height == 0) {
        m_preview->clear();
        return;
    }
    QImage image = m_preview->blank();
    for (int y = 0; y < p.height && y < image.height(); ++y) {
        for (int x = 0; x < p.width && x < image.width(); ++x) {
            if (p.at(x, y)) {
                image.setPixel(x, y, qRgb(0, 0, 0));
            }
        }
    }
    m_preview->setImage(std::move(image));
}

void PictureDialog::import() {
    // The program's picture directory when there is one.
    PictureImportDialog files(QDir(m_pictureDir).exists() ? m_pictureDir : QFileInfo(m_pictureDir).path(), this);
    if (DialogRunner::exec(files) != QDialog::Accepted) {
        return;
    }
    const QString path = files.chosenFile();
    if (path.isEmpty()) {
        return;
    }
    m_form.importFile(ui::str(path), files.number(), m_prompts);
    fillList();
    renderPreview();
}

void PictureDialog::onOk() {
    FormOutcome<PictureForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<PictureForm::Values> PictureDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
