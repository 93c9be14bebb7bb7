#include "app/dialogs/LampDialog.h"

#include "app/Commands.h"
#include "app/dialogs/AddressGroupControls.h"
#include "app/dialogs/GraphicDialogLabels.h"
#include "app/dialogs/DialogRun.h"
#include "app/dialogs/GraphicDialogParts.h"
#include "app/dialogs/ReportList.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace dispcraft {

namespace {
enum Line { kTitle, kFilesLabel, kOrderGroup, kOffFirst, kOnFirst, kPreviewLabel };
QString label(int line) { return dlgtext::label(dlgtext::kLamp, line); }
} // namespace

LampDialog::LampDialog(LampForm& form, Prompts& prompts, QWidget* parent)
    : FormDialog(prompts, parent), m_form(form) {
    setObjectName(QStringLiteral("lampDialog"));
    setWindowTitle(label(kTitle));

    m_address = new AddressGroupControls(form.address(), prompts, this);
    QGroupBox* addressBox = m_address->makeBox(dlgtext::label(dlgtext::kAddress, dlgtext::kAddressGroup), this);

    m_order = std::make_unique<OptionGroup>(this, label(kOrderGroup), LampForm::kOrderClear,
                                            QStringList{label(kOffFirst), label(kOnFirst)});
    // The second button has an ID of its own.
    m_order->button(1)->setObjectName(controlName(LampForm::kOrderSet));

    m_list = named(new ReportList(LampForm::columns(), this), LampForm::kFileList);
    m_list->setMinimumHeight(m_list->verticalHeader()->defaultSectionSize() * 8);
    std::vector<QStringList> rows;
    for (const LampForm::Row& r : form.rows()) {
        rows.push_back({ui::qs(r.id), ui::qs(r.title)});
    }
    m_list->setRows(rows);

    m_preview = named(new DotPreview(LampForm::kPreviewWidth, LampForm::kPreviewHeight, this),
                      LampForm::kPreview);

    auto* left = new QVBoxLayout;
    left->addWidget(addressBox);
    left->addWidget(m_order->box);
    left->addStretch(1);
    auto* files = new QVBoxLayout;
    auto* filesLabel = new QLabel(label(kFilesLabel), this);
    filesLabel->setBuddy(m_list);
    files->addWidget(filesLabel);
    files->addWidget(m_list, 1);
    auto* previewColumn = new QVBoxLayout;
    previewColumn->addWidget(new QLabel(label(kPreviewLabel), this));
    previewColumn->addWidget(m_preview);
    previewColumn->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(files, 1);
    body->addLayout(previewColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(makeButtons());

    m_address->show();
    m_order->check(form.pictureOrder() ? 1 : 0);

    connect(m_list, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = m_list->selectedRow();
        if (row >= 0 && row != m_form.selectedRow()) {
            chooseRow(row);
        }
    });
    connect(m_list, &QTableWidget::cellClicked, this, [this](int row, int) { chooseRow(row); });
    connect(m_order->buttons, &QButtonGroup::idClicked, this, [this](int id) {
        m_form.setPictureOrder(id == 1);
        renderPreview();
    });
}

LampDialog::~LampDialog() = default;

void LampDialog::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    // A lamp whose file has gone opens all the same, saying so once it is on the screen.
    if (!m_missingReported) {
        m_missingReported = true;
        if (std::optional<Message> missing = m_form.missingFile()) {
            QTimer::singleShot(0, this, [this, m = *missing] { m_prompts.show(m, Icon::Warning); });
        }
    }
    // The lamp's own file is chosen once the dialog is on the screen, so the list can take the
    // focus and show the row.
    if (!m_timerStarted && m_form.rememberedRow() >= 0) {
        m_timerStarted = true;
        QTimer::singleShot(LampForm::kTimerMs, this, [this] {
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
}

void LampDialog::chooseRow(int row) {
    m_form.chooseRow(row);
    renderPreview();
}

void LampDialog::renderPreview() {
    LampForm::Preview p = m_form.preview();
    if (!p.filled) {
        m_preview->clear();
        return;
    }
    if (!p.drawn) {
        // A file that is no lamp picture leaves the area green; its message comes once.
        m_preview->setImage(m_preview->blank());
        if (p.notify) {
            m_prompts.show(p.message, Icon::Warning);
        }
        return;
    }
    QImage image = m_preview->blank();
    for (const LampForm::PreviewPicture& pic : p.pictures) {
        for (int y = 0; y < pic.size; ++y) {
            for (int x = 0; x < pic.size; ++x) {
                if (!pic.at(x, y)) {
                    continue;
                }
                // Each dot is a 2 x 2 square.
                for (int k = 0; k < 4; ++k) {
                    image.setPixel(pic.left + 2 * x + (k & 1), pic.top + 2 * y + (k >> 1), qRgb(0, 0, 0));
                }
            }
        }
    }
    m_preview->setImage(std::move(image));
}

void LampDialog::onOk() {
    m_address->take();
    m_form.setPictureOrder(m_order->checked() == 1);
    FormOutcome<LampForm::Values> outcome = m_form.ok();
    if (settle(outcome)) {
        m_values = std::move(outcome.values);
        accept();
    }
}

std::optional<LampForm::Values> LampDialog::run() { return runForValues(*this, m_values); }

} // namespace dispcraft
